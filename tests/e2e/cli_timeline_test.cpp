// The timeline and faults as a user meets them: a bad line stops the run before any output, the
// same seed gives the same bytes, and gpsd follows the scripted fix loss and ignores corrupted
// sentences.
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <thread>

#include "e2e/GpsdJson.h"
#include "e2e/NmeaText.h"
#include "support/ChildProcess.h"
#include "support/CliProcess.h"
#include "support/LoopbackPorts.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using namespace std::chrono_literals;

const std::string kExamples = std::string(NORV_SOURCE_DIR) + "/examples/";

TEST(CliTimeline, ABadLineStopsTheRunBeforeAnyOutput) {
  test::TempDir dir{"cli-timeline"};
  std::string text = "; a timeline with an unknown action on line 12\n[Receiver]\nSpeed=5\n"
                     "[Timeline]\n";
  for (int t = 1; t <= 7; ++t) text += std::to_string(t) + " = Speed=" + std::to_string(t) + "\n";
  text += "30 = teleport home\n";
  const auto file = dir.Write("bad.ini", text);
  const test::CliResult r = test::RunCli({"--scenario", file.string(), "--count", "3"});
  EXPECT_EQ(r.exitCode, 65);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(file.string() + ":12: [Timeline] teleport: unknown action"),
            std::string::npos) << r.err;
}

TEST(CliTimeline, TheSameSeedGivesTheSameBytesAndAnotherSeedOthers) {
  const auto run = [](const std::string& seed) {
    std::vector<std::string> args{"--scenario", kExamples + "noisy-line.ini", "--deterministic",
                                  "--count", "300", "--no-status"};
    if (!seed.empty()) args.insert(args.end(), {"--seed", seed});
    const test::CliResult r = test::RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
  };
  const std::string first = run("");
  EXPECT_EQ(first, run(""));
  EXPECT_EQ(first, run("7"));  // the example's own Seed
  EXPECT_NE(first, run("8"));
}

