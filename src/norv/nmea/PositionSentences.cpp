// Position fix sentences, one per constellation in use:
//   GGA  $--GGA,hhmmss.sss,ddmm.mmmmmm,N,dddmm.mmmmmm,E,fix,used,hdop,alt,M,geoid,M,,*hh
//   GLL  $--GLL,ddmm.mmmmmm,N,dddmm.mmmmmm,E,hhmmss.sss,status*hh
//   RMC  $--RMC,hhmmss.sss,status,ddmm.mmmmmm,N,dddmm.mmmmmm,E,knots,course,ddmmyy,var,E|W,A*hh
#include <algorithm>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/SysUtils.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Sentence.h"

namespace norv {

namespace {

// GGA reports at most twelve satellites used, counted over every constellation.
constexpr std::size_t kMaxSatellitesUsed = 12;

// "A" (valid) for any fix quality but 0, which means no fix: "V".
const char* StatusLetter(std::int32_t FixQuality) { return FixQuality != 0 ? "A" : "V"; }

}  // namespace

std::string TNorvGPSSimulator::GetGPGGA() const {
  const auto active = GetActiveSatellitesList();
  const std::string used = IntToStr(std::min(active.size(), kMaxSatellitesUsed));
  std::string out;
  TConstellations(active).ForEach([&](std::string_view talker, const auto&) {
    const std::size_t start = BeginSentence(out, talker, "GGA");
    out += GetUTCTimeStr() + ',';
    out += GetLatitudeStr() + ',';
    out += GetLongitudeStr() + ',';
    out += IntToStr(FFixQuality) + ',';
    out += used + ',';
    out += DecimalField(FHDOP) + ',';
    out += DecimalField(FAltitude) + ",M,";
    out += DecimalField(FGeo_Height) + ",M,,";
    EndSentence(out, start);
  });
  return out;
}

std::string TNorvGPSSimulator::GetGPGLL() const {
  std::string out;
  TConstellations(GetActiveSatellitesList()).ForEach([&](std::string_view talker, const auto&) {
    const std::size_t start = BeginSentence(out, talker, "GLL");
    out += GetLatitudeStr() + ',';
    out += GetLongitudeStr() + ',';
    out += GetUTCTimeStr() + ',';
    out += StatusLetter(FFixQuality);
    EndSentence(out, start);
  });
  return out;
}

std::string TNorvGPSSimulator::GetGPRMC() const {
  std::string out;
  TConstellations(GetActiveSatellitesList()).ForEach([&](std::string_view talker, const auto&) {
    const std::size_t start = BeginSentence(out, talker, "RMC");
    out += GetUTCTimeStr() + ',';
    out += StatusLetter(FFixQuality);
    out += ',' + GetLatitudeStr() + ',';
    out += GetLongitudeStr() + ',';
    out += DecimalField(FSpeed) + ',';
    out += DecimalField(FHeading) + ',';
    out += GetUTCDateStr() + ',';
    out += DecimalField(FMagnetic_Variation) + ',';
    out += GetMagneticVariationDirectionStr() + ",A";
    EndSentence(out, start);
  });
  return out;
}

}  // namespace norv
