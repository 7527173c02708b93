// Putting one epoch on a line: Transmit to a pseudo-terminal beside a plain write(2) of the same
// bytes, and what TransmitOnNewThread costs its caller. A thread drains each
// master side, so the line never fills up.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "BenchWorkload.h"
#include "support/Pseudoterminal.h"
#if NORV_HAVE_LIMIT_EPOCH
#include "LimitEpoch.h"
#endif

namespace norv::bench {
namespace {

// A pseudo-terminal in raw mode whose master side a thread reads and discards.
class DrainedPty {
 public:
  DrainedPty() : FDrain([this] { Drain(); }) {}
  ~DrainedPty() {
    FStop = true;
    FDrain.join();
  }
  DrainedPty(const DrainedPty&) = delete;
  DrainedPty& operator=(const DrainedPty&) = delete;

  const std::string& Path() const { return FLine.Path(); }
  int Slave() const { return FLine.Slave(); }

 private:
  void Drain() {
    char chunk[65536];
    while (!FStop) {
      pollfd request{FLine.Master(), POLLIN, 0};
      if (poll(&request, 1, 20) > 0 && read(FLine.Master(), chunk, sizeof chunk) < 0 &&
          errno != EAGAIN)
        return;
    }
  }

  test::Pseudoterminal FLine{test::Pseudoterminal::SlaveEnd::Held,
                             test::Pseudoterminal::LineMode::Raw};
  std::atomic<bool> FStop{false};
  std::thread FDrain;  // last: starts once the line is open
};

// Writes all of Text with write(2): the floor for putting an epoch on the line.
bool RawWrite(int Fd, std::string_view Text) {
  for (std::size_t done = 0; done < Text.size();) {
    const ssize_t n = write(Fd, Text.data() + done, Text.size() - done);
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

#if NORV_HAVE_LIMIT_EPOCH
// Builds the epoch with the peers' native formatter, then writes it: a bound for Transmit.
bool LimitBuildAndWrite(int Fd) {
  static char buffer[8192];
  return RawWrite(Fd, std::string_view(buffer, LimitEpoch(buffer)));
}
#endif

// Transmit (GetNMEA and Send through the component's connection) and Send of a finished epoch,
// against write(2) of the same bytes on our own descriptor, all to the same terminal, in
// alternating batches so that all meet the same load. Ratios of throughput are taken batch by
// batch; their medians are reported. With the peers' sources, a fourth batch builds each epoch
// with their native formatter before writing it.
void BM_Transmit_vs_RawWrite_Pty(benchmark::State& State) {
  using Clock = std::chrono::steady_clock;
  constexpr int kBatch = 100;
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  const std::string epoch = sim.GetNMEA();
  DrainedPty pty;
  if (!sim.Connect(pty.Path(), 115200)) {
    State.SkipWithError(("Connect failed: " + sim.LastError()).c_str());
    return;
  }
  const auto timed = [](auto&& Batch) {
    const auto start = Clock::now();
    for (int i = 0; i < kBatch; ++i) Batch();
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
#if NORV_HAVE_LIMIT_EPOCH
  char limitEpoch[8192];
  if (epoch != std::string_view(limitEpoch, LimitEpoch(limitEpoch))) {
    State.SkipWithError("limit_c's epoch differs from ours");
    return;
  }
#endif
  double raw = 0, send = 0, transmit = 0;
  std::vector<double> sendRatios, transmitRatios, limitRatios;
  bool ok = true;
  for (auto _ : State) {
    const double r = timed([&] { ok = RawWrite(pty.Slave(), epoch) && ok; });
    const double s = timed([&] { ok = sim.Send(epoch) == epoch.size() && ok; });
    const double t = timed([&] { ok = sim.Transmit() == epoch.size() && ok; });
#if NORV_HAVE_LIMIT_EPOCH
    limitRatios.push_back(r / timed([&] { ok = LimitBuildAndWrite(pty.Slave()) && ok; }));
#endif
    raw += r;
    send += s;
    transmit += t;
    sendRatios.push_back(r / s);
    transmitRatios.push_back(r / t);
    State.SetIterationTime(t);
  }
  sim.Disconnect();
  if (!ok) State.SkipWithError("an epoch did not go out whole");
  const double bytes = static_cast<double>(State.iterations()) * kBatch * epoch.size();
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
  };
  State.counters["raw_MBps"] = bytes / raw / 1e6;
  State.counters["send_MBps"] = bytes / send / 1e6;
  State.counters["transmit_MBps"] = bytes / transmit / 1e6;
  State.counters["send_over_raw"] = median(sendRatios);
  State.counters["transmit_over_raw"] = median(transmitRatios);
  if (!limitRatios.empty()) State.counters["limit_c_build_write_over_raw"] = median(limitRatios);
}
BENCHMARK(BM_Transmit_vs_RawWrite_Pty)->UseManualTime()->MinTime(2.0);

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