TEST(CliTimeline, ChecksumFaultsAreWhatTheSeedGives) {
  const test::CliResult r = test::RunCli({"--fault", "checksum:0.05", "--seed", "7",
                                          "--deterministic", "--count", "400", "--no-status"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::istringstream in(r.out);
  int sentences = 0, bad = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++sentences;
    bad += !test::ChecksumValid(line);
  }
  EXPECT_EQ(sentences, 14171);  // the 400 epochs of the built-in scenario, none lost
  EXPECT_EQ(bad, 694);          // seed 7's draw: 4.9 % of them
}

// gpsd reading norvgpssim's pseudo-terminal; its JSON reports collected by gpspipe -w.
class CliTimelineGpsd : public ::testing::Test {
 protected:
  void SetUp() override {
    FGpsd = test::FindProgram("gpsd");
    if (FGpsd.empty()) GTEST_SKIP() << "gpsd is not installed (scripts/setup.sh installs it)";
    FGpspipe = test::FindProgram("gpspipe");
    ASSERT_FALSE(FGpspipe.empty()) << "gpspipe is missing (Debian package gpsd-clients)";
  }

  // Runs the simulator with Args on a pty read by gpsd until it ends; returns gpsd's TPVs.
  std::vector<std::string> TpvsOf(std::vector<std::string> args) {
    const auto link = FDir.Path() / "gps0";
    args.insert(args.end(), {"--pty", link.string(), "--start-time", "2024-05-06T07:08:00Z",
                             "--no-status"});
    test::CliProcess sim(args);
    EXPECT_TRUE(sim.WaitForStderr("pseudo-terminal ")) << sim.Stderr();
    const std::string port = std::to_string(test::FreeLoopbackPort());
    test::TChildProcess gpsd, pipe;
    EXPECT_TRUE(gpsd.Start({FGpsd, "-N", "-n", "-b", "-D", "1", "-S", port, link.string()}, -1,
                           FDir.Path() / "gpsd.log"));
    for (int i = 0; i < 100 && !test::AcceptsConnections(std::stoi(port)); ++i)
      std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(pipe.Start({FGpspipe, "-w", "localhost:" + port},
                           test::TChildOutput{-1, FDir.Path() / "json", {}, false}));
    EXPECT_EQ(sim.Wait(60s), 0) << sim.Stderr();
    std::this_thread::sleep_for(500ms);
    pipe.Stop();
    gpsd.Stop();
    std::vector<std::string> tpvs;
    std::istringstream in(test::ReadWholeFile(FDir.Path() / "json"));
    for (std::string line; std::getline(in, line);)
      if (test::IsClass(line, "TPV") && test::StringField(line, "time")) tpvs.push_back(line);
    return tpvs;
  }

  // Seconds after 07:08:00 of a TPV's time.
  static int Second(const std::string& tpv) {
    const std::string t = test::StringField(tpv, "time").value_or("");
    return t.size() >= 19 ? std::stoi(t.substr(14, 2)) * 60 + std::stoi(t.substr(17, 2)) - 480 : -1;
  }

  test::TempDir FDir{"cli-timeline-gpsd"};
  std::string FGpsd, FGpspipe;
};

TEST_F(CliTimelineGpsd, TheTunnelTakesTheFixAwayAndGivesItBack) {
  const auto tpvs = TpvsOf({"--scenario", kExamples + "tunnel.ini", "--time-scale", "10",
                            "--duration", "65"});
  std::map<int, int> counts;  // 1: inside the window, 3: outside it
  for (const auto& tpv : tpvs) {
    const int s = Second(tpv), mode = static_cast<int>(test::NumberField(tpv, "mode").value_or(0));
    if (s == 20) continue;  // the epoch the fix goes: gpsd may still carry the last fix
    const bool inside = s > 20 && s < 50;
    EXPECT_EQ(mode, inside ? 1 : 3) << tpv;
    ++counts[inside ? 1 : (s < 20 ? 0 : 3)];
  }
  EXPECT_GT(counts[1], 20);  // most of the 30 epochs without a fix were read
  EXPECT_GT(counts[3], 5);   // and the fix came back after them
}

TEST_F(CliTimelineGpsd, NoFixComesFromACorruptedSentence) {
  // Flipped bytes change the content too: a fix gpsd built from one would be off the track.
  const std::vector<std::string> faults{"--fault", "checksum:0.05", "--fault", "flip:0.05",
                                        "--seed", "7", "--count", "60"};
  std::vector<std::string> clean{"--deterministic", "--start-time", "2024-05-06T07:08:00Z",
                                 "--count", "60", "--commands", "GGA", "--no-status"};
  const test::CliResult reference = test::RunCli(clean);
  std::map<int, std::pair<double, double>> track;  // second -> latitude, longitude
  std::istringstream in(reference.out);
  for (std::string line; std::getline(in, line);) {
    int h, m, s, latD, lonD;
    double latM, lonM;
    if (std::sscanf(line.c_str(), "$GPGGA,%2d%2d%2d.000,%2d%lf,N,%3d%lf,E", &h, &m, &s, &latD,
                    &latM, &lonD, &lonM) == 7)
      track[m * 60 + s - 480] = {latD + latM / 60, lonD + lonM / 60};
  }
  ASSERT_EQ(track.size(), 60u);
  std::vector<std::string> args = faults;
  args.insert(args.end(), {"--time-scale", "20"});
  const auto tpvs = TpvsOf(args);
  int fixes = 0;
  for (const auto& tpv : tpvs) {
    const auto lat = test::NumberField(tpv, "lat"), lon = test::NumberField(tpv, "lon");
    if (!lat || !lon) continue;
    ++fixes;
    ASSERT_TRUE(track.count(Second(tpv))) << tpv;
    EXPECT_NEAR(*lat, track[Second(tpv)].first, 1e-6) << tpv;
    EXPECT_NEAR(*lon, track[Second(tpv)].second, 1e-6) << tpv;
  }
  EXPECT_GT(fixes, 30);
  EXPECT_NE(test::ReadWholeFile(FDir.Path() / "gpsd.log").find("bad checksum"), std::string::npos);
}

}  // namespace
}  // namespace norv
