// A synchronous Send stalled on a reader that takes nothing: Disconnect from another thread ends
// it at once with the count of what went out, and nothing but other writers waits behind it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "norv/core/TNorvGPSSimulator.h"
#include "serial/SerialTestSupport.h"
#include "support/Pseudoterminal.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Counts the bytes every write call reports taken.
std::atomic<std::size_t>& BytesTaken() {
  static std::atomic<std::size_t> bytes{0};
  return bytes;
}

ssize_t CountingWrite(int fd, const void* data, std::size_t count) {
  const ssize_t n = ::write(fd, data, count);
  if (n > 0) BytesTaken() += static_cast<std::size_t>(n);
  return n;
}

class StalledSend : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gps.Connect(pty.Path(), 115200)) << gps.LastError();
    test::FillLine(gps);
    BytesTaken() = 0;
    calls->Write = CountingWrite;
    // 40 KB: with 3 ms a byte this Send could wait two minutes.
    sender = std::thread([this] {
      sent = gps.Send(std::string(40000, 's'));
      returned = Clock::now();
    });
    std::this_thread::sleep_for(150ms);  // the Send is now waiting for room
  }
  void TearDown() override {
    if (sender.joinable()) {
      gps.Disconnect();
      sender.join();
    }
  }
  test::Pseudoterminal pty;
  TNorvGPSSimulator gps;
  test::SystemCallsOverride calls;
  std::thread sender;
  std::atomic<std::uint32_t> sent{0};
  Clock::time_point returned;
};

TEST_F(StalledSend, DisconnectEndsItWithTheBytesThatWentOut) {
  // The reader takes a little, so that some of the text goes out before the line stalls again.
  EXPECT_GT(pty.Read(20000, 300ms).size(), 0u);
  std::this_thread::sleep_for(50ms);
  const auto start = Clock::now();
  gps.Disconnect();
  sender.join();
  EXPECT_LT(returned - start, 100ms);
  EXPECT_GT(sent, 0u);
  EXPECT_EQ(sent, BytesTaken()) << "Send's count differs from what the line took";
  EXPECT_FALSE(gps.IsConnected());
  EXPECT_EQ(gps.LastError(), "");
}

TEST_F(StalledSend, OnlyOtherWritersWaitBehindIt) {
  const auto start = Clock::now();
  gps.SendOnNewThread("$GPZDA*00\r\n");
  EXPECT_EQ(gps.Port(), pty.Path());
  EXPECT_TRUE(gps.IsConnected());
  EXPECT_TRUE(gps.SetDCBState(9600)) << gps.LastError();
  EXPECT_EQ(gps.LastError(), "");
  EXPECT_EQ(gps.BaudRate(), 9600);
  EXPECT_LT(Clock::now() - start, 50ms);
  EXPECT_EQ(sent, 0u) << "the Send ended early";
}

}  // namespace
}  // namespace norv
