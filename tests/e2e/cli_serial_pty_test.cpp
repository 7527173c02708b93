// norvgpssim on a serial line (a pseudo-terminal pair the test opens) and on a pseudo-terminal
// of its own (--pty): what a client reads is exactly the epochs' text, and the link goes away.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "support/CliProcess.h"
#include "e2e/NmeaText.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using namespace std::chrono_literals;

// Reads the line while the program runs, and what is left once it has ended.
std::string ReadWhileRunning(test::Pseudoterminal& line, test::CliProcess& p) {
  std::string got;
  while (!p.Wait(0ms)) got += line.ReadUntilQuiet(50ms, 200ms);
  return got + line.ReadUntilQuiet(200ms, 2s);
}

TEST(CliSerial, TheLineCarriesExactlyTheTextOfTheEpochs) {
  const std::string expected = test::RunCli({"--deterministic", "--count", "3"}).out;
  ASSERT_FALSE(expected.empty());
  for (const char* mode : {"--no-status", "--background"}) {
    SCOPED_TRACE(mode);
    test::Pseudoterminal line(test::Pseudoterminal::SlaveEnd::Closed,
                              test::Pseudoterminal::LineMode::Raw);
    ASSERT_TRUE(line.Open());
    test::CliProcess p({"--port", line.Path(), "--baud", "115200", mode, "--stdout",
                        "--deterministic", "--count", "3"});
    const std::string got = ReadWhileRunning(line, p);
    EXPECT_EQ(p.Wait(), 0) << p.Stderr();
    EXPECT_EQ(got, expected);
    EXPECT_EQ(p.Stdout(), expected) << "stdout as well, with --stdout";
  }
}

// Opens the pty through its link as a client program would, and reads for a while.
std::string ReadAsClient(const std::filesystem::path& link, std::chrono::milliseconds time) {
  const int fd = ::open(link.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "open failed: " + std::string(std::strerror(errno));
  std::string got;
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) got.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return got;
}

TEST(CliPty, AClientReadsWholeEpochsAndSigintRemovesTheLink) {
  test::TempDir dir("cli-pty");
  const auto link = dir / "gps0";
  std::filesystem::create_symlink("/dev/pts/norv-gone", link);  // dangling: left by a crash
  test::CliProcess p({"--pty", link.string(), "--time-scale", "10", "--no-status",
                      "--start-time", "2024-05-06T07:08:00Z"});
  ASSERT_TRUE(p.WaitForStderr("pseudo-terminal ")) << p.Stderr();
  const std::string device = p.StderrValue("pseudo-terminal ");
  EXPECT_EQ(std::filesystem::read_symlink(link), device);

  const std::string text = ReadAsClient(link, 1500ms);
  auto sentences = test::SplitSentences(text.substr(0, text.rfind("\r\n") + 2));
  ASSERT_GT(sentences.size(), 20u) << text;
  EXPECT_EQ(test::SentenceKind(sentences.front()), "ZDA") << "a client starts on an epoch";
  double previous = -1;
  for (const auto& s : sentences) {
    ASSERT_TRUE(test::ChecksumValid(s)) << s;
    const auto t = test::SentenceTime(s);
    if (!t) continue;
    const double now = test::SecondsOfDay(*t);
    if (previous >= 0 && now != previous) {
      EXPECT_DOUBLE_EQ(now - previous, 1.0) << s;
    }
    previous = now;
  }

  p.Signal(SIGINT);
  EXPECT_EQ(p.Wait(), 0) << p.Stderr();
  std::error_code ec;
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link, ec)))
      << "the link outlived the program";
}

TEST(CliPty, SigtermEndsAPausedRunCleanlyToo) {
  test::TempDir dir("cli-pty-term");
  const auto link = dir / "gps0";
  test::CliProcess p({"--pty", link.string(), "--rate", "0.2", "--no-status"});
  ASSERT_TRUE(p.WaitForStderr("pseudo-terminal ")) << p.Stderr();
  ASSERT_TRUE(std::filesystem::is_symlink(link));
  p.Signal(SIGTERM);  // in the middle of a five-second wait for the next epoch
  EXPECT_EQ(p.Wait(2s), 0) << p.Stderr();
  std::error_code ec;
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link, ec)));
}

}  // namespace
}  // namespace norv
