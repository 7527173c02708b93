// TRouteWayPoints resolves each route entry to the same waypoint GetByName finds.
#include <gtest/gtest.h>

#include <random>

#include "norv/NorvGPSSimulator.h"
#include "norv/nmea/RouteWayPoints.h"

namespace norv {
namespace {

// Names from a small alphabet, so that case variants and repeats are common.
std::string RandomName(std::mt19937& Random) {
  static constexpr char kLetters[] = "aAbB1_-";
  std::string name;
  const int length = 1 + static_cast<int>(Random() % 4);
  for (int i = 0; i < length; ++i) name += kLetters[Random() % (sizeof kLetters - 1)];
  return name;
}

TEST(RouteWayPoints, EveryEntryResolvesAsGetByNameDoes) {
  std::mt19937 random(1690);
  // Short lists resolve in place, long ones on the heap (a shorter one after a longer reuses the
  // thread's spare buffer with the longer one's entries still in it); all agree with GetByName.
  for (int listSize : {0, 1, 5, 63, 64, 65, 200, 66}) {
    TWayPoints list;
    for (int i = 0; i < listSize; ++i) list.Add(new TWayPoint("W" + std::to_string(i)));
    // Renamed afterwards, names repeat (in any letter case): the highest index must win.
    for (int i = 0; i < listSize; ++i) list.Items(i)->SetName(RandomName(random));
    if (listSize > 2) list.SetItem(1, nullptr);  // an empty slot matches nothing
    TRoute route("R");
    for (int i = 0; i < listSize + 70; ++i) route.WayPoints().push_back(RandomName(random));
    const TRouteWayPoints resolved(route, &list);
    ASSERT_EQ(resolved.Resolved().size(), route.WayPoints().size());
    for (std::size_t e = 0; e < route.WayPoints().size(); ++e)
      EXPECT_EQ(resolved.Resolved()[e], list.GetByName(route.WayPoints()[e]))
          << "list of " << listSize << ", entry " << route.WayPoints()[e];
  }
}

// Two long resolutions alive at once on one thread: the second must not share the first's
// spare buffer.
TEST(RouteWayPoints, TwoLongRoutesAliveTogetherKeepTheirOwnEntries) {
  TWayPoints list;
  for (int i = 0; i < 100; ++i) list.Add(new TWayPoint("W" + std::to_string(i)));
  TRoute forward("F"), backward("B");
  for (int i = 0; i < 100; ++i) {
    forward.WayPoints().push_back("W" + std::to_string(i));
    backward.WayPoints().push_back("W" + std::to_string(99 - i));
  }
  const TRouteWayPoints first(forward, &list);
  const TRouteWayPoints second(backward, &list);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(first.Resolved()[i], list.Items(i));
    EXPECT_EQ(second.Resolved()[i], list.Items(99 - i));
  }
}

TEST(RouteWayPoints, NoListResolvesNothing) {
  TRoute route("R");
  route.WayPoints() = {"WP1", "WP2"};
  const TRouteWayPoints resolved(route, nullptr);
  EXPECT_EQ(resolved.Resolved().size(), 2u);
  EXPECT_EQ(resolved.Resolved()[0], nullptr);
  EXPECT_EQ(resolved.Resolved()[1], nullptr);
}

}  // namespace
}  // namespace norv
