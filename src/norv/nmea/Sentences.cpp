// The whole output of one reporting epoch: every selected sentence kind, in a fixed order.
#include "norv/nmea/Sentences.h"

#include <array>

#include "norv/nmea/Generators.h"

namespace norv {

namespace {

struct TSentenceKind {
  TNMEACommand Command;
  void (*Append)(TEpoch&);
};

// By kind first (this order, not that of the set's elements); within a kind each generator
// already orders its sentences GP, GL, BD.
constexpr std::array<TSentenceKind, 10> kOutputOrder{{
    {GPZDA, AppendZDA},
    {GPGGA, AppendGGA},
    {GPGLL, AppendGLL},
    {GPVTG, AppendVTG},
    {GPRMC, AppendRMC},
    {GPGSA, AppendGSA},
    {GPGSV, AppendGSV},
    {GPWPL, AppendWPL},
    {GPRTE, AppendRTE},
    {GPAAM, AppendAAM},
}};

}  // namespace

std::string NMEASentences(const TReceiverView& View, TNMEACommands Commands) {
  if (Commands.Empty()) return {};
  // Every generator reads the same satellites and most of the same fields: one epoch for all.
  // With no active satellite no generator has anything to say.
  TEpoch epoch(View);
  if (epoch.Constellations().Active().empty()) return {};
  const bool all = Commands.Contains(AllNMEA);
  for (const TSentenceKind& kind : kOutputOrder)
    if (all || Commands.Contains(kind.Command)) kind.Append(epoch);
  return std::move(epoch).Release();
}

std::string SentencesOfKind(const TReceiverView& View, TNMEACommand Kind) {
  return NMEASentences(View, {Kind});
}

}  // namespace norv
