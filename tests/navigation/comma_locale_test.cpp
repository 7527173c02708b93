// A host that switches the C locale to one with a decimal comma still writes and reads the
// waypoint and route files exactly.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "support/TempDirTest.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/WayPoints.h"

namespace norv {
namespace {

namespace fs = std::filesystem;

class CommaLocaleTest : public test::TempDirTest {
 protected:
  // de_DE.UTF-8 when the system has it, else compiled from the locale sources into the test's
  // directory (localedef, from the locales package) and found through LOCPATH.
  bool UseCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
      const fs::path built = dir_ / "locales";
      fs::create_directories(built);
      const std::string command = "localedef -i de_DE -f UTF-8 " + (built / "de_DE.UTF-8").string() +
                                  " >/dev/null 2>&1";
      [[maybe_unused]] const int status = std::system(command.c_str());
      ::setenv("LOCPATH", built.c_str(), 1);
      if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) return false;
    }
    return std::localeconv()->decimal_point == std::string(",");
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
    TempDirTest::TearDown();
  }
};

TEST_F(CommaLocaleTest, WayPointsAndRoutesRoundTripExactly) {
  if (!UseCommaLocale())
    GTEST_SKIP() << "no locale with a decimal comma could be made (localedef and the locales "
                    "package's de_DE sources are needed)";
  TWayPoints list;
  auto* w = new TWayPoint("Kiel");
  w->SetLatDeg(54);
  w->SetLatMin(30);
  w->SetLatSec(12.345L);
  w->SetLongSec(59.5L);
  list.Add(w);
  list.SaveToFile(dir_ / "wps.ini");
  EXPECT_NE(Read(dir_ / "wps.ini").find("Latitude_Second=12.345\n"), std::string::npos);

  TWayPoints back;
  back.LoadFromFile(dir_ / "wps.ini");
  ASSERT_EQ(back.GetCount(), 1);
  EXPECT_EQ(back.GetItem(0)->Latitude_Second(), 12.345L);  // read as 0 under the comma locale
  EXPECT_EQ(back.GetItem(0)->Longitude_Second(), 59.5L);
  EXPECT_EQ(back.GetItem(0)->Latitude_Minute(), 30);

  TRoute route("Förde 1,5");
  route.WayPoints() = {"Kiel", "Laboe"};
  route.SaveToFile(dir_ / "route.ini");
  TRoute routeBack;
  routeBack.LoadFromFile(dir_ / "route.ini");
  EXPECT_EQ(routeBack.Name(), route.Name());
  EXPECT_EQ(routeBack.WayPoints(), route.WayPoints());
}

}  // namespace
}  // namespace norv
