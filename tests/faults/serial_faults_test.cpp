// Serial faults on real pseudo-terminals: the far end goes away in the middle of a stream, stops
// reading, or the device path is removed or replaced while the port is open.
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "faults/FileFaults.h"
#include "norv/NorvGPSSimulator.h"
#include "support/Pseudoterminal.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// A pseudo-terminal whose master the test can close, as a reader that goes away would: only the
// component holds the slave, so closing the master hangs it up.
class TFaultPty : public test::Pseudoterminal {
 public:
  TFaultPty() : Pseudoterminal(SlaveEnd::Closed) {}
};

std::string Sentence(char Mark) { return "$GPTXT,01,01,01," + std::string(40, Mark) + "*00\r\n"; }

TEST(SerialFaults, ReaderClosingTheMasterMidStream) {
  TFaultPty first;
  ASSERT_FALSE(first.Path().empty());
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(first.Path(), 115200));
  EXPECT_EQ(gps.Send(Sentence('a')), Sentence('a').size());
  EXPECT_EQ(first.Drain(), Sentence('a'));

  // The reader goes away while a long text is on its way: the write ends early, with the count.
  const std::string longText(200000, 'b');
  std::thread closer([&] {
    std::this_thread::sleep_for(50ms);
    first.CloseMaster();
  });
  const auto start = Clock::now();
  const std::uint32_t partial = gps.Send(longText);
  closer.join();
  EXPECT_LT(partial, longText.size());
  EXPECT_LT(Clock::now() - start, 5s) << "the write did not notice the hang-up";

  // Every later write fails at once with the OS error, and reports nothing written.
  EXPECT_EQ(gps.Send(Sentence('c')), 0u);
  EXPECT_NE(gps.LastError().find("Input/output error"), std::string::npos) << gps.LastError();
  EXPECT_EQ(gps.Transmit(), 0u);

  // The sender drops a text it cannot write: it does not reappear on the next line.
  gps.SendOnNewThread(Sentence('d'));
  std::this_thread::sleep_for(200ms);
  gps.Disconnect();
  EXPECT_FALSE(gps.IsConnected());
  EXPECT_EQ(gps.Port(), "");

  TFaultPty second;
  ASSERT_TRUE(gps.Connect(second.Path(), 4800)) << gps.LastError();
  EXPECT_EQ(second.Drain(), "") << "a dropped background text was written to the new line";
  EXPECT_EQ(gps.Send(Sentence('e')), Sentence('e').size());
  gps.SendOnNewThread(Sentence('f'));
  EXPECT_EQ(second.Drain(), Sentence('e') + Sentence('f'));
}

TEST(SerialFaults, StalledReaderWritesEndAtTheirDeadlineAndNothingElseWaits) {
  TFaultPty line;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(line.Path(), 115200));
  // Fill the terminal's buffer: a write stops short once it is full.
  const std::string chunk(512, 'f');
  std::uint32_t n = 0;
  do n = gps.Send(chunk); while (n == chunk.size());

  // A text of 300 bytes may take 3 ms per byte plus 100 ms: 1 s.
  const std::string text(300, 't');
  const auto start = Clock::now();
  const std::uint32_t written = gps.Send(text);
  const auto took = Clock::now() - start;
  EXPECT_LT(written, text.size());
  EXPECT_GE(took, 900ms);
  EXPECT_LT(took, 1500ms);

  // The background sender waits for room without holding up the host: hand-over, Port,
  // Disconnect and the destructor all return at once.
  gps.SendOnNewThread(std::string(2000, 's'));
  std::this_thread::sleep_for(100ms);  // the sender is now inside its write
  const auto hostStart = Clock::now();
  gps.SendOnNewThread(Sentence('g'));
  EXPECT_EQ(gps.Port(), line.Path());
  gps.Disconnect();
  EXPECT_LT(Clock::now() - hostStart, 200ms);
}

TEST(SerialFaults, DestroyingAComponentWhoseSenderWaitsOnAStalledLine) {
  TFaultPty line;
  auto gps = std::make_unique<TNorvGPSSimulator>();
  ASSERT_TRUE(gps->Connect(line.Path(), 115200));
  const std::string chunk(512, 'f');
  std::uint32_t n = 0;
  do n = gps->Send(chunk); while (n == chunk.size());
  gps->SendOnNewThread(std::string(5000, 's'));  // a deadline of 15 s
  std::this_thread::sleep_for(100ms);             // the sender is now waiting for room
  const auto start = Clock::now();
  gps.reset();
  EXPECT_LT(Clock::now() - start, 500ms) << "the destructor waited for the stalled write";
}

TEST(SerialFaults, DevicePathRemovedOrReplacedWhileConnected) {
  test::TempDir dir("device");
  TFaultPty first, second;
  const fs::path device = dir.Path() / "gps0";
  fs::create_symlink(first.Path(), device);
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(device.string(), 4800)) << gps.LastError();

  // Removed: the open port keeps working; reconnecting by the name fails and says why.
  fs::remove(device);
  EXPECT_EQ(gps.Send(Sentence('a')), Sentence('a').size());
  EXPECT_EQ(first.Drain(), Sentence('a'));
  EXPECT_FALSE(gps.Connect(device.string(), 4800));
  EXPECT_NE(gps.LastError().find("No such file or directory"), std::string::npos) << gps.LastError();
  EXPECT_FALSE(gps.IsConnected());
  EXPECT_EQ(gps.Send(Sentence('b')), 0u);

  // Replaced by another device: a new Connect by the same name reaches the new device.
  fs::create_symlink(second.Path(), device);
  ASSERT_TRUE(gps.Connect(device.string(), 4800)) << gps.LastError();
  fs::remove(device);
  fs::create_symlink(first.Path(), device);
  EXPECT_EQ(gps.Send(Sentence('c')), Sentence('c').size()) << "the open port follows its device";
  EXPECT_EQ(second.Drain(), Sentence('c'));
  ASSERT_TRUE(gps.Connect(device.string(), 4800)) << gps.LastError();
  EXPECT_EQ(gps.Send(Sentence('d')), Sentence('d').size());
  EXPECT_EQ(first.Drain(), Sentence('d'));
  EXPECT_EQ(second.Drain(), "");
}

}  // namespace
}  // namespace norv
