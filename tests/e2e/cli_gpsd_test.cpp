// norvgpssim feeding gpsd, a real NMEA client, through its pseudo-terminal and through its TCP
// server: gpsd's reports (read with gpspipe -w) must show the scenario's track, the epochs'
// virtual UTC and its satellites of all three constellations.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <functional>
#include <map>
#include <numbers>
#include <set>

#include "support/ChildProcess.h"
#include "support/CliProcess.h"
#include "support/LoopbackPorts.h"
#include "e2e/GpsdJson.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::AcceptsConnections;
using test::FreeLoopbackPort;

// 48 07' 00" N, 11 31' 00" E, 20 knots on a course of 60 degrees.
constexpr double kStartLat = 48 + 7 / 60.0, kStartLon = 11 + 31 / 60.0;
constexpr double kKnots = 20, kCourse = 60;
constexpr const char* kStartTime = "2024-05-06T07:08:00Z";
constexpr std::int64_t kStartMs = 1714979280000;  // the same instant
// The sphere the simulator moves on (the library's distance radius, 6378.14 km).
constexpr double kMetresPerDegree = 6378140.0 * std::numbers::pi / 180;

const char* kScenario = R"([Receiver]
Latitude_Degree=48
Latitude_Minute=7
Latitude_Second=0
Latitude_Direction=cpNorth
Longitude_Degree=11
Longitude_Minute=31
Longitude_Second=0
Longitude_Direction=cpEast
Speed=20
Heading=60
Altitude=520
Geo_Height=47
HDOP=0.9
VDOP=1.2
PDOP=1.5
FixQuality=1
[Files]
Satellites=sats.ini
[Motion]
Mode=constant
)";

// GPS 3, 8, 14; GLONASS 70, 75; BeiDou 203, 210, and how gpsd 3.22 numbers them in SKY
// (gnssid 0 GPS, 6 GLONASS with svid = NMEA number - 64, 3 BeiDou with svid = number - 200).
const char* kSatellites = R"([3]
Active=1
Elevation=61
Azimuth=40
SNR=45
Type=GPS
[8]
Active=1
Elevation=33
Azimuth=140
SNR=40
Type=GPS
[14]
Active=1
Elevation=20
Azimuth=250
SNR=35
Type=GPS
[70]
Active=1
Elevation=47
Azimuth=300
SNR=42
Type=GLONASS
[75]
Active=1
Elevation=25
Azimuth=200
SNR=38
Type=GLONASS
[203]
Active=1
Elevation=55
Azimuth=100
SNR=44
Type=Beidou
[210]
Active=1
Elevation=15
Azimuth=20
SNR=30
Type=Beidou
)";
const std::set<std::pair<int, int>> kSkyIds = {{0, 3}, {0, 8}, {0, 14}, {6, 6},
                                               {6, 11}, {3, 3}, {3, 10}};

// Milliseconds since 1970 of gpsd's "2024-05-06T07:08:03.000Z".
std::optional<std::int64_t> GpsdTimeMs(const std::string& t) {
  int y, mo, d, h, mi;
  double s;
  if (std::sscanf(t.c_str(), "%d-%d-%dT%d:%d:%lfZ", &y, &mo, &d, &h, &mi, &s) != 6)
    return std::nullopt;
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  return static_cast<std::int64_t>(::timegm(&tm)) * 1000 + std::llround(s * 1000);
}

class CliGpsd : public ::testing::Test {
 protected:
  void SetUp() override {
    FGpsd = test::FindProgram("gpsd");
    if (FGpsd.empty()) GTEST_SKIP() << "gpsd is not installed (scripts/setup.sh installs it)";
    FGpspipe = test::FindProgram("gpspipe");
    ASSERT_FALSE(FGpspipe.empty()) << "gpspipe is missing (Debian package gpsd-clients)";
    FScenario = FDir.Write("scenario.ini", kScenario);
    FDir.Write("sats.ini", kSatellites);
  }

  void TearDown() override {
    FPipe.Stop();
    FGpsdProcess.Stop();
    if (FJson >= 0) ::close(FJson);
  }

