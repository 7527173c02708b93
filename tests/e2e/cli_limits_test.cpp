// norvgpssim at the edges of what it can represent: numbers, the calendar, a file-size limit,
// and a scenario that leaves nothing to send.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/CliProcess.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using test::RunCli;

constexpr int kUsage = 64;

// Each is refused before any sentence, with one line naming the option and the offending value.
TEST(CliLimits, NonFiniteOrOutOfRangeNumbersAndDatesAreRefused) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> pieces;
  } cases[] = {
      {{"--duration", "nan"}, {"--duration", "'nan'"}},
      {{"--rate", "nan", "--count", "3"}, {"--rate", "'nan'", "0.001 to 100"}},
      {{"--time-scale", "nan"}, {"--time-scale", "'nan'"}},
      {{"--time-scale", "-inf"}, {"--time-scale", "'-inf'"}},
      {{"--deterministic", "--duration", "1e20"}, {"--duration", "'1e20'"}},
      {{"--count", "18446744073709551616"}, {"--count", "9223372036854775807"}},
      {{"--tcp", "65536"}, {"--tcp", "'65536'"}},
      {{"--deterministic", "--start-time", "1899-12-29T06:00:00Z", "--count", "2"}, {"--start-time"}},
      {{"--deterministic", "--start-time", "1800-06-15T12:30:00Z", "--count", "2"}, {"--start-time"}},
      {{"--deterministic", "--start-time", "9999-12-31T23:59:59Z", "--count", "2"}, {"calendar's end"}},
      {{"--deterministic", "--count", "9223372036854775807"}, {"calendar's end"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const test::CliResult r = RunCli(c.args, std::chrono::seconds(5));
    EXPECT_EQ(r.exitCode, kUsage) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    for (const auto& p : c.pieces) EXPECT_NE(r.err.find(p), std::string::npos) << p << " in " << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out.substr(0, 200);
  }
}

// An unbounded run stops at the calendar's last instant instead of printing year 1000.
TEST(CliLimits, UnboundedRunStopsAtTheEndOfTheCalendar) {
  const test::CliResult r =
      RunCli({"--deterministic", "--start-time", "9999-12-31T23:59:58Z", "--commands", "ZDA"},
             std::chrono::seconds(5));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.find("1000"), std::string::npos) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 6) << r.out;  // two epochs, 3 talkers
  EXPECT_NE(r.err.find("end of the calendar"), std::string::npos) << r.err;
}

// A value no sentence can carry is refused where the scenario gives it, not printed as NAN.
TEST(CliLimits, NonFiniteScenarioValuesAreRefusedWithTheirLine) {
  test::TempDir dir("cli-nan");
  for (const char* line : {"Speed=nan", "Altitude=inf", "Geo_Height=-inf", "Speed=1e4000"}) {
    SCOPED_TRACE(line);
    dir.Write("nan.ini", std::string("[Receiver]\n") + line + "\n[Motion]\nMode=constant\n");
    const test::CliResult r =
        RunCli({"--scenario", (dir.Path() / "nan.ini").string(), "--deterministic", "--count", "2"});
    EXPECT_EQ(r.exitCode, 65) << r.err;
    EXPECT_NE(r.err.find("nan.ini:2:"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("must be a finite number."), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

TEST(CliLimits, ScenarioWithoutActiveSatelliteIsReportedOnceAtStart) {
  test::TempDir dir("cli-nosat");
  dir.Write("empty.ini", "");
  const test::CliResult r =
      RunCli({"--scenario", (dir.Path() / "empty.ini").string(), "--deterministic", "--count", "3"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "norvgpssim: the scenario has no active satellite: no sentence is sent until "
                   "one is active\n");
  EXPECT_TRUE(r.out.empty());
}

// Under a file-size limit the save fails with the system's message and the old file stays,
// instead of SIGXFSZ killing the program.
TEST(CliLimits, FileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
  test::TempDir dir("cli-fsize");
  const std::string png = (dir.Path() / "sky.png").string();
  dir.Write("sky.png", "old");
  test::TChildProcess child;
  const std::filesystem::path err = dir.Path() / "err";
  ASSERT_TRUE(child.Start({"/bin/sh", "-c", "ulimit -f 1 && exec \"$0\" skyplot -o \"$1\"",
                           test::kCliBinary, png},
                          test::TChildOutput{-1, {}, err, false}));
  const std::optional<int> code = child.Wait();
  EXPECT_TRUE(code && *code != 0 && *code < 128) << (code ? *code : -1);
  EXPECT_NE(test::ReadWholeFile(err).find("File too large"), std::string::npos)
      << test::ReadWholeFile(err);
  EXPECT_EQ(test::ReadWholeFile(png), "old");
}

}  // namespace
}  // namespace norv
