// The whole output of one reporting cycle: every selected sentence kind, in a fixed order.
#include <array>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/SentenceCycle.h"

namespace norv {

namespace {

struct TSentenceKind {
  TNMEACommand Command;
  void (TNorvGPSSimulator::*Append)(TSentenceText&, TSentenceCycle&) const;
};

}  // namespace

std::string TNorvGPSSimulator::GetNMEA() const {
  // By kind first (this order, not that of the set's elements); within a kind each generator
  // already orders its sentences GP, GL, BD.
  static constexpr std::array<TSentenceKind, 10> kOutputOrder{{
      {GPZDA, &TNorvGPSSimulator::AppendGPZDA},
      {GPGGA, &TNorvGPSSimulator::AppendGPGGA},
      {GPGLL, &TNorvGPSSimulator::AppendGPGLL},
      {GPVTG, &TNorvGPSSimulator::AppendGPVTG},
      {GPRMC, &TNorvGPSSimulator::AppendGPRMC},
      {GPGSA, &TNorvGPSSimulator::AppendGPGSA},
      {GPGSV, &TNorvGPSSimulator::AppendGPGSV},
      {GPWPL, &TNorvGPSSimulator::AppendGPWPL},
      {GPRTE, &TNorvGPSSimulator::AppendGPRTE},
      {GPAAM, &TNorvGPSSimulator::AppendGPAAM},
  }};
  const bool all = FCommands.Contains(AllNMEA);
  std::string out;
  if (FCommands.Empty()) return out;
  // Every generator reads the same satellites and most of the same fields: one cycle for all.
  // With no active satellite no generator has anything to say.
  TSentenceCycle cycle(FSatellites, FTotalSatellitesCount);
  if (cycle.Constellations().Active().empty()) return out;
  TSentenceText text(cycle.ExpectedSize(FRoutes));
  for (const TSentenceKind& kind : kOutputOrder)
    if (all || FCommands.Contains(kind.Command)) (this->*kind.Append)(text, cycle);
  return std::move(text).Release();
}

}  // namespace norv