  std::vector<std::string> SimulatorArgs(std::vector<std::string> outputs) const {
    std::vector<std::string> args{"--scenario", FScenario.string(), "--start-time", kStartTime,
                                  "--time-scale", FTimeScale, "--no-status"};
    args.insert(args.end(), outputs.begin(), outputs.end());
    return args;
  }

  // gpsd on `source` (logging at `debugLevel`), gpspipe -w on gpsd; returns once gpspipe
  // watches.
  void StartGpsd(const std::string& source, int debugLevel = 0) {
    const int port = FreeLoopbackPort();
    ASSERT_GT(port, 0);
    ASSERT_TRUE(FGpsdProcess.Start({FGpsd, "-N", "-n", "-b", "-D", std::to_string(debugLevel),
                                    "-S", std::to_string(port), source},
                                   -1, FDir / "gpsd.log"));
    const auto deadline = Clock::now() + 5s;
    while (!AcceptsConnections(port)) {
      ASSERT_TRUE(FGpsdProcess.Running()) << test::ReadWholeFile(FDir / "gpsd.log");
      ASSERT_LT(Clock::now(), deadline) << "gpsd does not listen on port " << port;
      std::this_thread::sleep_for(50ms);
    }
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    FJson = fds[0];
    ASSERT_TRUE(FPipe.Start({FGpspipe, "-w", "localhost:" + std::to_string(port)}, fds[1],
                            FDir / "gpspipe.log"));
    ::close(fds[1]);
  }

