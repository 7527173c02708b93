#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "norv/model/ENorvNMEAException.h"
#include "norv/navigation/WayPoint.h"

namespace norv {
namespace {

TEST(WayPoint, StartsAtZeroNorthEastWithItsName) {
  const TWayPoint w("A");
  EXPECT_EQ(w.Name(), "A");
  EXPECT_EQ(w.Latitude_Degree(), 0);
  EXPECT_EQ(w.Latitude_Minute(), 0);
  EXPECT_EQ(w.Latitude_Second(), 0);
  EXPECT_EQ(w.Latitude_Direction(), cpNorth);
  EXPECT_EQ(w.Longitude_Degree(), 0);
  EXPECT_EQ(w.Longitude_Minute(), 0);
  EXPECT_EQ(w.Longitude_Second(), 0);
  EXPECT_EQ(w.Longitude_Direction(), cpEast);
}

// One setter: values it takes, values it refuses with Message, and how to read the field back.
struct SetterCase {
  const char* Name;
  std::function<void(TWayPoint&, Extended)> Set;
  std::function<Extended(const TWayPoint&)> Get;
  std::vector<Extended> Accepted;
  std::vector<Extended> Refused;
  const char* Message;
};

const Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

std::vector<SetterCase> SetterCases() {
  auto i32 = [](Extended v) { return static_cast<std::int32_t>(v); };
  auto dir = [](Extended v) { return static_cast<TCardinalPoint>(static_cast<int>(v)); };
  return {
      {"LatDeg", [=](TWayPoint& w, Extended v) { w.SetLatDeg(i32(v)); },
       [](const TWayPoint& w) { return Extended(w.Latitude_Degree()); }, {0, 90}, {-1, 91},
       "Latitude Degree must be between 0 and 90."},
      {"LatMin", [=](TWayPoint& w, Extended v) { w.SetLatMin(i32(v)); },
       [](const TWayPoint& w) { return Extended(w.Latitude_Minute()); }, {0, 59}, {-1, 60},
       "Latitude Minute must be between 0 and 60."},
      {"LatSec", [](TWayPoint& w, Extended v) { w.SetLatSec(v); },
       [](const TWayPoint& w) { return w.Latitude_Second(); }, {0, 59.999L}, {-0.001L, 60, kNaN},
       "Latitude Second must be between 0 and 60."},
      {"LatDir", [=](TWayPoint& w, Extended v) { w.SetLatDir(dir(v)); },
       [](const TWayPoint& w) { return Extended(w.Latitude_Direction()); }, {cpSouth, cpNorth},
       {cpEast, cpWest}, "Latitude Direction must be north or south."},
      {"LongDeg", [=](TWayPoint& w, Extended v) { w.SetLongDeg(i32(v)); },
       [](const TWayPoint& w) { return Extended(w.Longitude_Degree()); }, {0, 180}, {-1, 181},
       "Longitude Degree must be between 0 and 180."},
      {"LongMin", [=](TWayPoint& w, Extended v) { w.SetLongMin(i32(v)); },
       [](const TWayPoint& w) { return Extended(w.Longitude_Minute()); }, {0, 59}, {-1, 60},
       "Longitude Minute must be between 0 and 60."},
      {"LongSec", [](TWayPoint& w, Extended v) { w.SetLongSec(v); },
       [](const TWayPoint& w) { return w.Longitude_Second(); }, {0, 59.999L}, {-0.001L, 60, kNaN},
       "Longitude Second must be between 0 and 60."},
      {"LongDir", [=](TWayPoint& w, Extended v) { w.SetLongDir(dir(v)); },
       [](const TWayPoint& w) { return Extended(w.Longitude_Direction()); }, {cpWest, cpEast},
       {cpNorth, cpSouth}, "Longitude Direction must be east or west."},
  };
}

TEST(WayPoint, SettersTakeTheirRangeAndRefuseTheRestKeepingTheOldValue) {
  for (const SetterCase& c : SetterCases()) {
    SCOPED_TRACE(c.Name);
    TWayPoint w("A");
    for (Extended v : c.Accepted) {
      c.Set(w, v);
      EXPECT_EQ(c.Get(w), v);
    }
    const Extended kept = c.Get(w);
    for (Extended v : c.Refused) {
      try {
        c.Set(w, v);
        ADD_FAILURE() << "accepted " << static_cast<double>(v);
      } catch (const ENorvNMEAException& e) {
        EXPECT_EQ(e.Message(), c.Message);
      }
      EXPECT_EQ(c.Get(w), kept);
    }
  }
}

}  // namespace
}  // namespace norv
