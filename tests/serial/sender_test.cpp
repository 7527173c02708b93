#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/serial/SenderThread.h"
#include "norv/serial/SerialLine.h"
#include "serial/SerialTestSupport.h"
#include "support/Pseudoterminal.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using test::Pseudoterminal;
using Clock = std::chrono::steady_clock;

template <class Predicate>
bool WaitUntil(Predicate done, Clock::duration timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

TEST(Sender, KeepsTheTextUntilAPortIsSetAndOnlyTheLastHandOver) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  gps.SendOnNewThread("$GPGLL,first*00\r\n");
  gps.SendOnNewThread(std::string("$GPGLL,second*00\r\n\0tail", 23));
  std::this_thread::sleep_for(150ms);  // three cycles without a port
  ASSERT_TRUE(gps.Connect(pty.Path(), 4800));
  const auto connected = Clock::now();
  EXPECT_EQ(pty.Read(18, 2s), "$GPGLL,second*00\r\n");
  EXPECT_LT(Clock::now() - connected, 1s);
  EXPECT_EQ(pty.ReadAll(150ms), "") << "only the last text, once, without what follows the NUL";
}

TEST(Sender, BufferHoldsThePendingTextUntilItIsWritten) {
  Pseudoterminal pty;
  serial::TSerialLine line;
  serial::TSenderThread sender(line);  // a second sender of the same line, reached directly
  sender.SetBuffer("$GPVTG*00\r\n");
  std::this_thread::sleep_for(120ms);
  EXPECT_EQ(sender.Buffer(), "$GPVTG*00\r\n");
  ASSERT_TRUE(line.Connect(pty.Path(), 4800));
  EXPECT_EQ(pty.Read(11, 2s), "$GPVTG*00\r\n");
  EXPECT_EQ(sender.Buffer(), "");
}

TEST(Sender, ASynchronousSendDoesNotSplitABackgroundWrite) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 115200));
  const std::size_t filled = test::FillLine(gps);
  gps.SendOnNewThread(std::string(300, 'a'));
  // Give the sender a cycle to start on the full line, then let a reader drain it.
  std::this_thread::sleep_for(120ms);
  std::string received;
  std::thread reader([&] {
    std::this_thread::sleep_for(100ms);
    received = pty.ReadAll(1500ms);
  });
  EXPECT_EQ(gps.Send(std::string(50, 'b')), 50u);
  reader.join();
  ASSERT_EQ(received.size(), filled + 350);
  EXPECT_EQ(received.substr(filled), std::string(300, 'a') + std::string(50, 'b'));
}

// Starts a background write of a long text that cannot finish for seconds.
void StartStalledBackgroundWrite(TNorvGPSSimulator& gps) {
  test::FillLine(gps);
  gps.SendOnNewThread(std::string(2000, 's'));  // may wait 3 ms * 2000 + 100 ms
  std::this_thread::sleep_for(120ms);
}

TEST(Sender, DisconnectStopsABackgroundWriteAtOnce) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 115200));
  StartStalledBackgroundWrite(gps);
  const auto start = Clock::now();
  gps.Disconnect();
  EXPECT_LT(Clock::now() - start, 1s);
  EXPECT_FALSE(gps.IsConnected());
  EXPECT_EQ(gps.Port(), "");
  pty.ReadAll(300ms);
  EXPECT_EQ(pty.ReadAll(200ms), "") << "nothing is written after Disconnect";
  // The port is free again, and the sender serves the new connection.
  ASSERT_TRUE(gps.Connect(pty.Path(), 4800)) << gps.LastError();
  gps.SendOnNewThread("again");
  EXPECT_EQ(pty.Read(5, 2s), "again");
}

TEST(Sender, DestroyingTheComponentStopsABackgroundWrite) {
  Pseudoterminal pty;
  auto gps = std::make_unique<TNorvGPSSimulator>();
  ASSERT_TRUE(gps->Connect(pty.Path(), 115200));
  StartStalledBackgroundWrite(*gps);
  const auto start = Clock::now();
  gps.reset();
  EXPECT_LT(Clock::now() - start, 1s);
}

TEST(Sender, DestroyingWithAPendingTextIsClean) {
  for (int i = 0; i < 20; ++i) {
    TNorvGPSSimulator gps;
    gps.SendOnNewThread("$GPRMC,pending*00\r\n");
    if (i % 2) std::this_thread::sleep_for(std::chrono::milliseconds(i * 3));
  }
}

}  // namespace
}  // namespace norv
