// The parts an epoch is made of: decimal field texts, the satellite table scan, the checksum.
#include <benchmark/benchmark.h>

#include "BenchWorkload.h"
#include "norv/nmea/FieldFormat.h"

namespace norv::bench {
namespace {

// Reaches the component's internal satellite query.
struct SatelliteQueries : TNorvGPSSimulator {
  using TNorvGPSSimulator::GetActiveSatellitesList;
};

void BM_DecimalField(benchmark::State& State) {
  Extended value = 545.4L;
  for (auto _ : State) {
    benchmark::DoNotOptimize(value);
    std::string text = DecimalField(value);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_DecimalField);

// The VTG speed in km/h: fifteen significant digits of an extended value.
void BM_FullDecimalField(benchmark::State& State) {
  Extended value = 12.5L / 0.5397L;
  for (auto _ : State) {
    benchmark::DoNotOptimize(value);
    std::string text = FullDecimalField(value);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FullDecimalField);

void BM_ActiveSatellitesList(benchmark::State& State) {
  SatelliteQueries sim;
  SetPeerWorkload(sim);
  for (auto _ : State) benchmark::DoNotOptimize(sim.GetActiveSatellitesList());
}
BENCHMARK(BM_ActiveSatellitesList);

void BM_CheckSum(benchmark::State& State) {
  const std::string sentence =
      "$GPRMC,123519.250,A,4807.040000,N,01131.255000,E,12.5,84.26,050324,2.75,E,A";
  for (auto _ : State) benchmark::DoNotOptimize(GetNMEACheckSum(sentence));
}
BENCHMARK(BM_CheckSum);

}  // namespace
}  // namespace norv::bench
