// The nmea4 profile read by gpsdecode -j (gpsd's own NMEA driver): how many SKY reports each
// epoch brings for each mix of satellite systems, and that the last one lists the whole sky.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/GpsdJson.h"
#include "support/ChildProcess.h"
#include "support/CliProcess.h"
#include "support/TempDir.h"

namespace norv {
namespace {

// Each satellite's section type and how gpsd names it in SKY (gnssid, svid).
struct Satellite {
  int number;
  const char* type;
  std::pair<int, int> skyId;
};
constexpr Satellite kSky[] = {{3, "GPS", {0, 3}},       {8, "GPS", {0, 8}},
                              {70, "GLONASS", {6, 6}},  {75, "GLONASS", {6, 11}},
                              {203, "Beidou", {3, 3}},  {210, "Beidou", {3, 10}}};

// A fixed receiver and the satellites of Systems, plus one inactive GPS satellite that no
// sentence and so no SKY may list.
void WriteScenario(const test::TempDir& Dir, const std::set<std::string>& Systems) {
  Dir.Write("sky.ini",
            "[Receiver]\nLatitude_Degree=48\nLatitude_Direction=cpNorth\nLongitude_Degree=11\n"
            "Longitude_Direction=cpEast\nFixQuality=1\n[Files]\nSatellites=sats.ini\n");
  std::ostringstream sats;
  for (const Satellite& s : kSky)
    if (Systems.count(s.type))
      sats << '[' << s.number << "]\nActive=1\nElevation=40\nAzimuth=" << s.number
           << "\nSNR=40\nType=" << s.type << '\n';
  sats << "[22]\nActive=0\nElevation=30\nAzimuth=90\nSNR=30\nType=GPS\n";
  Dir.Write("sats.ini", sats.str());
}

// gpsdecode -j's reports for the sentences in File; false when it could not run or failed.
bool Decode(const std::string& Gpsdecode, const std::filesystem::path& File, std::string& Json) {
  FILE* pipe = ::popen((Gpsdecode + " -j < '" + File.string() + "'").c_str(), "r");
  if (pipe == nullptr) return false;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    Json.append(buffer, n);
  return ::pclose(pipe) == 0;
}

TEST(CliProfileSky, SkyReportsPerEpochAndTheLastListsEverySatelliteUsed) {
  const std::string gpsdecode = test::FindProgram("gpsdecode");
  if (gpsdecode.empty()) GTEST_SKIP() << "gpsdecode is missing (Debian package gpsd-clients)";
  if (!std::filesystem::exists(test::kCliBinary)) GTEST_SKIP() << "norvgpssim is not built";
  // gpsd reports the sky after each completed GSV group of a talker other than GP, and after
  // the GP group only until it has met another system: three systems therefore bring two SKYs
  // an epoch (GPS with the first other system, then all), one or two systems bring one.
  const struct {
    const char* name;
    std::set<std::string> systems;
    std::size_t skysPerEpoch;
  } rows[] = {{"GPS", {"GPS"}, 1},
              {"GPS+GLONASS", {"GPS", "GLONASS"}, 1},
              {"GPS+BeiDou", {"GPS", "Beidou"}, 1},
              {"GPS+GLONASS+BeiDou", {"GPS", "GLONASS", "Beidou"}, 2}};
  constexpr int kEpochs = 5;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::TempDir dir{"cli-profile-sky"};
    WriteScenario(dir, row.systems);
    const test::CliResult cli = test::RunCli({"--scenario", (dir / "sky.ini").string(),
                                              "--profile", "nmea4", "--deterministic",
                                              "--count", std::to_string(kEpochs)});
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    const auto nmea = dir.Write("out.nmea", cli.out);
    std::string json;
    ASSERT_TRUE(Decode(gpsdecode, nmea, json)) << json;

    std::set<std::pair<int, int>> expected;
    for (const Satellite& s : kSky)
      if (row.systems.count(s.type)) expected.insert(s.skyId);
    // An epoch's SKYs come before its TPV. gpsd reports no position for the first epoch, and
    // the SKYs before the first TPV are those of the first two: the epochs checked are the rest.
    std::vector<std::string> skys;
    int tpvs = 0;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
      if (test::IsClass(line, "SKY")) skys.push_back(line);
      if (!test::IsClass(line, "TPV")) continue;
      if (tpvs++ > 0) {
        EXPECT_EQ(skys.size(), row.skysPerEpoch) << "before TPV " << tpvs;
        if (skys.empty()) break;
        std::set<std::pair<int, int>> listed;
        for (const std::string& sat : test::SatelliteObjects(skys.back())) {
          listed.emplace(test::NumberField(sat, "gnssid").value_or(-1),
                         test::NumberField(sat, "svid").value_or(-1));
          EXPECT_EQ(test::BoolField(sat, "used"), true) << sat;
        }
        EXPECT_EQ(listed, expected) << skys.back();
      }
      skys.clear();
    }
    EXPECT_EQ(tpvs, kEpochs - 1) << json;
  }
}

}  // namespace
}  // namespace norv
