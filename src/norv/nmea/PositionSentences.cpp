// Position fix sentences, one per constellation in use:
//   GGA  $--GGA,hhmmss.sss,ddmm.mmmmmm,N,dddmm.mmmmmm,E,fix,used,hdop,alt,M,geoid,M,,*hh
//   GLL  $--GLL,ddmm.mmmmmm,N,dddmm.mmmmmm,E,hhmmss.sss,status*hh
//   RMC  $--RMC,hhmmss.sss,status,ddmm.mmmmmm,N,dddmm.mmmmmm,E,knots,course,ddmmyy,var,E|W,A*hh
#include <algorithm>
#include <utility>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/Sentence.h"
#include "norv/nmea/SentenceCycle.h"

namespace norv {

namespace {

// GGA reports at most twelve satellites used, counted over every constellation.
constexpr std::size_t kMaxSatellitesUsed = 12;

// "A" (valid) for any fix quality but 0, which means no fix: "V".
std::string_view StatusLetter(std::int32_t FixQuality) { return FixQuality != 0 ? "A" : "V"; }

std::string_view LatitudeOf(const TNorvGPSSimulator& Sim, TSentenceCycle& Cycle) {
  return Cycle.Field(cfLatitude, [&] {
    return LatitudeText(Sim.Latitude_Degree(), Sim.Latitude_Minute(), Sim.Latitude_Second(),
                        Sim.Latitude_Direction());
  });
}

std::string_view LongitudeOf(const TNorvGPSSimulator& Sim, TSentenceCycle& Cycle) {
  return Cycle.Field(cfLongitude, [&] {
    return LongitudeText(Sim.Longitude_Degree(), Sim.Longitude_Minute(), Sim.Longitude_Second(),
                         Sim.Longitude_Direction());
  });
}

}  // namespace

void TNorvGPSSimulator::AppendGPGGA(TSentenceText& Out, TSentenceCycle& Cycle) const {
  const auto used = Cycle.Field(cfSatellitesUsed, [&] {
    return IntegerText(
        static_cast<std::int64_t>(std::min(Cycle.Constellations().Active().size(), kMaxSatellitesUsed)));
  });
  const auto fix = Cycle.Field(cfFixQuality, [&] { return IntegerText(FFixQuality); });
  const auto hdop = Cycle.Decimal(cfHDOP, FHDOP);
  const auto altitude = Cycle.Decimal(cfAltitude, FAltitude);
  const auto geoid = Cycle.Decimal(cfGeoHeight, FGeo_Height);
  TTalkerSentences<TDateTime> sentences(Out);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    const TDateTime now = GetUTCDateTime();
    sentences.Append(talker, now, [&] {
      AppendSentence(Out, talker, "GGA",
                     {Cycle.UTCTime(now), LatitudeOf(*this, Cycle), LongitudeOf(*this, Cycle), fix,
                      used, hdop, altitude, "M", geoid, "M", "", ""});
    });
  });
}

void TNorvGPSSimulator::AppendGPGLL(TSentenceText& Out, TSentenceCycle& Cycle) const {
  TTalkerSentences<TDateTime> sentences(Out);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    const TDateTime now = GetUTCDateTime();
    sentences.Append(talker, now, [&] {
      AppendSentence(Out, talker, "GLL",
                     {LatitudeOf(*this, Cycle), LongitudeOf(*this, Cycle), Cycle.UTCTime(now),
                      StatusLetter(FFixQuality)});
    });
  });
}

void TNorvGPSSimulator::AppendGPRMC(TSentenceText& Out, TSentenceCycle& Cycle) const {
  const auto speed = Cycle.Decimal(cfSpeed, FSpeed);
  const auto course = Cycle.Decimal(cfHeading, FHeading);
  const auto variation = Cycle.Decimal(cfMagneticVariation, FMagnetic_Variation);
  const std::string side = GetMagneticVariationDirectionStr();
  TTalkerSentences<std::pair<TDateTime, TDateTime>> sentences(Out);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    // The time and the date each read the clock.
    const std::pair<TDateTime, TDateTime> now{GetUTCDateTime(), GetUTCDateTime()};
    sentences.Append(talker, now, [&] {
      AppendSentence(Out, talker, "RMC",
                     {Cycle.UTCTime(now.first), StatusLetter(FFixQuality),
                      LatitudeOf(*this, Cycle), LongitudeOf(*this, Cycle), speed, course,
                      Cycle.UTCDate(now.second), variation, side, "A"});
    });
  });
}

std::string TNorvGPSSimulator::GetGPGGA() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPGGA);
}

std::string TNorvGPSSimulator::GetGPGLL() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPGLL);
}

std::string TNorvGPSSimulator::GetGPRMC() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPRMC);
}

}  // namespace norv
