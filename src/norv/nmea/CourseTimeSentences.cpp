// Course and time sentences, one per constellation in use:
//   VTG  $--VTG,true,T,magnetic,M,knots,N,kmh,K,A*hh
//   ZDA  $--ZDA,hhmmss.sss,dd,mm,yyyy,00,00*hh
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Sentence.h"

namespace norv {

std::string TNorvGPSSimulator::GetGPVTG() const {
  std::string out;
  TConstellations(GetActiveSatellitesList()).ForEach([&](std::string_view talker, const auto&) {
    // The true course keeps every digit of the heading; the km/h field converts the knots
    // exactly as the knots field shows them, so the two speeds always agree with each other.
    const double shownKnots = RRound(static_cast<double>(FSpeed));
    const std::size_t start = BeginSentence(out, talker, "VTG");
    out += FullDecimalField(FHeading) + ",T,";
    out += DecimalField(FMagnetic_Heading) + ",M,";
    out += DecimalField(FSpeed) + ",N,";
    out += FullDecimalField(KnotsToKmh(shownKnots)) + ",K,A";
    EndSentence(out, start);
  });
  return out;
}

std::string TNorvGPSSimulator::GetGPZDA() const {
  std::string out;
  TConstellations(GetActiveSatellitesList()).ForEach([&](std::string_view talker, const auto&) {
    const std::size_t start = BeginSentence(out, talker, "ZDA");
    out += GetUTCTimeStr() + ',';
    out += GetCommaSeparatedUTCDateStr();
    out += ",00,00";  // local zone hours and minutes: the sentence always reports UTC
    EndSentence(out, start);
  });
  return out;
}

}  // namespace norv
