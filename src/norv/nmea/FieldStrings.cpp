// Field texts read from the component's state: position, UTC date and time, variation side.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/FieldText.h"

namespace norv {

std::string TNorvGPSSimulator::GetLatitudeStr() const {
  return std::string(LatitudeText(FLatDeg, FLatMin, FLatSec, FLatDir));
}

std::string TNorvGPSSimulator::GetLongitudeStr() const {
  return std::string(LongitudeText(FLongDeg, FLongMin, FLongSec, FLongDir));
}

std::string TNorvGPSSimulator::GetUTCDateStr() const {
  return std::string(UTCDateText(GetUTCDateTime()));
}

std::string TNorvGPSSimulator::GetCommaSeparatedUTCDateStr() const {
  return std::string(CommaSeparatedUTCDateText(GetUTCDateTime()));
}

std::string TNorvGPSSimulator::GetUTCTimeStr() const {
  return std::string(UTCTimeText(GetUTCDateTime()));
}

std::string TNorvGPSSimulator::GetMagneticVariationDirectionStr() const {
  switch (FMagnetic_Variation_Direction) {
    case cpEast: return "E";
    case cpWest: return "W";
    default: return "";
  }
}

}  // namespace norv
