// Routes and the route list: names, destination, ownership and the active route. The ownership
// cases rely on AddressSanitizer (a double delete or a leak fails the sanitized run).
#include <gtest/gtest.h>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"

namespace norv {
namespace {

TEST(Route, DestinationIsTheLastNameAndTheListJoinsWithCommas) {
  TRoute r("R1");
  EXPECT_EQ(r.GetDestination(), "");
  EXPECT_EQ(r.WayPointListToStr(), "");
  r.WayPoints().push_back("A");
  EXPECT_EQ(r.WayPointListToStr(), "A");
  r.WayPoints().push_back("B");
  EXPECT_EQ(r.Destination(), "B");
  EXPECT_EQ(r.WayPointListToStr(), "A,B");
  r.WayPoints() = {"WP1", "", "WP1"};  // repeats and empty names are the host's business
  EXPECT_EQ(r.WayPointListToStr(), "WP1,,WP1");
}

TEST(Routes, AddRefusesAMatchingNameAndTheRouteStaysTheCaller) {
  TRoutes routes;
  routes.Add(new TRoute("R1"));
  TRoute refused("r1");
  routes.Add(&refused);
  routes.Insert(0, &refused);
  EXPECT_EQ(routes.Count(), 1);
  EXPECT_EQ(routes.IndexOf("R1"), 0);
}

TEST(Routes, FreeingTheActiveRouteClearsIt) {
  TRoutes routes;
  for (const char* n : {"A", "B", "C", "D"}) routes.Add(new TRoute(n));
  routes.SetActiveRoute(routes.GetItem(0));
  routes.Delete(1);  // not the active one
  EXPECT_EQ(routes.ActiveRoute(), routes.GetItem(0));
  routes.Delete(0);
  EXPECT_EQ(routes.ActiveRoute(), nullptr);

  routes.SetActiveRoute(routes.GetByName("c"));
  routes.Delete("C");
  EXPECT_EQ(routes.ActiveRoute(), nullptr);

  TRoute* d = routes.GetItem(0);
  routes.SetActiveRoute(d);
  routes.SetItem(0, d);  // the same object: nothing freed, still active
  EXPECT_EQ(routes.ActiveRoute(), d);
  routes.SetItem(0, new TRoute("E"));
  EXPECT_EQ(routes.ActiveRoute(), nullptr);
  EXPECT_EQ(routes.Count(), 1);
}

TEST(Routes, ClearEmptiesTheListAndTheActiveRouteEvenOneFromOutside) {
  TRoutes routes;
  routes.Add(new TRoute("A"));
  routes.Add(new TRoute("B"));
  TRoute outside("X");  // the list must not free it
  routes.SetActiveRoute(&outside);
  routes.Delete(0);
  EXPECT_EQ(routes.ActiveRoute(), &outside);
  routes.Clear();
  EXPECT_EQ(routes.Count(), 0);
  EXPECT_EQ(routes.ActiveRoute(), nullptr);
  EXPECT_EQ(outside.Name(), "X");
}

TEST(Routes, SwapKeepsBothRoutesAndTheActiveOne) {
  TRoutes routes;
  for (const char* n : {"A", "B", "C"}) routes.Add(new TRoute(n));
  TRoute* a = routes.GetItem(0);
  routes.SetActiveRoute(a);
  routes.Swap("A", "C");
  EXPECT_EQ(routes.GetItem(2), a);
  EXPECT_EQ(routes.GetItem(0)->Name(), "C");
  EXPECT_EQ(routes.ActiveRoute(), a);
  EXPECT_THROW(routes.Delete(-1), EListError);
}

TEST(WayPoints, DefaultsDisposeAndTheNonDisposingFormsHandTheWayPointBack) {
  TWayPoints list;
  for (const char* n : {"A", "B", "C", "D"}) list.Add(new TWayPoint(n));
  TWayPoint* b = list.GetItem(1);
  list.Delete(1, false);
  TWayPoint* c = list.GetByName("C");
  list.Delete("c", false);
  list.Delete(0);    // disposes
  list.Delete("D");  // disposes
  EXPECT_EQ(list.GetCount(), 0);
  list.Add(b);
  list.Add(c);
  list.Clear(false);  // Dispose(false): the waypoints outlive the list
  EXPECT_EQ(b->Name(), "B");
  delete b;
  list.Add(c);
  list.Clear();  // disposes c
  list.Add(new TWayPoint("E"));  // freed with the list
}

TEST(SimulatorLists, TheComponentOwnsOneEmptyListOfEachAndTakesOverReplacements) {
  TNorvGPSSimulator sim;
  ASSERT_NE(sim.WayPoints(), nullptr);
  ASSERT_NE(sim.Routes(), nullptr);
  EXPECT_EQ(sim.WayPoints()->Count(), 0);
  EXPECT_EQ(sim.Routes()->Count(), 0);
  EXPECT_EQ(sim.Routes()->ActiveRoute(), nullptr);

  sim.WayPoints()->Add(new TWayPoint("old"));  // freed with the list it is in
  auto* waypoints = new TWayPoints;
  waypoints->Add(new TWayPoint("new"));
  sim.SetWayPoints(waypoints);
  sim.SetWayPoints(waypoints);  // the same list: kept, not freed
  EXPECT_EQ(sim.WayPoints()->GetByName("NEW")->Name(), "new");

  auto* routes = new TRoutes;
  routes->Add(new TRoute("R"));
  sim.SetRoutes(routes);
  EXPECT_EQ(sim.Routes()->IndexOf("r"), 0);
}

}  // namespace
}  // namespace norv
