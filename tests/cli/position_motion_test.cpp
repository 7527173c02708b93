// Moving the receiver: distances and courses on the library's sphere, the lines where the
// library's movers stop, and route following.
#include <gtest/gtest.h>

#include <cmath>

#include "Motion.h"
#include "Position.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoint.h"
#include "norv/navigation/WayPoints.h"

namespace norvgpssim {
namespace {

using namespace norv;

void SetPosition(TNorvGPSSimulator& sim, int latDeg, int latMin, long double latSec,
                 TCardinalPoint latDir, int lonDeg, int lonMin, long double lonSec,
                 TCardinalPoint lonDir) {
  sim.SetLatDeg(latDeg);
  sim.SetLatMin(latMin);
  sim.SetLatSec(latSec);
  sim.SetLatDir(latDir);
  sim.SetLongDeg(lonDeg);
  sim.SetLongMin(lonMin);
  sim.SetLongSec(lonSec);
  sim.SetLongDir(lonDir);
}

long double DistanceMetres(const TNorvGPSSimulator& sim, const LatLon& from) {
  int d1, m1, d2, m2;
  long double s1, s2;
  TCardinalPoint h1, h2;
  sim.LatitudeDecimalDegreesToDMS(from.lat, d1, m1, s1, h1);
  sim.LongitudeDecimalDegreesToDMS(from.lon, d2, m2, s2, h2);
  return sim.Distance_KM(d1, m1, s1, h1, d2, m2, s2, h2, sim.Latitude_Degree(),
                         sim.Latitude_Minute(), sim.Latitude_Second(), sim.Latitude_Direction(),
                         sim.Longitude_Degree(), sim.Longitude_Minute(), sim.Longitude_Second(),
                         sim.Longitude_Direction()) *
         1000;
}

// A step of d metres on course c ends d metres away (as the library measures) on that course.
TEST(Position, AStepCoversItsDistanceOnItsCourseAtAnyLatitude) {
  const struct {
    int latDeg;
    TCardinalPoint latDir;
    long double course, metres;
  } cases[] = {{0, cpNorth, 0, 100},     {0, cpNorth, 90, 100},   {48, cpNorth, 84.3L, 6.43L},
               {48, cpNorth, 225, 500},  {33, cpSouth, 135, 250}, {75, cpNorth, 300, 1000},
               {60, cpSouth, 10, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.latDeg) + " course " + std::to_string(double(c.course)));
    TNorvGPSSimulator sim;
    SetPosition(sim, c.latDeg, 20, 0, c.latDir, 11, 31, 0, cpEast);
    const LatLon start = CurrentPosition(sim);
    EXPECT_FALSE(MoveAlongCourse(sim, c.metres, c.course));
    EXPECT_NEAR(double(DistanceMetres(sim, start)), double(c.metres), 1e-3 * double(c.metres));
    EXPECT_NEAR(double(CourseTo(start, CurrentPosition(sim))), double(c.course), 0.05);
  }
}

// The library's movers stop at the equator, the prime meridian, longitude 180 and the poles;
// the simulator carries on into the next hemisphere.
TEST(Position, MovesCrossTheEquatorTheMeridiansAndThePole) {
  TNorvGPSSimulator sim;
  SetPosition(sim, 0, 0, 10, cpSouth, 0, 0, 5, cpWest);
  EXPECT_FALSE(MovePosition(sim, 25, 12));  // north 25", east 12"
  EXPECT_EQ(sim.Latitude_Direction(), cpNorth);
  EXPECT_NEAR(double(sim.Latitude_Second()), 15, 1e-9);
  EXPECT_EQ(sim.Longitude_Direction(), cpEast);
  EXPECT_NEAR(double(sim.Longitude_Second()), 7, 1e-9);

  SetPosition(sim, 10, 0, 0, cpNorth, 179, 59, 59, cpEast);
  MovePosition(sim, 0, 3);
  EXPECT_EQ(sim.Longitude_Direction(), cpWest);
  EXPECT_EQ(sim.Longitude_Degree(), 179);
  EXPECT_EQ(sim.Longitude_Minute(), 59);
  EXPECT_NEAR(double(sim.Longitude_Second()), 58, 1e-9);
  MovePosition(sim, 0, -3);  // and back west over 180
  EXPECT_EQ(sim.Longitude_Direction(), cpEast);
  EXPECT_NEAR(double(sim.Longitude_Second()), 59, 1e-9);

  SetPosition(sim, 89, 59, 50, cpNorth, 20, 0, 0, cpEast);
  EXPECT_TRUE(MovePosition(sim, 30, 0));  // 10" to the pole, 20" down the other side
  EXPECT_EQ(sim.Latitude_Direction(), cpNorth);
  EXPECT_EQ(sim.Latitude_Minute(), 59);
  EXPECT_NEAR(double(sim.Latitude_Second()), 40, 1e-9);
  EXPECT_EQ(sim.Longitude_Degree(), 160);
  EXPECT_EQ(sim.Longitude_Direction(), cpWest);
}

TEST(Motion, ConstantModeTurnsTheCourseRoundOverThePole) {
  TNorvGPSSimulator sim;
  SetPosition(sim, 89, 59, 59, cpNorth, 0, 0, 0, cpEast);
  sim.SetSpeed(100);
  sim.SetHeading(0);
  Motion motion(sim, {MotionMode::Constant, RouteEnd::Stop});
  motion.Advance(10);  // 514 m: over the pole
  EXPECT_NEAR(double(sim.Heading()), 180, 1e-9);
  EXPECT_EQ(sim.Longitude_Degree(), 180);
  const long double overThePole = sim.Latitude_Second();
  motion.Advance(10);  // now going south, away from the pole
  EXPECT_NEAR(double(overThePole - sim.Latitude_Second()), 514.4 / 30.92, 0.01);
}

TEST(Motion, StaticModeNeverMoves) {
  TNorvGPSSimulator sim;
  SetPosition(sim, 33, 51, 35.9L, cpSouth, 151, 12, 17.8L, cpEast);
  sim.SetSpeed(12);
  Motion motion(sim, {MotionMode::Static, RouteEnd::Stop});
  motion.Advance(3600);
  EXPECT_EQ(sim.Latitude_Minute(), 51);
  EXPECT_EQ(sim.Longitude_Second(), 17.8L);
}

class RouteMotion : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPosition(sim, 50, 0, 0, cpNorth, 1, 0, 0, cpWest);
    AddWayPoint("A", 50, 0, 10, 1, 0, 0);   // 309 m north
    AddWayPoint("B", 50, 0, 10, 0, 59, 40);  // then 397 m east
    auto* route = new TRoute("R");
    route->WayPoints() = {"A", "B"};
    sim.Routes()->Add(route);
    sim.Routes()->SetActiveRoute(route);
    sim.SetSpeed(200 * 3600.0L / 1852);  // 200 m a second
    sim.SetMagneticVariation(2);
    sim.SetMagnetic_Variation_Direction(cpWest);
  }
  void AddWayPoint(const char* name, int latDeg, int latMin, long double latSec, int lonDeg,
                   int lonMin, long double lonSec) {
    auto* wp = new TWayPoint(name);
    wp->SetLatDeg(latDeg);
    wp->SetLatMin(latMin);
    wp->SetLatSec(latSec);
    wp->SetLongDeg(lonDeg);
    wp->SetLongMin(lonMin);
    wp->SetLongSec(lonSec);
    wp->SetLongDir(cpWest);
    sim.WayPoints()->Add(wp);
  }
  bool At(long double latSec, int lonMin, long double lonSec) const {
    return sim.Latitude_Minute() == 0 && std::fabs(sim.Latitude_Second() - latSec) < 1e-6 &&
           sim.Longitude_Minute() == lonMin && std::fabs(sim.Longitude_Second() - lonSec) < 1e-6;
  }
  TNorvGPSSimulator sim;
};

