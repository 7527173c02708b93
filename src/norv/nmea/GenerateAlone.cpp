// A generator called on its own: a cycle of its own and a buffer sized for one cycle.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/SentenceCycle.h"

namespace norv {

std::string TNorvGPSSimulator::GenerateAlone(TAppendSentences Append) const {
  TSentenceCycle cycle(FSatellites, FTotalSatellitesCount);
  std::string out;
  if (cycle.Constellations().Active().empty()) return out;
  TSentenceText text(cycle.ExpectedSize(FRoutes));
  (this->*Append)(text, cycle);
  return std::move(text).Release();
}

}  // namespace norv
