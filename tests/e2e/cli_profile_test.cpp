// norvgpssim's output profiles: --commands for the nmea4 profile, [Output] of a scenario, and
// the warning before the first epoch when the serial line is too slow for it.
#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norv {
namespace {

TEST(CliProfile, CommandsSelectTheNmea4Sentences) {
  const test::CliResult r = test::RunCli(
      {"--profile", "nmea4", "--commands", "GGA,GSV", "--deterministic", "--count", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::size_t gga = 0, others = 0;
  for (std::size_t at = 0; at < r.out.size(); at = r.out.find('\n', at) + 1) {
    const std::string kind = r.out.substr(at + 1, 5);
    gga += kind == "GNGGA";
    others += kind != "GNGGA" && kind.substr(2) != "GSV";
  }
  EXPECT_EQ(gga, 2u);
  EXPECT_EQ(others, 0u) << r.out;
}

TEST(CliProfile, TheScenarioNamesTheProfileAndABadOneIsRefused) {
  test::TempDir dir{"cli-profile"};
  const auto good = dir.Write("good.ini", "[Output]\nProfile=nmea4\nTalker=GP\n");
  const test::CliResult r = test::RunCli({"--scenario", good.string(), "--deterministic",
                                          "--count", "1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 6), "$GPRMC");
  // The command line has the last word: the classic profile says nothing without a satellite.
  EXPECT_EQ(test::RunCli({"--scenario", good.string(), "--profile", "classic", "--deterministic",
                          "--count", "1"}).out, "");
  const auto bad = dir.Write("bad.ini", "[Output]\nProfile=modern\n");
  const test::CliResult refused = test::RunCli({"--scenario", bad.string(), "--count", "1"});
  EXPECT_EQ(refused.exitCode, 65);
  EXPECT_NE(refused.err.find("bad.ini:2: [Output] Profile"), std::string::npos) << refused.err;
}

TEST(CliProfile, ASlowSerialLineIsNamedBeforeTheFirstEpoch) {
  test::Pseudoterminal line(test::Pseudoterminal::SlaveEnd::Closed,
                            test::Pseudoterminal::LineMode::Raw);
  ASSERT_TRUE(line.Open());
  // The classic epoch of the built-in scenario is 1,934 bytes: 4800 baud carries 480.
  test::CliProcess p({"--port", line.Path(), "--no-status", "--deterministic", "--count", "1"});
  ASSERT_TRUE(p.WaitForStderr("--baud 38400")) << p.Stderr();
  EXPECT_NE(p.Stderr().find("an epoch is 1934 bytes"), std::string::npos) << p.Stderr();
  while (!p.Wait(std::chrono::milliseconds(0)))
    line.ReadUntilQuiet(std::chrono::milliseconds(50), std::chrono::milliseconds(200));
  EXPECT_EQ(p.Wait(), 0) << p.Stderr();
}

}  // namespace
}  // namespace norv
