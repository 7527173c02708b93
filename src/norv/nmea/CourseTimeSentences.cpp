// Course and time sentences, one per constellation in use:
//   VTG  $--VTG,true,T,magnetic,M,knots,N,kmh,K,A*hh
//   ZDA  $--ZDA,hhmmss.sss,dd,mm,yyyy,00,00*hh
#include <utility>
#include <variant>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Sentence.h"
#include "norv/nmea/SentenceCycle.h"

namespace norv {

void TNorvGPSSimulator::AppendGPVTG(TSentenceText& Out, TSentenceCycle& Cycle) const {
  // The true course keeps every digit of the heading; the km/h field converts the knots
  // exactly as the knots field shows them, so the two speeds always agree with each other.
  const auto trueCourse = Cycle.Field(cfTrueCourse, [&] { return FullDecimalText(FHeading); });
  const auto magnetic = Cycle.Decimal(cfMagneticHeading, FMagnetic_Heading);
  const auto knots = Cycle.Decimal(cfSpeed, FSpeed);
  const auto kmh = Cycle.Field(cfSpeedKmh, [&] {
    return FullDecimalText(KnotsToKmh(RRound(static_cast<double>(FSpeed))));
  });
  TTalkerSentences<std::monostate> sentences(Out);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    sentences.Append(talker, {}, [&] {
      AppendSentence(Out, talker, "VTG", {trueCourse, "T", magnetic, "M", knots, "N", kmh, "K", "A"});
    });
  });
}

void TNorvGPSSimulator::AppendGPZDA(TSentenceText& Out, TSentenceCycle& Cycle) const {
  TTalkerSentences<std::pair<TDateTime, TDateTime>> sentences(Out);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    // The time and the date each read the clock.
    const std::pair<TDateTime, TDateTime> now{GetUTCDateTime(), GetUTCDateTime()};
    sentences.Append(talker, now, [&] {
      // Local zone hours and minutes are 00,00: the sentence always reports UTC.
      AppendSentence(Out, talker, "ZDA",
                     {Cycle.UTCTime(now.first), Cycle.CommaSeparatedUTCDate(now.second), "00",
                      "00"});
    });
  });
}

std::string TNorvGPSSimulator::GetGPVTG() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPVTG);
}

std::string TNorvGPSSimulator::GetGPZDA() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPZDA);
}

}  // namespace norv
