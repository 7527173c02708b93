// The 4.11 profile's epoch beside the classic one, on the peers' workload: time, heap
// allocations per call and bytes an epoch.
#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "BenchWorkload.h"

namespace norv::bench {
namespace {

void BM_GetNMEA4_PeerWorkload(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  std::size_t bytes = 0;
  const std::uint64_t before = AllocationCount();
  for (auto _ : State) {
    TNmea4Epoch epoch = sim.GetNMEA4();
    bytes = epoch.Text().size();
    benchmark::DoNotOptimize(epoch);
  }
  const double allocations = static_cast<double>(AllocationCount() - before);
  State.counters["allocs"] = benchmark::Counter(allocations, benchmark::Counter::kAvgIterations);
  State.counters["bytes"] = static_cast<double>(bytes);
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * bytes));
}
BENCHMARK(BM_GetNMEA4_PeerWorkload);

}  // namespace
}  // namespace norv::bench