  // Collects gpspipe's lines until `done` holds or the time is up.
  bool ReadUntil(const std::function<bool()>& done, Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
      if (Clock::now() >= deadline) return false;
      pollfd p{FJson, POLLIN, 0};
      if (::poll(&p, 1, 100) <= 0) continue;
      char buf[4096];
      const ssize_t n = ::read(FJson, buf, sizeof buf);
      if (n <= 0) return false;
      test::TakeLines(FPending, FReports, buf, static_cast<std::size_t>(n));
    }
    return true;
  }

  std::vector<std::string> Reports(const std::string& cls) const {
    std::vector<std::string> out;
    for (const auto& r : FReports)
      if (test::IsClass(r, cls)) out.push_back(r);
    return out;
  }

  // Epochs gpsd has reported a position for (it may send several TPVs an epoch).
  std::size_t FixCount() const {
    std::set<std::string> times;
    for (const auto& tpv : Reports("TPV"))
      if (test::NumberField(tpv, "lat")) times.insert(test::StringField(tpv, "time").value_or(""));
    return times.size();
  }

  // Reads until gpsd has reported 8 epochs and a SKY with every satellite, then checks them.
  void CheckReports() {
    const bool enough = ReadUntil(
        [&] {
          const auto skies = Reports("SKY");
          return FixCount() >= 8 && !skies.empty() &&
                 test::SatelliteObjects(skies.back()).size() >= kSkyIds.size();
        },
        30s);
    ASSERT_TRUE(enough) << "gpsd reported " << FixCount() << " epochs; gpsd log:\n"
                        << test::ReadWholeFile(FDir / "gpsd.log");
    CheckTrack();
    std::set<std::pair<int, int>> seen;
    for (const auto& sat : test::SatelliteObjects(Reports("SKY").back()))
      seen.emplace(static_cast<int>(test::NumberField(sat, "gnssid").value_or(-1)),
                   static_cast<int>(test::NumberField(sat, "svid").value_or(-1)));
    EXPECT_EQ(seen, kSkyIds) << Reports("SKY").back();
  }

  // Every TPV with a position lies on the scenario's track at its epoch's instant.
  void CheckTrack() const {
    const double step = kKnots * 1852 / 3600;  // metres per epoch (1 s apart)
    const double north = step * std::cos(kCourse * std::numbers::pi / 180);
    const double east = step * std::sin(kCourse * std::numbers::pi / 180);
    for (const auto& tpv : Reports("TPV")) {
      const auto lat = test::NumberField(tpv, "lat"), lon = test::NumberField(tpv, "lon");
      if (!lat || !lon) continue;
      SCOPED_TRACE(tpv);
      const auto ms = GpsdTimeMs(test::StringField(tpv, "time").value_or(""));
      ASSERT_TRUE(ms.has_value());
      // The time is one of the epochs' instants: the start plus whole seconds.
      ASSERT_GE(*ms, kStartMs);
      ASSERT_EQ((*ms - kStartMs) % 1000, 0);
      const double k = static_cast<double>(*ms - kStartMs) / 1000;
      const double expectLat = kStartLat + k * north / kMetresPerDegree;
      const double midLat = (kStartLat + expectLat) / 2 * std::numbers::pi / 180;
      const double expectLon = kStartLon + k * east / (kMetresPerDegree * std::cos(midLat));
      const double errNorth = (*lat - expectLat) * kMetresPerDegree;
      const double errEast = (*lon - expectLon) * kMetresPerDegree * std::cos(midLat);
      EXPECT_LT(std::hypot(errNorth, errEast), 1.0) << "epoch " << k;
      if (const auto speed = test::NumberField(tpv, "speed")) {
        EXPECT_NEAR(*speed, kKnots * 1852 / 3600, 0.01);
      }
    }
  }

  // The 4.11 profile over 60 epochs: one TPV an epoch on the track, a full SKY each epoch with
  // every satellite used (each system's GSA lists all of its few), and nothing in gpsd's log
  // about a bad or unknown sentence.
  void CheckNmea4Reports() {
    constexpr std::size_t kEpochs = 60;
    const bool enough = ReadUntil([&] { return FixCount() >= kEpochs; }, 60s);
    ASSERT_TRUE(enough) << "gpsd reported " << FixCount() << " epochs";
    std::map<std::string, int> perEpoch;
    for (const auto& tpv : Reports("TPV"))
      if (test::NumberField(tpv, "lat")) ++perEpoch[test::StringField(tpv, "time").value_or("")];
    // gpsd learns which sentence ends an epoch during the first one it reads, and until then
    // reports after each fix sentence.
    for (auto epoch = std::next(perEpoch.begin()); epoch != perEpoch.end(); ++epoch)
      EXPECT_EQ(epoch->second, 1) << epoch->first;
    CheckTrack();
    std::size_t fullSkies = 0;
    for (const auto& sky : Reports("SKY")) {
      std::set<std::pair<int, int>> seen;
      for (const auto& sat : test::SatelliteObjects(sky)) {
        seen.emplace(static_cast<int>(test::NumberField(sat, "gnssid").value_or(-1)),
                     static_cast<int>(test::NumberField(sat, "svid").value_or(-1)));
        EXPECT_EQ(test::BoolField(sat, "used"), true) << sky;
      }
      fullSkies += seen == kSkyIds;
    }
    EXPECT_GE(fullSkies + 1, perEpoch.size());
    EXPECT_LE(fullSkies, perEpoch.size() + 1);
    std::string log = test::ReadWholeFile(FDir / "gpsd.log");
    std::transform(log.begin(), log.end(), log.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* complaint : {"bad checksum", "overlong", "unknown sentence"})
      EXPECT_EQ(log.find(complaint), std::string::npos) << complaint;
  }

  std::string FTimeScale = "2";
  test::TempDir FDir{"cli-gpsd"};
  std::filesystem::path FScenario;
  std::string FGpsd, FGpspipe;
  int FJson = -1;
  std::string FPending;
  std::vector<std::string> FReports;
  test::TChildProcess FGpsdProcess, FPipe;
};

TEST_F(CliGpsd, ReadsTheTrackTimeAndSkyThroughThePseudoTerminal) {
  const auto link = FDir / "gps0";
  test::CliProcess sim(SimulatorArgs({"--pty", link.string()}));
  ASSERT_TRUE(sim.WaitForStderr("pseudo-terminal ")) << sim.Stderr();
  ASSERT_NO_FATAL_FAILURE(StartGpsd(link.string()));
  ASSERT_NO_FATAL_FAILURE(CheckReports());
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(), 0) << sim.Stderr();
}

