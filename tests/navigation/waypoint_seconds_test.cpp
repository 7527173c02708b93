// Seconds just below 60 in a waypoint file: 15 significant digits would write them as "60",
// which the loader refuses; the saved file must load back, with the seconds still below 60.
#include <gtest/gtest.h>

#include <cmath>

#include "support/TempDirTest.h"
#include "norv/NorvGPSSimulator.h"
#include "support/SeparatorGuard.h"

namespace norv {
namespace {

class WayPointSecondsTest : public test::TempDirTest,
                            public ::testing::WithParamInterface<long double> {};

TEST_P(WayPointSecondsTest, ASavedFileLoadsBackWithTheSecondsBelowSixty) {
  const long double seconds = GetParam();
  for (const char separator : {'.', ','}) {
    SCOPED_TRACE(std::string("separator ") + separator);
    test::SeparatorGuard guard;
    FormatSettings.DecimalSeparator = separator;
    TWayPoints list;
    auto* w = new TWayPoint("W");
    w->SetLatSec(seconds);
    w->SetLongSec(seconds);
    list.Add(w);
    const auto file = dir_ / "waypoints.ini";
    list.SaveToFile(file);

    TWayPoints loaded;
    ASSERT_NO_THROW(loaded.LoadFromFile(file)) << Read(file);
    ASSERT_EQ(loaded.GetCount(), 1);
    for (const long double back : {loaded.GetItem(0)->Latitude_Second(),
                                   loaded.GetItem(0)->Longitude_Second()}) {
      EXPECT_LT(back, 60.0L);
      EXPECT_NEAR(static_cast<double>(back), static_cast<double>(seconds), 1e-12);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(JustBelowSixty, WayPointSecondsTest,
                         ::testing::Values(59.99999999999999L,    // 16 digits: "60" in 15
                                           59.9999999999999999L,  // 60.0 as a double
                                           std::nextafter(60.0L, 0.0L), 59.99999999999995L,
                                           59.9999999999999L));   // written as it is

}  // namespace
}  // namespace norv
