// GetByNames finds for each name the same waypoint GetByName finds.
#include <gtest/gtest.h>

#include <random>

#include "norv/navigation/WayPoints.h"

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

TEST(GetByNames, EveryNameResolvesAsGetByNameDoes) {
  std::mt19937 random(1690);
  for (int listSize : {0, 1, 5, 64, 200}) {
    TWayPoints list;
    for (int i = 0; i < listSize; ++i) list.Add(new TWayPoint("W" + std::to_string(i)));
    // Renamed afterwards, names repeat (in any letter case): the highest index must win.
    for (int i = 0; i < listSize; ++i) list.Items(i)->SetName(RandomName(random));
    if (listSize > 2) list.SetItem(1, nullptr);  // an empty slot matches nothing
    std::vector<std::string> names;
    for (int i = 0; i < listSize + 70; ++i) names.push_back(RandomName(random));
    const std::vector<TWayPoint*> found = list.GetByNames(names);
    ASSERT_EQ(found.size(), names.size());
    for (std::size_t n = 0; n < names.size(); ++n)
      EXPECT_EQ(found[n], list.GetByName(names[n])) << "list of " << listSize << ", " << names[n];
  }
}

}  // namespace
}  // namespace norv
