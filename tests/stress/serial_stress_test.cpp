// The host thread drives one component through a random mix of property and satellite changes,
// synchronous and background transmissions, connects and disconnects against a pseudo-terminal
// whose master a reader drains, while other components are created and destroyed with texts
// pending. Run under ThreadSanitizer by scripts/test.sh. Checked: no data race (TSan), no
// deadlock (a watchdog), no write to a descriptor the library has closed (the system-call seam
// tracks every descriptor), and every sender thread joined (the thread count comes back). A second
// test has several host threads call the serial members of one component at once.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "norv/NorvGPSSimulator.h"
#include "norv/posix/SystemCalls.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using namespace std::chrono_literals;

// ---- Descriptor tracking through the serial system-call seam ----

struct TFdTracker {
  std::mutex Lock;
  std::set<int> Open;
  std::atomic<int> WritesToClosed{0};
  posix::TSystemCalls Real{};
};

TFdTracker& Tracker() {
  static TFdTracker tracker;
  return tracker;
}

int TrackedOpen(const char* Path, int Flags, mode_t Mode) {
  const int fd = Tracker().Real.Open(Path, Flags, Mode);
  if (fd >= 0) {
    std::lock_guard<std::mutex> lock(Tracker().Lock);
    Tracker().Open.insert(fd);
  }
  return fd;
}

int TrackedClose(int Fd) {
  {
    std::lock_guard<std::mutex> lock(Tracker().Lock);
    Tracker().Open.erase(Fd);
  }
  return Tracker().Real.Close(Fd);
}

ssize_t TrackedWrite(int Fd, const void* Data, std::size_t Count) {
  {
    std::lock_guard<std::mutex> lock(Tracker().Lock);
    // -1 (a port name set without a connection) reaches nothing and fails with EBADF.
    if (Fd >= 0 && Tracker().Open.count(Fd) == 0) ++Tracker().WritesToClosed;
  }
  return Tracker().Real.Write(Fd, Data, Count);
}


int IterationsWanted() {
  const char* env = std::getenv("NORV_STRESS_ITERATIONS");
  return env != nullptr && std::atoi(env) > 0 ? std::atoi(env) : 20000;
}

// Drains a pseudo-terminal's master until stopped, pausing now and then so that the line fills
// and writes wait for room (and end early) while the host goes on.
class TReader {
 public:
  explicit TReader(test::Pseudoterminal& Pty, std::uint32_t Seed) : FThread([this, &Pty, Seed] {
      std::mt19937 random(Seed);
      std::uniform_int_distribution<int> drain(0, 300), shortStall(0, 50), longStall(300, 1000);
      std::bernoulli_distribution seldom(0.15);
      while (!FStop) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(drain(random));
        while (!FStop && std::chrono::steady_clock::now() < until) FBytes += Pty.ReadAll(5ms).size();
        const int stall = seldom(random) ? longStall(random) : shortStall(random);
        for (int ms = 0; ms < stall && !FStop; ms += 10) std::this_thread::sleep_for(10ms);
      }
    }) {}
  ~TReader() {
    FStop = true;
    FThread.join();
  }
  std::size_t Bytes() const { return FBytes; }

 private:
  std::atomic<bool> FStop{false};
  std::atomic<std::size_t> FBytes{0};
  std::thread FThread;
};

// Aborts the test program when the host thread makes no progress for a long time: a deadlock.
class TWatchdog {
 public:
  TWatchdog(const std::atomic<int>& Progress, const std::atomic<int>& Operation)
      : FThread([this, &Progress, &Operation] {
          int last = -1;
          auto since = std::chrono::steady_clock::now();
          while (!FStop) {
            std::this_thread::sleep_for(100ms);
            if (Progress != last) {
              last = Progress;
              since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since > 30s) {
              std::cerr << "no progress for 30 s at iteration " << last << ", operation "
                        << Operation << ": deadlock\n";
              std::abort();
            }
          }
        }) {}
  ~TWatchdog() {
    FStop = true;
    FThread.join();
  }

 private:
  std::atomic<bool> FStop{false};
  std::thread FThread;
};

enum TOperation {
  opPosition, opMotion, opCommands, opSatellite, opTransmit, opTransmitOnNewThread,
  opSendOnNewThread, opConnect, opDisconnect, opReconnect, opBaudRate, opPortName,
  opComponentWithPendingText, opCount
};

