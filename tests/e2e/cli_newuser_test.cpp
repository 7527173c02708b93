// norvgpssim as a new user meets it: the scenario template, short forms, checks of a
// scenario's values and files, SIGHUP, and the warnings of an endless deterministic run.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "support/CliProcess.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using test::RunCli;

const std::vector<std::string> kThreeEpochs = {"--deterministic", "--count", "3", "--no-status"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(CliNewUser, TheTemplateRunsAsTheBuiltInScenario) {
  test::TempDir dir("cli-template");
  const auto templ = RunCli({"scenario", "--template"});
  ASSERT_EQ(templ.exitCode, 0) << templ.err;
  for (const char* section : {"[Receiver]", "[Files]", "[Motion]", "[Output]", "[Sky]"})
    EXPECT_NE(templ.out.find(section), std::string::npos) << section;
  const auto file = dir.Write("s.ini", templ.out);
  const auto builtin = RunCli(kThreeEpochs);
  const auto fromFile = RunCli(With({"--scenario", file.string()}, kThreeEpochs));
  ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
  EXPECT_FALSE(builtin.out.empty());
  EXPECT_EQ(fromFile.out, builtin.out);
}

TEST(CliNewUser, ShortFormsReadAsTheLongOnes) {
  test::TempDir dir("cli-short");
  const auto file = dir.Write("s.ini", "[Receiver]\nLatitude_Direction=S\nLongitude_Direction=W\n"
                                       "Commands=GGA, RMC\n[Files]\nSatellites=builtin\n");
  const auto r = RunCli(With({"--scenario", file.string()}, kThreeEpochs));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("$GPGGA,"), std::string::npos);
  EXPECT_NE(r.out.find(",S,"), std::string::npos);
  EXPECT_NE(r.out.find(",W,"), std::string::npos);
  EXPECT_EQ(r.out.find("$GPGSV"), std::string::npos) << "only the kinds named";
}

TEST(CliNewUser, SpeedIsCheckedAndSatelliteFilesWarned) {
  test::TempDir dir("cli-checks");
  dir.Write("sats.ini", "[5]\nActive=1\nElevation=40\nTipe=GPS\n");
  const auto negative = dir.Write("neg.ini", "[Receiver]\nSpeed=-5\n");
  const auto fast = dir.Write("fast.ini", "[Receiver]\nSpeed=2000\n");
  const auto sats = dir.Write("sats-scenario.ini", "[Files]\nSatellites=sats.ini\n");

  const auto r1 = RunCli(With({"--scenario", negative.string()}, kThreeEpochs));
  EXPECT_EQ(r1.exitCode, 65);
  EXPECT_NE(r1.err.find("negative speed"), std::string::npos) << r1.err;
  const auto r2 = RunCli(With({"--scenario", fast.string()}, kThreeEpochs));
  EXPECT_EQ(r2.exitCode, 0);
  EXPECT_NE(r2.err.find("warning: Speed 2000 knots"), std::string::npos) << r2.err;
  const auto r3 = RunCli(With({"--scenario", sats.string()}, kThreeEpochs));
  EXPECT_EQ(r3.exitCode, 0);
  EXPECT_NE(r3.err.find("sats.ini:4: [5] Tipe: unknown key"), std::string::npos) << r3.err;
  const auto r4 = RunCli(With({"--scenario", sats.string(), "--strict"}, kThreeEpochs));
  EXPECT_EQ(r4.exitCode, 65) << r4.err;
  EXPECT_TRUE(r4.out.empty());
}

TEST(CliNewUser, HangUpStopsCleanlyAndRemovesThePtyLink) {
  test::TempDir dir("cli-hup");
  const auto link = dir / "gps0";
  test::CliProcess run({"--pty", link.string(), "--no-status"});
  ASSERT_TRUE(run.WaitForStderr("pseudo-terminal")) << run.Stderr();
  ASSERT_TRUE(std::filesystem::is_symlink(link));
  run.Signal(SIGHUP);
  EXPECT_EQ(run.Wait(), 0) << run.Stderr();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(CliNewUser, AnEndlessDeterministicRunIsWarnedAbout) {
  test::CliProcess run({"--deterministic", "--no-status", "--commands", "ZDA"});
  EXPECT_TRUE(run.WaitForStderr("runs unpaced until stopped")) << run.Stderr();
  run.Signal(SIGTERM);
  EXPECT_EQ(run.Wait(), 0);
  EXPECT_EQ(RunCli(kThreeEpochs).err.find("unpaced"), std::string::npos);
}

// A million simulated seconds a wall second at 100 Hz: no output keeps up, and the warning
// names the time scale, the cause here.
TEST(CliNewUser, FallingBehindNamesTheTimeScale) {
  const auto r = RunCli({"--time-scale", "1e6", "--rate", "100", "--count", "50", "--no-status"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("falling behind"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--time-scale"), std::string::npos) << r.err;
}

TEST(CliNewUser, BindResolvesAHostName) {
  const auto r = RunCli(With({"--tcp", "0", "--bind", "localhost"}, kThreeEpochs));
  EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST(CliNewUser, ASkyPlotGoesToStdout) {
  const auto r = RunCli({"skyplot", "-o", "-", "--radius", "20"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(1, 3), "PNG");
  EXPECT_NE(r.err.find("written to stdout"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace norv