TEST_F(RouteMotion, SteersToEachWaypointStopsOnItAndStopsAtTheEnd) {
  Motion motion(sim, {MotionMode::Route, RouteEnd::Stop});
  motion.Advance(1);  // 200 m towards A
  EXPECT_NEAR(double(sim.Heading()), 0, 1e-6);
  EXPECT_NEAR(double(sim.Magnetic_Heading()), 2, 1e-6) << "westerly variation adds";
  EXPECT_EQ(motion.TargetIndex(), 0u);
  motion.Advance(1);  // 109 m left: ends on A (and the arrival alarm would fire)
  EXPECT_TRUE(At(10, 0, 0));
  EXPECT_EQ(motion.TargetIndex(), 1u);
  motion.Advance(1);  // towards B, due east
  EXPECT_NEAR(double(sim.Heading()), 90, 0.01);
  motion.Advance(1);
  EXPECT_TRUE(At(10, 59, 40));
  EXPECT_TRUE(motion.RouteFinished());
  EXPECT_EQ(sim.Speed(), 0);
  motion.Advance(60);
  EXPECT_TRUE(At(10, 59, 40));
}

TEST_F(RouteMotion, RepeatGoesBackToTheFirstWaypoint) {
  Motion motion(sim, {MotionMode::Route, RouteEnd::Repeat});
  for (int i = 0; i < 4; ++i) motion.Advance(1);
  EXPECT_TRUE(At(10, 59, 40));
  EXPECT_EQ(motion.TargetIndex(), 0u);
  motion.Advance(1);
  EXPECT_NEAR(double(sim.Heading()), 270, 0.01);
  EXPECT_FALSE(motion.RouteFinished());
}

TEST_F(RouteMotion, NamesTheWaypointListDoesNotHoldArePassedOver) {
  sim.Routes()->ActiveRoute()->WayPoints() = {"GHOST", "B"};
  Motion motion(sim, {MotionMode::Route, RouteEnd::Stop});
  motion.Advance(1);
  EXPECT_EQ(motion.TargetIndex(), 1u);
  EXPECT_GT(sim.Heading(), 0);  // heading for B, north-east of the start
}

}  // namespace
}  // namespace norvgpssim