class SerialStress : public ::testing::Test {
 protected:
  void SetUp() override {
    Tracker().Real = posix::SystemCalls();
    posix::SystemCalls().Open = TrackedOpen;
    posix::SystemCalls().Close = TrackedClose;
    posix::SystemCalls().Write = TrackedWrite;
  }
  void TearDown() override { posix::SystemCalls() = Tracker().Real; }
};

TEST_F(SerialStress, RandomOperationsAgainstADrainedPty) {
  const int iterations = IterationsWanted();
  const std::uint32_t seed = std::random_device{}();
  std::mt19937 random(seed);
  const auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };

  // A sanitizer runtime starts a helper thread of its own with the first thread: let it.
  std::thread([] {}).join();
  const std::size_t threadsBefore = test::EntryCount("/proc/self/task");
  test::Pseudoterminal line, spare;
  std::atomic<int> progress{0}, operation{-1};
  std::array<int, opCount> counts{};
  std::size_t written = 0;
  int waitedForRoom = 0;
  {
    TReader lineReader(line, seed), spareReader(spare, seed + 1);
    TWatchdog watchdog(progress, operation);
    TNorvGPSSimulator gps;
    gps.SetUseSystemDateTime(true);
    for (std::uint16_t code = 1; code <= 235; code += 4) gps.SetSatellite(code, true, 45, 180, 40, GpsSatellite);
    // A route, so that every transmission carries the navigation sentences too.
    auto route = std::make_unique<TRoute>("R1");
    for (const char* name : {"WP1", "WP2", "WP3"}) {
      gps.WayPoints()->Add(new TWayPoint(name));
      route->WayPoints().push_back(name);
    }
    gps.Routes()->Add(route.get());
    gps.Routes()->SetActiveRoute(route.release());

    for (int i = 0; i < iterations; ++i) {
      const auto op = static_cast<TOperation>(chance(opCount));
      operation = op;
      ++counts[op];
      switch (op) {
        case opPosition:
          gps.SetLatDeg(chance(91));
          gps.SetLatSec(chance(60000) / 1000.0L);
          gps.SetLongDir(chance(2) ? cpEast : cpWest);
          break;
        case opMotion:
          gps.SetSpeed(chance(1000) / 10.0L);
          gps.SetHeading(chance(360));
          gps.AddSecondsToLatitude(chance(200) - 100);
          break;
        case opCommands:
          gps.SetCommands(TNMEACommands::FromBits(static_cast<std::uint16_t>(chance(1 << 11))));
          break;
        case opSatellite:
          gps.SetSatellite(static_cast<std::uint16_t>(1 + chance(235)), chance(2) == 1, chance(91),
                           chance(360), chance(100), GlonassSatellite);
          break;
        case opTransmit: {
          const auto start = std::chrono::steady_clock::now();
          written += gps.Transmit();
          if (std::chrono::steady_clock::now() - start > 20ms) ++waitedForRoom;
          break;
        }
        case opTransmitOnNewThread:
          gps.TransmitOnNewThread();
          break;
        case opSendOnNewThread:  // now and then a text larger than the line holds
          gps.SendOnNewThread(std::string(static_cast<std::size_t>(1 + chance(chance(8) == 0 ? 20000 : 2000)), 'x'));
          break;
        case opConnect:
          gps.Connect(line.Path(), chance(2) ? 4800 : 115200);
          break;
        case opDisconnect:
          gps.Disconnect();
          break;
        case opReconnect:
          gps.Connect(line.Path());
          gps.Connect(line.Path());
          break;
        case opBaudRate:
          gps.SetDCBState(chance(2) ? 9600 : 38400);
          break;
        case opPortName:
          if (gps.Port().empty() && chance(2)) gps.SetPort(line.Path());
          break;
        case opComponentWithPendingText: {
          TNorvGPSSimulator other;
          if (chance(2)) other.Connect(spare.Path(), 9600);
          other.SendOnNewThread(std::string(static_cast<std::size_t>(1 + chance(4000)), 'y'));
          if (chance(4) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(chance(60)));
          break;  // destroyed here, possibly with the text pending or half written
        }
        case opCount:
          break;
      }
      progress = i + 1;
    }
  }
  std::cout << "[ stress ] " << iterations << " iterations (seed " << seed << "), " << written
            << " bytes by Transmit, " << waitedForRoom << " Transmits waited for room; operations:";
  for (int c : counts) std::cout << ' ' << c;
  std::cout << '\n';
  EXPECT_EQ(progress, iterations);
  EXPECT_EQ(Tracker().WritesToClosed, 0) << "a write reached a descriptor the library had closed";
  {
    std::lock_guard<std::mutex> lock(Tracker().Lock);
    EXPECT_TRUE(Tracker().Open.empty()) << Tracker().Open.size() << " port descriptors left open";
  }
  EXPECT_EQ(test::EntryCount("/proc/self/task"), threadsBefore) << "a sender thread outlived its component";
}

