// The CLI's own pseudo-terminal and its reader: a reader held up for a moment (a busy machine)
// loses no epoch; a device nobody reads keeps only whole, recent epochs, so a client that opens
// it late starts on an epoch boundary with every sentence intact.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "support/CliProcess.h"
#include "e2e/NmeaText.h"
#include "faults/FileFaults.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Reads the device for Time, pausing for Stall after every Every of reading.
std::string ReadWithStalls(const std::string& Device, Clock::duration Time, Clock::duration Every,
                           Clock::duration Stall) {
  const int fd = ::open(Device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "open failed";
  std::string got;
  const auto end = Clock::now() + Time;
  auto nextStall = Clock::now() + Every;
  while (Clock::now() < end) {
    if (Clock::now() >= nextStall) {
      std::this_thread::sleep_for(Stall);
      nextStall = Clock::now() + Every;
    }
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 10) <= 0) continue;
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) got.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return got;
}

// The GPS ZDA times of the whole sentences of Text, in seconds of the day; every sentence's
// checksum is checked on the way.
std::vector<double> EpochTimes(const std::string& Text) {
  std::vector<double> times;
  for (const auto& s : test::SplitSentences(Text.substr(0, Text.rfind("\r\n") + 2))) {
    EXPECT_TRUE(test::ChecksumValid(s)) << s;
    if (s.rfind("$GPZDA,", 0) == 0) times.push_back(test::SecondsOfDay(*test::SentenceTime(s)));
  }
  return times;
}

void ExpectConsecutive(const std::vector<double>& Times, double Step) {
  for (std::size_t i = 1; i < Times.size(); ++i)
    ASSERT_NEAR(Times[i] - Times[i - 1], Step, 1e-6) << "epoch " << i << " of " << Times.size();
}

class CliPtyReader : public ::testing::Test {
 protected:
  void Start(const std::string& Rate) {
    if (::access(test::kCliBinary.c_str(), X_OK) != 0)
      GTEST_SKIP() << "no CLI in this build: " << test::kCliBinary;
    FCli.emplace(std::vector<std::string>{"--pty", (FDir.Path() / "gps0").string(), "--rate", Rate,
                                          "--no-status"});
    ASSERT_TRUE(FCli->WaitForStderr("pseudo-terminal ")) << FCli->Stderr();
    FDevice = FCli->StderrValue("pseudo-terminal ");
  }
  test::TempDir FDir{"cli-pty-reader"};
  std::optional<test::CliProcess> FCli;
  std::string FDevice;
};

TEST_F(CliPtyReader, AReaderHeldUpForAMomentLosesNoEpoch) {
  Start("20");
  if (IsSkipped() || HasFatalFailure()) return;
  // 300 ms without reading every second: six epochs pile up, and are all read afterwards.
  const std::string text = ReadWithStalls(FDevice, 3500ms, 700ms, 300ms);
  const std::vector<double> times = EpochTimes(text);
  EXPECT_GE(times.size(), 50u);
  ExpectConsecutive(times, 0.05);
}

TEST_F(CliPtyReader, AClientOpeningLateStartsOnAWholeRecentEpoch) {
  Start("50");  // some 100 kB a second into a device nobody reads
  if (IsSkipped() || HasFatalFailure()) return;
  std::this_thread::sleep_for(2500ms);
  const std::string text = ReadWithStalls(FDevice, 400ms, 1s, 0ms);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.rfind("$GPZDA,", 0), 0u) << "not an epoch's first sentence: " << text.substr(0, 80);
  const std::vector<double> times = EpochTimes(text);
  ASSERT_GE(times.size(), 5u);
  ExpectConsecutive(times, 0.02);
}

}  // namespace
}  // namespace norv
