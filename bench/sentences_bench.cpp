// Building sentences: one epoch of the peers' workload, each generator alone, and how the epoch
// grows with active satellites. Every figure also reports heap allocations per call.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "AllocationCounter.h"
#include "BenchWorkload.h"

namespace norv::bench {
namespace {

using Generator = std::string (TNorvGPSSimulator::*)() const;

std::string Epoch(const TNorvGPSSimulator& Sim) { return Sim.GetNMEA(); }

// Runs Call in the timed loop and reports heap allocations per call and bytes built.
template <class F>
void MeasureCalls(benchmark::State& State, F&& Call) {
  std::size_t bytes = 0;
  const std::uint64_t before = AllocationCount();
  for (auto _ : State) {
    std::string text = Call();
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  const double allocations = static_cast<double>(AllocationCount() - before);
  State.counters["allocs"] = benchmark::Counter(allocations, benchmark::Counter::kAvgIterations);
  State.counters["bytes"] = static_cast<double>(bytes);
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * bytes));
}

void BM_GetNMEA_PeerWorkload(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  MeasureCalls(State, [&] { return Epoch(sim); });
}
BENCHMARK(BM_GetNMEA_PeerWorkload);

// The same epoch when every one of its 36 satellites moves before each epoch (elevation,
// azimuth and ratio set through SetSatellite), as a host that animates the sky would do: the
// satellites' own upkeep of their text is paid here, in the setters.
void BM_GetNMEA_PeerWorkload_SatellitesMoving(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  const std::vector<TSatellite*> active = sim.GetSatellitesList();
  int step = 0;
  MeasureCalls(State, [&] {
    ++step;
    for (const TSatellite* s : active)
      if (s->Active())
        sim.SetSatellite(s->PseudoRandomCode(), true, (step + s->PseudoRandomCode()) % 91,
                         (step * 7 + s->PseudoRandomCode()) % 360, step % 100, s->SatelliteType());
    return Epoch(sim);
  });
}
BENCHMARK(BM_GetNMEA_PeerWorkload_SatellitesMoving);

void BM_Generator(benchmark::State& State, Generator Get) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  MeasureCalls(State, [&] { return (sim.*Get)(); });
}
BENCHMARK_CAPTURE(BM_Generator, ZDA, &TNorvGPSSimulator::GetGPZDA);
BENCHMARK_CAPTURE(BM_Generator, GGA, &TNorvGPSSimulator::GetGPGGA);
BENCHMARK_CAPTURE(BM_Generator, GLL, &TNorvGPSSimulator::GetGPGLL);
BENCHMARK_CAPTURE(BM_Generator, VTG, &TNorvGPSSimulator::GetGPVTG);
BENCHMARK_CAPTURE(BM_Generator, RMC, &TNorvGPSSimulator::GetGPRMC);
BENCHMARK_CAPTURE(BM_Generator, GSA, &TNorvGPSSimulator::GetGPGSA);
BENCHMARK_CAPTURE(BM_Generator, GSV, &TNorvGPSSimulator::GetGPGSV);

void BM_GetNMEA_ActiveSatellites(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  SetActiveSatellites(sim, static_cast<int>(State.range(0)));
  MeasureCalls(State, [&] { return Epoch(sim); });
}
BENCHMARK(BM_GetNMEA_ActiveSatellites)->Arg(0)->Arg(12)->Arg(36)->Arg(108)->Arg(235);

// The peers' workload with WPL, RTE and AAM of an active route of this many waypoints.
void BM_GetNMEA_Route(benchmark::State& State) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  SetActiveRoute(sim, static_cast<int>(State.range(0)));
  MeasureCalls(State, [&] { return Epoch(sim); });
}
BENCHMARK(BM_GetNMEA_Route)->Arg(1)->Arg(10)->Arg(100);

// The route sentences alone, for an active route of this many waypoints.
void BM_RouteGenerator(benchmark::State& State, Generator Get) {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  SetActiveRoute(sim, static_cast<int>(State.range(0)));
  MeasureCalls(State, [&] { return (sim.*Get)(); });
}
BENCHMARK_CAPTURE(BM_RouteGenerator, WPL, &TNorvGPSSimulator::GetGPWPL)->Arg(10)->Arg(100);
BENCHMARK_CAPTURE(BM_RouteGenerator, RTE, &TNorvGPSSimulator::GetGPRTE)->Arg(10)->Arg(100);
BENCHMARK_CAPTURE(BM_RouteGenerator, AAM, &TNorvGPSSimulator::GetGPAAM)->Arg(10)->Arg(100);

// Our epoch must be the peers' cycle byte for byte, or the comparison means nothing. With
// NORV_PEER_CYCLE naming a cycle dumped by a peer (limit_c N FILE), the bytes are compared too.
bool MatchesPeerCycle() {
  TNorvGPSSimulator sim;
  SetPeerWorkload(sim);
  const std::string ours = Epoch(sim);
  bool ok = ours.size() == kPeerCycleBytes && Fnv1a32(ours) == kPeerCycleFnv1a;
  std::fprintf(stderr, "epoch: %zu bytes, FNV-1a 0x%08x (peers: %zu bytes, 0x%08x)\n",
               ours.size(), Fnv1a32(ours), kPeerCycleBytes, kPeerCycleFnv1a);
  if (const char* path = std::getenv("NORV_PEER_CYCLE")) {
    std::ifstream file(path, std::ios::binary);
    const std::string peer{std::istreambuf_iterator<char>(file), {}};
    const bool same = file.good() || file.eof() ? peer == ours : false;
    std::fprintf(stderr, "epoch %s the cycle in %s\n", same ? "equals" : "DIFFERS FROM", path);
    ok = ok && same;
  }
  if (!ok) std::fwrite(ours.data(), 1, ours.size(), stderr);
  return ok;
}

}  // namespace
}  // namespace norv::bench

int main(int argc, char** argv) {
  if (!norv::bench::MatchesPeerCycle()) return 1;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