// One host thread's share of the concurrent run: serial members in random order.
void HammerSerialMembers(TNorvGPSSimulator& Gps, const std::string& Path, std::uint32_t Seed,
                         int Calls, std::atomic<int>& Progress, std::atomic<std::size_t>& Sent) {
  std::mt19937 random(Seed);
  const auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (int i = 0; i < Calls; ++i) {
    switch (chance(9)) {
      case 0: Gps.Connect(Path, chance(2) ? 4800 : 115200); break;
      case 1: Gps.Disconnect(); break;
      case 2: Gps.SetDCBState(chance(2) ? 9600 : 38400); break;
      case 3: EXPECT_LT(Gps.LastError().size(), 200u); break;
      case 4: {  // now and then more than the line holds: it waits until another call ends it
        const int most = chance(8) == 0 ? 20000 : 3000;
        Sent += Gps.Send(std::string(static_cast<std::size_t>(1 + chance(most)), 'h'));
        break;
      }
      case 5: Gps.SendOnNewThread(std::string(static_cast<std::size_t>(1 + chance(3000)), 'b')); break;
      case 6: Sent += Gps.Transmit(); break;
      case 7: Gps.Connect(); break;
      default: {
        const std::string port = Gps.Port();  // whole, never torn by a concurrent Connect
        EXPECT_TRUE(port.empty() || port == Path) << port;
        break;
      }
    }
    ++Progress;
  }
}

TEST_F(SerialStress, SeveralHostThreadsOnOneComponent) {
  const int calls = std::max(50, IterationsWanted() / 40);
  const std::uint32_t seed = std::random_device{}();
  std::thread([] {}).join();
  const std::size_t threadsBefore = test::EntryCount("/proc/self/task");
  test::Pseudoterminal line;
  std::atomic<int> progress{0}, operation{-1};
  std::atomic<std::size_t> sent{0};
  {
    TReader reader(line, seed);
    TWatchdog watchdog(progress, operation);
    for (int round = 0; round < 8; ++round) {
      auto gps = std::make_unique<TNorvGPSSimulator>();
      gps->SetCommands(TNMEACommands::FromBits(static_cast<std::uint16_t>(round * 97 % (1 << 11))));
      std::vector<std::thread> hosts;
      for (std::uint32_t t = 0; t < 4; ++t)
        hosts.emplace_back(HammerSerialMembers, std::ref(*gps), std::cref(line.Path()),
                           seed + round * 4 + t, calls, std::ref(progress), std::ref(sent));
      for (auto& host : hosts) host.join();
      if (round % 2) gps->SendOnNewThread(std::string(3000, 'p'));
      gps.reset();  // connected or not, possibly with a text pending or half written
    }
  }
  std::cout << "[ stress ] 8 rounds of 4 threads x " << calls << " calls (seed " << seed << "), "
            << sent << " bytes by Send and Transmit\n";
  EXPECT_EQ(progress, 8 * 4 * calls);
  EXPECT_EQ(Tracker().WritesToClosed, 0) << "a write reached a descriptor the library had closed";
  {
    std::lock_guard<std::mutex> lock(Tracker().Lock);
    EXPECT_TRUE(Tracker().Open.empty()) << Tracker().Open.size() << " port descriptors left open";
  }
  EXPECT_EQ(test::EntryCount("/proc/self/task"), threadsBefore) << "a sender thread outlived its component";
}

}  // namespace
}  // namespace norv
