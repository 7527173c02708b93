// A refused value in any of the files a run reads is reported at its file, line and key.
#include <gtest/gtest.h>

#include <functional>

#include "ExitCodes.h"
#include "Scenario.h"
#include "support/TempDir.h"
#include "norv/model/ENorvNMEAException.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/WayPoints.h"

namespace norvgpssim {
namespace {

// Runs a load that must fail and returns its message, checking the exception's class.
template <class TError>
std::string Refusal(const std::function<void()>& load) {
  try {
    load();
  } catch (const TError& e) {
    return e.what();
  } catch (const std::exception& e) {
    return std::string("wrong class: ") + e.what();
  }
  return "accepted";
}

TEST(FilePlaces, ABadValueOnLine7IsReportedAtItsFileLineAndKey) {
  norv::test::TempDir dir("cli-places");
  norv::TNorvGPSSimulator sim;
  norv::TWayPoints list;
  norv::TRoute route;
  const struct {
    const char* name;
    std::string text;
    std::function<std::string(const std::filesystem::path&)> load;
    std::string expected;  // after "<file>:7: "
  } cases[] = {
      {"sats.ini", "[3]\nActive=1\nElevation=10\n[4]\nActive=1\nAzimuth=10\nElevation=91\n",
       [&](const auto& f) {
         return Refusal<norv::ENorvNMEAException>([&] { sim.LoadSatellitesFromFile(f); });
       },
       "[4] Elevation: Elevation must be between 0 and 90."},
      {"wps.ini", "[A]\nLatitude_Degree=1\n\n; B follows\n[B]\nLatitude_Degree=2\nLongitude_Minute=60\n",
       [&](const auto& f) {
         return Refusal<norv::ENorvNMEAException>([&] { list.LoadFromFile(f); });
       },
       "[B] Longitude_Minute: Longitude Minute must be between 0 and 60."},
      {"route.ini", std::string("[Route]\nName=R\n[A]\nName=A\n[B]\nName=B\nname=B\0C\n", 46),
       [&](const auto& f) { return Refusal<norv::Exception>([&] { route.LoadFromFile(f); }); },
       "[B] name: a NUL byte, which no INI text holds"},
      {"scenario.ini", "[Motion]\nMode=static\n\n[Receiver]\nSpeed=3\nHeading=10\nLatitude_Degree=91\n",
       [&](const auto& f) { return Refusal<CliError>([&] { LoadScenarioFile(sim, f); }); },
       "[Receiver] Latitude_Degree: Latitude Degree must be between 0 and 90."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = dir.Write(c.name, c.text);
    EXPECT_EQ(c.load(file), file.string() + ":7: " + c.expected);
  }
}

}  // namespace
}  // namespace norvgpssim
