// norvgpssim's sentences on stdout: the deterministic transcript, the virtual clock, the rate,
// the start time, the sentence selection and the run length.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <set>

#include "support/CliProcess.h"
#include "e2e/NmeaText.h"

namespace norv {
namespace {

using test::RunCli;

const std::string kGolden = NORV_SOURCE_DIR "/tests/e2e/golden/builtin-deterministic-5.nmea";

// Each distinct sentence time in order of appearance, with the number of sentences carrying it.
std::vector<std::pair<std::string, int>> TimesInOrder(const std::string& text) {
  std::vector<std::pair<std::string, int>> times;
  for (const auto& s : test::SplitSentences(text)) {
    const auto t = test::SentenceTime(s);
    if (!t) continue;
    if (times.empty() || times.back().first != *t) times.emplace_back(*t, 0);
    ++times.back().second;
  }
  return times;
}

// The golden transcript pins what a user sees first: the built-in scenario (position off Kiel
// lighthouse, 12.5 kn on 84.3 degrees, DOPs, altitude, geoid height, 8 GPS + 5 GLONASS + 4
// BeiDou satellites, the active three-waypoint route), its motion between epochs, the virtual
// clock of --deterministic (2024-03-01T12:00:00Z, one epoch a second) and GetNMEA's sentence set
// and order. It was produced by `norvgpssim --deterministic --count 5` and reviewed by hand:
// one time per epoch, 1 s apart; latitude and longitude creeping north-east by ~6.4 m an epoch;
// GP, GL and BD talkers; WPL and RTE for the route and no AAM (the first waypoint is 0.5 NM on).
TEST(CliOutput, DeterministicRunIsByteIdenticalAndEqualsTheGoldenTranscript) {
  const auto first = RunCli({"--deterministic", "--count", "5"});
  const auto second = RunCli({"--deterministic", "--count", "5"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(first.out, second.out);
  const std::string golden = test::ReadWholeFile(kGolden);
  ASSERT_FALSE(golden.empty()) << "missing " << kGolden;
  EXPECT_EQ(first.out, golden);
}

TEST(CliOutput, EverySentenceIsFramedAndEachEpochCarriesOneInstant) {
  const auto r = RunCli({"--deterministic", "--count", "4", "--start-time", "2031-07-04T08:15:30Z"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const auto& s : test::SplitSentences(r.out)) EXPECT_TRUE(test::ChecksumValid(s)) << s;
  const auto times = TimesInOrder(r.out);
  ASSERT_EQ(times.size(), 4u);
  for (std::size_t i = 0; i < times.size(); ++i) {
    EXPECT_EQ(times[i].first, "0815" + std::to_string(30 + i) + ".000");
    EXPECT_EQ(times[i].second, times[0].second) << "an epoch's sentences disagree on the time";
  }
  EXPECT_NE(r.out.find("$GPZDA,081530.000,04,07,2031,"), std::string::npos);
}

TEST(CliOutput, RateSetsTheSpacingOfEpochInstantsAndDurationTheirNumber) {
  struct Case {
    std::vector<std::string> args;
    std::size_t epochs;
    double spacing;
  } cases[] = {
      {{"--rate", "4", "--count", "6"}, 6, 0.25},
      {{"--rate", "2", "--duration", "2.5"}, 5, 0.5},
      {{"--rate", "0.5", "--duration", "10", "--count", "3"}, 3, 2.0},
      {{"--duration", "3"}, 3, 1.0},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"--deterministic", "--commands", "GGA"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto times = TimesInOrder(r.out);
    ASSERT_EQ(times.size(), c.epochs);
    for (std::size_t i = 1; i < times.size(); ++i)
      EXPECT_NEAR(test::SecondsOfDay(times[i].first) - test::SecondsOfDay(times[i - 1].first),
                  c.spacing, 1e-9);
  }
}

TEST(CliOutput, StartTimeAcrossMidnightRollsTheDate) {
  const auto r = RunCli({"--deterministic", "--count", "3", "--commands", "ZDA",
                         "--start-time", "2030-12-31T23:59:59+00:00"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("$GPZDA,235959.000,31,12,2030,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("$GPZDA,000000.000,01,01,2031,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("$GPZDA,000001.000,01,01,2031,"), std::string::npos) << r.out;
}

TEST(CliOutput, CommandsSelectTheSentenceKindsInGetNMEAOrder) {
  const auto r = RunCli({"--deterministic", "--count", "2", "--commands", "rmc,GPGGA"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> kinds;
  std::set<std::string> talkers;
  for (const auto& s : test::SplitSentences(r.out)) {
    kinds.push_back(test::SentenceKind(s));
    talkers.insert(s.substr(1, 2));
  }
  const std::vector<std::string> epoch{"GGA", "GGA", "GGA", "RMC", "RMC", "RMC"};
  std::vector<std::string> expected = epoch;
  expected.insert(expected.end(), epoch.begin(), epoch.end());
  EXPECT_EQ(kinds, expected);
  EXPECT_EQ(talkers, (std::set<std::string>{"GP", "GL", "BD"}));
}

// Consecutive GGA positions of the built-in scenario: 12.5 kn for one second is 6.43 m, on a
// course of 84.3 degrees.
TEST(CliOutput, BuiltInScenarioMovesAtItsSpeedAlongItsHeading) {
  const auto r = RunCli({"--deterministic", "--count", "30", "--commands", "GGA"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::pair<double, double>> fixes;
  for (const auto& s : test::SplitSentences(r.out))
    if (s.rfind("$GPGGA", 0) == 0) {
      const auto f = test::SentenceFields(s);
      fixes.emplace_back(test::NmeaDegrees(f[2], f[3]), test::NmeaDegrees(f[4], f[5]));
    }
  ASSERT_EQ(fixes.size(), 30u);
  constexpr double kMetresPerDegree = 6378140.0 * std::numbers::pi / 180;
  const double expected = 12.5 * 1852 / 3600;
  for (std::size_t i = 1; i < fixes.size(); ++i) {
    const double north = (fixes[i].first - fixes[i - 1].first) * kMetresPerDegree;
    const double east = (fixes[i].second - fixes[i - 1].second) * kMetresPerDegree *
                        std::cos(fixes[i].first * std::numbers::pi / 180);
    EXPECT_NEAR(std::hypot(north, east), expected, 0.01) << "epoch " << i;
    EXPECT_NEAR(std::atan2(east, north) * 180 / std::numbers::pi, 84.3, 0.1) << "epoch " << i;
  }
}

TEST(CliOutput, AStdoutReaderThatGoesAwayEndsTheRunCleanly) {
  // An endless run into `head`: when head has its bytes and closes the pipe, norvgpssim must
  // notice (EPIPE, not a SIGPIPE death) and end with status 0.
  const std::string command = "bash -c 'timeout 20 " + test::kCliBinary +
                              " --deterministic | head -c 100 >/dev/null; echo ${PIPESTATUS[0]}'";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char status[16] = {};
  const bool read = std::fgets(status, sizeof status, pipe) != nullptr;
  ::pclose(pipe);
  ASSERT_TRUE(read);
  EXPECT_STREQ(status, "0\n");
}

}  // namespace
}  // namespace norv