TEST_F(CliGpsd, ReadsTheTrackTimeAndSkyThroughTcp) {
  test::CliProcess sim(SimulatorArgs({"--tcp", "0"}));
  ASSERT_TRUE(sim.WaitForStderr("TCP server on 127.0.0.1:")) << sim.Stderr();
  const std::string port = sim.StderrValue("TCP server on 127.0.0.1:");
  ASSERT_NO_FATAL_FAILURE(StartGpsd("tcp://127.0.0.1:" + port));
  ASSERT_NO_FATAL_FAILURE(CheckReports());
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(), 0) << sim.Stderr();
}

TEST_F(CliGpsd, ReadsTheNmea4ProfileThroughThePseudoTerminal) {
  FTimeScale = "10";
  const auto link = FDir / "gps0";
  test::CliProcess sim(SimulatorArgs({"--profile", "nmea4", "--pty", link.string()}));
  ASSERT_TRUE(sim.WaitForStderr("pseudo-terminal ")) << sim.Stderr();
  ASSERT_NO_FATAL_FAILURE(StartGpsd(link.string(), 4));
  ASSERT_NO_FATAL_FAILURE(CheckNmea4Reports());
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(), 0) << sim.Stderr();
}

TEST_F(CliGpsd, ReadsTheNmea4ProfileThroughTcp) {
  FTimeScale = "10";
  test::CliProcess sim(SimulatorArgs({"--profile", "nmea4", "--tcp", "0"}));
  ASSERT_TRUE(sim.WaitForStderr("TCP server on 127.0.0.1:")) << sim.Stderr();
  const std::string port = sim.StderrValue("TCP server on 127.0.0.1:");
  ASSERT_NO_FATAL_FAILURE(StartGpsd("tcp://127.0.0.1:" + port, 4));
  ASSERT_NO_FATAL_FAILURE(CheckNmea4Reports());
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(), 0) << sim.Stderr();
}

// [Sky] Model=orbits at 600 simulated seconds a second, an epoch every 100 s of sky (six a
// second, as much as gpsd reads comfortably): the SKY reports follow the moving satellites,
// some rise and some set, and every position gpsd reports is a 3D fix.
TEST_F(CliGpsd, FollowsTheMovingSkyThroughThePseudoTerminal) {
  const auto link = FDir / "gps0";
  test::CliProcess sim({"--scenario", NORV_SOURCE_DIR "/examples/moving-sky.ini", "--start-time",
                        kStartTime, "--time-scale", "600", "--rate", "0.01", "--no-status",
                        "--pty", link.string()});
  ASSERT_TRUE(sim.WaitForStderr("pseudo-terminal ")) << sim.Stderr();
  ASSERT_NO_FATAL_FAILURE(StartGpsd(link.string()));
  ASSERT_TRUE(ReadUntil([&] { return FixCount() >= 30; }, 30s))
      << "gpsd reported " << FixCount() << " epochs; gpsd log:\n"
      << test::ReadWholeFile(FDir / "gpsd.log");
  std::set<std::map<std::pair<int, int>, double>> skies;  // the distinct elevation sets
  std::set<std::pair<int, int>> everSeen, alwaysSeen;
  bool first = true;
  for (const auto& sky : Reports("SKY")) {
    std::map<std::pair<int, int>, double> elevations;
    for (const auto& sat : test::SatelliteObjects(sky))
      elevations[{static_cast<int>(test::NumberField(sat, "gnssid").value_or(-1)),
                  static_cast<int>(test::NumberField(sat, "svid").value_or(-1))}] =
          test::NumberField(sat, "el").value_or(-1);
    if (elevations.empty()) continue;
    std::set<std::pair<int, int>> ids;
    for (const auto& [id, el] : elevations) ids.insert(id), everSeen.insert(id);
    if (first) alwaysSeen = ids;
    std::erase_if(alwaysSeen, [&](const auto& id) { return !ids.contains(id); });
    first = false;
    skies.insert(elevations);
  }
  EXPECT_GE(skies.size(), 20u) << "the elevations in SKY hardly change";
  EXPECT_GT(everSeen.size(), alwaysSeen.size() + 5) << "no satellites rose or set";
  for (const auto& tpv : Reports("TPV"))
    if (test::NumberField(tpv, "lat")) {
      EXPECT_EQ(test::NumberField(tpv, "mode"), 3.0) << tpv;
    }
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(), 0) << sim.Stderr();
}

}  // namespace
}  // namespace norv
