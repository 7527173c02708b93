// The 4.11 profile's route read by gpsbabel, a real NMEA reader: a 20-waypoint route goes out as
// RTE sentences within 82 characters, and gpsbabel finds the route's waypoints, in route order,
// at their positions.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "support/ChildProcess.h"
#include "support/CliProcess.h"
#include "support/TempDir.h"

namespace norv {
namespace {

constexpr int kWayPoints = 20;

// Waypoint i (1..20) at 50 deg i' 30" N, 1 deg i' 15" W.
double Latitude(int i) { return 50 + (i + 0.5) / 60; }
double Longitude(int i) { return -(1 + (i + 0.25) / 60); }
std::string Name(int i) { return "WP" + std::to_string(100 + i).substr(1); }

// The list in reverse, the route forward: the output follows the route, not the list.
void WriteFiles(const test::TempDir& Dir) {
  std::string wayPoints, route = "[Route]\nName=LONG-PASSAGE\n";
  for (int i = kWayPoints; i >= 1; --i)
    wayPoints += "[" + Name(i) + "]\nName=" + Name(i) + "\nLatitude_Degree=50\nLatitude_Minute=" +
                 std::to_string(i) + "\nLatitude_Second=30\nLatitude_Direction=N\n" +
                 "Longitude_Degree=1\nLongitude_Minute=" + std::to_string(i) +
                 "\nLongitude_Second=15\nLongitude_Direction=W\n";
  for (int i = 1; i <= kWayPoints; ++i) route += "[" + Name(i) + "]\nName=" + Name(i) + "\n";
  Dir.Write("wps.ini", wayPoints);
  Dir.Write("route.ini", route);
  Dir.Write("scenario.ini",
            "[Files]\nWayPoints=wps.ini\nRoute=route.ini\n[Output]\nProfile=nmea4\n");
}

TEST(CliGpsbabel, ReadsALongRouteInOrder) {
  const std::string gpsbabel = test::FindProgram("gpsbabel");
  if (gpsbabel.empty()) GTEST_SKIP() << "gpsbabel is not installed (scripts/setup.sh installs it)";
  test::TempDir dir{"cli-gpsbabel"};
  WriteFiles(dir);
  const test::CliResult run = test::RunCli({"--scenario", (dir / "scenario.ini").string(),
                                            "--deterministic", "--count", "1", "--no-status",
                                            "--commands", "WPL,RTE"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::istringstream sentences(run.out);
  int routeSentences = 0;
  for (std::string line; std::getline(sentences, line);) {
    EXPECT_LE(line.size() + 1, 82u) << line;  // with its '\n'
    routeSentences += line.compare(3, 3, "RTE") == 0;
  }
  EXPECT_GT(routeSentences, 1);

  const auto nmea = dir.Write("route.nmea", run.out);
  const auto csv = dir / "route.csv";
  test::TChildProcess babel;
  ASSERT_TRUE(babel.Start({gpsbabel, "-i", "nmea", "-f", nmea.string(), "-o", "csv", "-F",
                           csv.string()},
                          -1, dir / "gpsbabel.log"));
  ASSERT_EQ(babel.Wait(std::chrono::seconds(30)), 0) << test::ReadWholeFile(dir / "gpsbabel.log");
  std::istringstream read(test::ReadWholeFile(csv));
  int i = 0;
  for (std::string line; std::getline(read, line);) {
    ++i;
    double lat = 0, lon = 0;
    char name[32] = {};
    ASSERT_EQ(std::sscanf(line.c_str(), "%lf, %lf, %31s", &lat, &lon, name), 3) << line;
    EXPECT_EQ(name, Name(i));
    EXPECT_NEAR(lat, Latitude(i), 1e-5);
    EXPECT_NEAR(lon, Longitude(i), 1e-5);
  }
  EXPECT_EQ(i, kWayPoints);
}

}  // namespace
}  // namespace norv
