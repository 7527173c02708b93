// The whole output of one reporting cycle: every selected sentence kind, in a fixed order.
#include <array>

#include "norv/core/TNorvGPSSimulator.h"

namespace norv {

namespace {

using TGenerator = std::string (TNorvGPSSimulator::*)() const;

struct TSentenceKind {
  TNMEACommand Command;
  TGenerator Generate;
};

// By kind first (this order, not that of the set's elements); within a kind each generator
// already orders its sentences GP, GL, BD.
constexpr std::array<TSentenceKind, 10> kOutputOrder{{
    {GPZDA, &TNorvGPSSimulator::GetGPZDA},
    {GPGGA, &TNorvGPSSimulator::GetGPGGA},
    {GPGLL, &TNorvGPSSimulator::GetGPGLL},
    {GPVTG, &TNorvGPSSimulator::GetGPVTG},
    {GPRMC, &TNorvGPSSimulator::GetGPRMC},
    {GPGSA, &TNorvGPSSimulator::GetGPGSA},
    {GPGSV, &TNorvGPSSimulator::GetGPGSV},
    {GPWPL, &TNorvGPSSimulator::GetGPWPL},
    {GPRTE, &TNorvGPSSimulator::GetGPRTE},
    {GPAAM, &TNorvGPSSimulator::GetGPAAM},
}};

}  // namespace

std::string TNorvGPSSimulator::GetNMEA() const {
  const bool all = FCommands.Contains(AllNMEA);
  std::string out;
  for (const TSentenceKind& kind : kOutputOrder)
    if (all || FCommands.Contains(kind.Command)) out += (this->*kind.Generate)();
  return out;
}

}  // namespace norv
