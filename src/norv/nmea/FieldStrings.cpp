// Field texts read from the component's state: position, UTC date and time, variation side.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/DateTime.h"
#include "norv/framework/SysUtils.h"
#include "norv/nmea/FieldFormat.h"

namespace norv {

namespace {

std::string TwoDigits(int v) { return MaxLenStr(IntToStr(v), 2, '0'); }

}  // namespace

std::string TNorvGPSSimulator::GetLatitudeStr() const {
  return LatitudeField(FLatDeg, FLatMin, FLatSec, FLatDir);
}

std::string TNorvGPSSimulator::GetLongitudeStr() const {
  return LongitudeField(FLongDeg, FLongMin, FLongSec, FLongDir);
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
