// The moving sky's cost per epoch beside the epoch's sentences: the orbits of all three
// systems (80 satellites propagated), the same applied to the component through its setters,
// and GetNMEA of the resulting epoch.
#include <benchmark/benchmark.h>

#include "BenchWorkload.h"
#include "MovingSky.h"
#include "norv/NorvGPSSimulator.h"

namespace norv::bench {
namespace {

constexpr TDateTime kStart = 45352.5;  // 2024-03-01 12:00 UTC
constexpr double kSecond = 1.0 / 86400;

// The receiver of examples/moving-sky.ini with the sentence kinds of the sentence benchmarks.
void SetMunich(TNorvGPSSimulator& sim) {
  sim.SetLatDeg(48);
  sim.SetLatMin(8);
  sim.SetLatSec(15);
  sim.SetLongDeg(11);
  sim.SetLongMin(34);
  sim.SetLongSec(30);
  sim.SetAltitude(519);
  sim.SetGeo_Height(47.5);
  sim.SetFixQuality(1);
  sim.SetCommands(PeerCommands());
  sim.SetUseSystemDateTime(false);
  sim.SetUTCDateTime(kStart);
}

void BM_OrbitsSky_AllSystems(benchmark::State& state) {
  const orbits::TSkySettings all;
  const orbits::TGeodetic place{48.1375, 11.575, 566.5};
  orbits::TSkyModel model(all);
  TDateTime t = kStart;
  for (auto _ : state) benchmark::DoNotOptimize(model.At(place, t += kSecond));
}
BENCHMARK(BM_OrbitsSky_AllSystems);

void BM_MovingSky_ApplyToComponent(benchmark::State& state) {
  TNorvGPSSimulator sim;
  SetMunich(sim);
  norvgpssim::MovingSky sky(sim, {});
  TDateTime t = kStart;
  for (auto _ : state) sky.Apply(t += kSecond);
  state.counters["active"] = sim.GetActiveSatellitesCount();
}
BENCHMARK(BM_MovingSky_ApplyToComponent);

void BM_MovingSky_GetNMEA(benchmark::State& state) {
  TNorvGPSSimulator sim;
  SetMunich(sim);
  norvgpssim::MovingSky(sim, {}).Apply(kStart);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = sim.GetNMEA();
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MovingSky_GetNMEA);

}  // namespace
}  // namespace norv::bench

BENCHMARK_MAIN();
