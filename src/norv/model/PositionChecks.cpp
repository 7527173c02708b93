#include "norv/model/PositionChecks.h"

namespace norv {

const char* RefusedLatitudeDegree(std::int32_t Value) {
  return Value >= 0 && Value <= 90 ? nullptr : "Latitude Degree must be between 0 and 90.";
}

const char* RefusedLatitudeMinute(std::int32_t Value) {
  return Value >= 0 && Value < 60 ? nullptr : "Latitude Minute must be between 0 and 60.";
}

const char* RefusedLatitudeSecond(Extended Value) {
  return InHalfOpen(Value, 0, 60) ? nullptr : "Latitude Second must be between 0 and 60.";
}

const char* RefusedLatitudeDirection(TCardinalPoint Value) {
  return Value == cpNorth || Value == cpSouth ? nullptr
                                              : "Latitude Direction must be north or south.";
}

const char* RefusedLongitudeDegree(std::int32_t Value) {
  return Value >= 0 && Value <= 180 ? nullptr : "Longitude Degree must be between 0 and 180.";
}

const char* RefusedLongitudeMinute(std::int32_t Value) {
  return Value >= 0 && Value < 60 ? nullptr : "Longitude Minute must be between 0 and 60.";
}

const char* RefusedLongitudeSecond(Extended Value) {
  return InHalfOpen(Value, 0, 60) ? nullptr : "Longitude Second must be between 0 and 60.";
}

const char* RefusedLongitudeDirection(TCardinalPoint Value) {
  return Value == cpEast || Value == cpWest ? nullptr : "Longitude Direction must be east or west.";
}

}  // namespace norv
