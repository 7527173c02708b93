// Putting one epoch on a line: Transmit to a pseudo-terminal beside a plain write(2) of the same
// bytes to another one, and what TransmitOnNewThread costs its caller. A thread drains each
// master side, so the line never fills up.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "AllocationCounter.h"
#include "BenchWorkload.h"

namespace norv::bench {
namespace {

// A pseudo-terminal in raw mode whose master side a thread reads and discards.
class DrainedPty {
 public:
  DrainedPty() {
    if (openpty(&FMaster, &FSlave, nullptr, nullptr, nullptr) != 0)
      throw std::runtime_error("openpty failed");
    termios raw{};
    tcgetattr(FSlave, &raw);
    cfmakeraw(&raw);
    tcsetattr(FSlave, TCSANOW, &raw);
    FPath = ttyname(FSlave);
    FDrain = std::thread([this] { Drain(); });
  }
  ~DrainedPty() {
    FStop = true;
    FDrain.join();
    close(FSlave);
    close(FMaster);
  }
  DrainedPty(const DrainedPty&) = delete;
  DrainedPty& operator=(const DrainedPty&) = delete;

  const std::string& Path() const { return FPath; }
  int Slave() const { return FSlave; }

 private:
  void Drain() {
    char chunk[65536];
    while (!FStop) {
      pollfd request{FMaster, POLLIN, 0};
      if (poll(&request, 1, 20) > 0 && read(FMaster, chunk, sizeof chunk) < 0) return;
    }
  }

  int FMaster = -1;
  int FSlave = -1;
  std::string FPath;
  std::atomic<bool> FStop{false};
  std::thread FDrain;
};

// The floor: the epoch's bytes written with write(2), all of them, on our own descriptor.
void BM_RawWrite_Pty(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  const std::string epoch = sim.GetNMEA();
  DrainedPty pty;
  for (auto _ : State) {
    for (std::size_t done = 0; done < epoch.size();) {
      const ssize_t n = write(pty.Slave(), epoch.data() + done, epoch.size() - done);
      if (n < 0) {
        State.SkipWithError("write failed");
        return;
      }
      done += static_cast<std::size_t>(n);
    }
  }
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * epoch.size()));
}
BENCHMARK(BM_RawWrite_Pty)->UseRealTime();

// GetNMEA and Send through the component's connection to the slave side.
void BM_Transmit_Pty(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  DrainedPty pty;
  if (!sim.Connect(pty.Path(), 115200)) {
    State.SkipWithError(("Connect failed: " + sim.LastError()).c_str());
    return;
  }
  std::uint64_t bytes = 0;
  for (auto _ : State) {
    const std::uint32_t sent = sim.Transmit();
    if (sent != kPeerCycleBytes) {
      State.SkipWithError("Transmit wrote less than the epoch");
      break;
    }
    bytes += sent;
  }
  sim.Disconnect();
  State.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Transmit_Pty)->UseRealTime();

// What the caller pays: the sentences are built on its thread and handed over; the sender
// thread writes the latest one within its 50 ms cycle.
void BM_TransmitOnNewThread_Caller(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  DrainedPty pty;
  if (!sim.Connect(pty.Path(), 115200)) {
    State.SkipWithError(("Connect failed: " + sim.LastError()).c_str());
    return;
  }
  const std::uint64_t before = AllocationCount();
  for (auto _ : State) sim.TransmitOnNewThread();
  State.counters["allocs"] = benchmark::Counter(static_cast<double>(AllocationCount() - before),
                                                benchmark::Counter::kAvgIterations);
  sim.Disconnect();
}
BENCHMARK(BM_TransmitOnNewThread_Caller);

}  // namespace
}  // namespace norv::bench

BENCHMARK_MAIN();
