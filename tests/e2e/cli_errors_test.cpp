// norvgpssim's failures: one line on stderr naming the problem, and the exit code for its kind
// (64 bad command line, 65 bad scenario, 74 unusable output).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "support/CliProcess.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using test::RunCli;

constexpr int kUsage = 64, kScenario = 65, kOutput = 74;

// Exactly one line, from the program, holding every expected piece.
void ExpectOneLineError(const test::CliResult& r, int code,
                        const std::vector<std::string>& pieces) {
  EXPECT_EQ(r.exitCode, code) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.err.rfind("norvgpssim: ", 0), 0u) << r.err;
  for (const auto& p : pieces) EXPECT_NE(r.err.find(p), std::string::npos) << "'" << p << "' in " << r.err;
  EXPECT_TRUE(r.out.empty()) << "no sentences before an error: " << r.out.substr(0, 200);
}

TEST(CliErrors, BadCommandLinesAreUsageErrors) {
  const struct {
    std::vector<std::string> args;
    std::string names;
  } cases[] = {
      {{"--frobnicate"}, "--frobnicate"},
      {{"--rate", "0"}, "--rate"},
      {{"--rate", "fast"}, "--rate"},
      {{"--count", "-3"}, "--count"},
      {{"--start-time", "yesterday"}, "yesterday"},
      {{"--start-time", "2024-02-30T00:00:00Z"}, "2024-02-30"},
      {{"--commands", "GGA,XYZ"}, "XYZ"},
      {{"--background"}, "--port"},
      {{"--bind", "0.0.0.0"}, "--tcp"},
      {{"skyplot"}, "--output"},
      {{"skyplot", "-o", "sky.bmp"}, "sky.bmp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    ExpectOneLineError(RunCli(c.args), kUsage, {c.names});
  }
}

TEST(CliErrors, BadScenariosNameTheFileTheLineAndTheLibrarysMessage) {
  test::TempDir dir("cli-scenario");
  dir.Write("sats.ini", "[5]\nActive=1\nElevation=40\n[7]\nActive=1\nElevation=95\n");
  dir.Write("wps.ini", "[WP1]\nLatitude_Minute=59\n[WP2]\nLatitude_Degree=1\nLatitude_Minute=60\n");
  dir.Write("empty.ini", "; no sections\n");
  const struct {
    std::string text;
    std::vector<std::string> pieces;
  } cases[] = {
      {"[Receiver]\nSpeed=3\nLatitude_Degree=91\n",
       {"bad.ini:3: [Receiver] Latitude_Degree: Latitude Degree must be between 0 and 90."}},
      {"[Receiver]\nHeading=360\n",
       {"bad.ini:2: [Receiver] Heading: Heading must be between 0 and 360."}},
      {"[Receiver]\nLatitude_Direction=cpEast\n",
       {"bad.ini:2: [Receiver] Latitude_Direction: Latitude Direction must be north or south."}},
      {"[Receiver]\n\nLatitude_Direction=Up\n", {"bad.ini:3:", "'Up'", "Latitude_Direction"}},
      {"[Receiver]\nLattitude_Degree=4\n", {"bad.ini:2:", "Lattitude_Degree"}},
      {"[Reciever]\nSpeed=1\n", {"bad.ini:1:", "[Reciever]"}},
      {"[Motion]\nMode=drift\n", {"bad.ini:2:", "drift"}},
      {"[Motion]\nMode=route\n", {"bad.ini:2:", "route"}},
      {"[Files]\nSatellites=none.ini\n", {"bad.ini:2:", "none.ini"}},
      {"[Files]\nSatellites=sats.ini\n",
       {"sats.ini:6: [7] Elevation: Elevation must be between 0 and 90."}},
      {"[Files]\nWayPoints=wps.ini\n",
       {"wps.ini:5: [WP2] Latitude_Minute: Latitude Minute must be between 0 and 60."}},
      {"[Files]\nRoute=empty.ini\n", {"empty.ini: the file has no sections"}},
      {"Speed=1\n[Receiver]\n", {"bad.ini:1: Speed: a key before the first section header"}},
      {"[Receiver]\nSpeed=1\n[Motion\nMode=route\n", {"bad.ini:3: a section header without ']'"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto file = dir.Write("bad.ini", c.text);
    ExpectOneLineError(RunCli({"--scenario", file.string(), "--deterministic", "--count", "1"}),
                       kScenario, c.pieces);
  }
  ExpectOneLineError(RunCli({"--scenario", (dir / "missing.ini").string()}), kScenario,
                     {"missing.ini"});
}

TEST(CliErrors, AMissingSerialPortShowsTheOperatingSystemsReason) {
  ExpectOneLineError(RunCli({"--port", "/dev/norv-no-such-port", "--count", "1"}), kOutput,
                     {"/dev/norv-no-such-port", "No such file or directory"});
}

TEST(CliErrors, ABusySerialPortIsRefused) {
  test::Pseudoterminal line(test::Pseudoterminal::SlaveEnd::Closed,
                            test::Pseudoterminal::LineMode::Raw);
  ASSERT_TRUE(line.Open());
  test::CliProcess holder({"--port", line.Path(), "--baud", "115200", "--no-status"});
  ASSERT_TRUE(holder.WaitForStderr("transmitting on")) << holder.Stderr();
  const auto second = RunCli({"--port", line.Path(), "--count", "1"});
  ExpectOneLineError(second, kOutput, {line.Path(), "in use"});
  holder.Signal(SIGTERM);
  EXPECT_EQ(holder.Wait(), 0) << holder.Stderr();
}

TEST(CliErrors, ATcpPortTakenByAnotherProgramIsRefused) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(s, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&addr), len), 0);
  ASSERT_EQ(::listen(s, 1), 0);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  const std::string port = std::to_string(ntohs(addr.sin_port));
  ExpectOneLineError(RunCli({"--tcp", port, "--count", "1"}), kOutput,
                     {port, "Address already in use"});
  ExpectOneLineError(RunCli({"--tcp", "0", "--bind", "no-such-host.invalid", "--count", "1"}),
                     kUsage, {"--bind", "no-such-host.invalid"});
  ::close(s);
}

TEST(CliErrors, APtyLinkOverSomethingElseIsRefusedAndLeftAlone) {
  test::TempDir dir("cli-link");
  const auto file = dir.Write("gps0", "keep me");
  ExpectOneLineError(RunCli({"--pty", file.string(), "--count", "1"}), kOutput,
                     {file.string(), "not a symlink"});
  EXPECT_EQ(test::ReadWholeFile(file), "keep me");
  const auto target = dir.Write("device", "");
  std::filesystem::create_symlink(target, dir / "gps1");
  ExpectOneLineError(RunCli({"--pty", (dir / "gps1").string(), "--count", "1"}), kOutput,
                     {"gps1", "already points to"});
  EXPECT_EQ(std::filesystem::read_symlink(dir / "gps1"), target);
}

}  // namespace
}  // namespace norv
