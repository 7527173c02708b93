// Field texts read from the component's state: position, UTC date and time, variation side.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/DateTime.h"
#include "norv/framework/SysUtils.h"
#include "norv/nmea/FieldFormat.h"

#include <cmath>

namespace norv {

namespace {

// ddmm.mmmmmm,H (or dddmm.mmmmmm,H). A minute fraction that rounds to 1000000 carries into
// the minutes and degrees, so 59.99999 seconds never reads as a seven-digit fraction.
std::string AngleStr(std::int32_t deg, std::int32_t min, Extended sec, int degWidth, char side) {
  auto fraction = static_cast<std::int64_t>(std::nearbyint(sec / 60 * 1000000));
  if (fraction >= 1000000) {
    fraction -= 1000000;
    if (++min >= 60) {
      min -= 60;
      ++deg;
    }
  }
  std::string out = MaxLenStr(IntToStr(deg), degWidth, '0');
  out += MaxLenStr(IntToStr(min), 2, '0');
  out += '.';
  out += MaxLenStr(IntToStr(fraction), 6, '0');
  out += ',';
  out += side;
  return out;
}

std::string TwoDigits(int v) { return MaxLenStr(IntToStr(v), 2, '0'); }

}  // namespace

std::string TNorvGPSSimulator::GetLatitudeStr() const {
  return AngleStr(FLatDeg, FLatMin, FLatSec, 2, FLatDir == cpNorth ? 'N' : 'S');
}

std::string TNorvGPSSimulator::GetLongitudeStr() const {
  return AngleStr(FLongDeg, FLongMin, FLongSec, 3, FLongDir == cpEast ? 'E' : 'W');
}

std::string TNorvGPSSimulator::GetUTCDateStr() const {
  int y = 0, m = 0, d = 0;
  DecodeDate(GetUTCDateTime(), y, m, d);
  return TwoDigits(d) + TwoDigits(m) + MaxLenStrInv(IntToStr(y), 2, '0');
}

std::string TNorvGPSSimulator::GetCommaSeparatedUTCDateStr() const {
  int y = 0, m = 0, d = 0;
  DecodeDate(GetUTCDateTime(), y, m, d);
  return TwoDigits(d) + ',' + TwoDigits(m) + ',' + MaxLenStr(IntToStr(y), 4, '0');
}

std::string TNorvGPSSimulator::GetUTCTimeStr() const {
  int h = 0, n = 0, s = 0, ms = 0;
  DecodeTime(GetUTCDateTime(), h, n, s, ms);
  return TwoDigits(h) + TwoDigits(n) + TwoDigits(s) + '.' + MaxLenStr(IntToStr(ms), 3, '0');
}

std::string TNorvGPSSimulator::GetMagneticVariationDirectionStr() const {
  switch (FMagnetic_Variation_Direction) {
    case cpEast: return "E";
    case cpWest: return "W";
    default: return "";
  }
}

}  // namespace norv
