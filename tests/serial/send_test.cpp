#include <gtest/gtest.h>

#include "norv/core/TNorvGPSSimulator.h"
#include "serial/SerialTestSupport.h"
#include "support/Pseudoterminal.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using test::SystemCallsOverride;
using test::Pseudoterminal;
using Clock = std::chrono::steady_clock;

class SendTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gps.Connect(pty.Path(), 115200)) << gps.LastError(); }
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
};

TEST_F(SendTest, WritesTheBytesBeforeTheFirstNul) {
  struct Case {
    std::string text;
    std::string sent;
  };
  const Case cases[] = {
      {"$GPGGA,,,,,,0,,,,,,,,*66\r\n", "$GPGGA,,,,,,0,,,,,,,,*66\r\n"},
      {std::string("ab\0cd", 5), "ab"},
      {std::string("\0xyz", 4), ""},
      {"", ""},
      {std::string(3000, 'n'), std::string(3000, 'n')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sent.substr(0, 10));
    EXPECT_EQ(gps.Send(c.text), c.sent.size());
    EXPECT_EQ(pty.Read(c.sent.size() + 1, 150ms), c.sent);
  }
}

TEST_F(SendTest, NothingWithoutAnOpenPort) {
  gps.Disconnect();
  EXPECT_EQ(gps.Send("abc"), 0u);
  // A port name without an open port: the write fails and says why.
  gps.SetPort(pty.Path());
  EXPECT_EQ(gps.Send("abc"), 0u);
  EXPECT_NE(gps.LastError().find("write " + pty.Path()), std::string::npos) << gps.LastError();
  EXPECT_EQ(pty.ReadAll(100ms), "");
}

TEST_F(SendTest, InterruptedAndShortWritesStillDeliverEverything) {
  SystemCallsOverride calls;
  static int call;
  call = 0;
  // Every other call is interrupted; the others write at most two bytes.
  calls->Write = [](int fd, const void* data, std::size_t count) -> ssize_t {
    if (call++ % 2 == 0) {
      errno = EINTR;
      return -1;
    }
    return write(fd, data, std::min<std::size_t>(count, 2));
  };
  EXPECT_EQ(gps.Send("$GPZDA,1*00\r\n"), 13u);
  EXPECT_EQ(pty.Read(14, 200ms), "$GPZDA,1*00\r\n");
}

TEST_F(SendTest, AFailedWriteReturnsWhatWentOut) {
  SystemCallsOverride calls;
  static int call;
  call = 0;
  calls->Write = [](int fd, const void* data, std::size_t count) -> ssize_t {
    if (call++ == 0) return write(fd, data, std::min<std::size_t>(count, 4));
    errno = EIO;
    return -1;
  };
  EXPECT_EQ(gps.Send("abcdefgh"), 4u);
  EXPECT_NE(gps.LastError().find("Input/output error"), std::string::npos) << gps.LastError();
  EXPECT_EQ(pty.Read(9, 150ms), "abcd");
}

TEST_F(SendTest, AStalledLineGivesUpAtTheDeadlineWithTheCountWritten) {
  const std::size_t written = test::FillLine(gps);
  ASSERT_LT(written, 16u << 20) << "the line never filled up";
  // 100 bytes: 3 ms each plus 100 ms, then it gives up.
  const auto start = Clock::now();
  const std::uint32_t last = gps.Send(std::string(100, 'l'));
  const auto elapsed = Clock::now() - start;
  EXPECT_LT(last, 100u);
  EXPECT_GE(elapsed, 300ms);
  EXPECT_LT(elapsed, 3s);
  EXPECT_NE(gps.LastError().find("timed out"), std::string::npos) << gps.LastError();
  // The counts were exact: the master holds precisely what Send reported.
  EXPECT_EQ(pty.ReadAll(500ms).size(), written + last);
}

}  // namespace
}  // namespace norv
