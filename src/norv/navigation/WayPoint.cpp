// The validating setters of TWayPoint.
#include "norv/navigation/WayPoint.h"

#include "norv/model/ENorvNMEAException.h"

namespace norv {

namespace {

// NaN fails both comparisons, so it is refused too.
bool InHalfOpen(Extended v, Extended lo, Extended hi) { return v >= lo && v < hi; }

void Require(bool accepted, const char* message) {
  if (!accepted) throw ENorvNMEAException(message);
}

}  // namespace

void TWayPoint::SetLatDeg(std::int32_t Value) {
  Require(Value >= 0 && Value <= 90, "Latitude Degree must be between 0 and 90.");
  FLatDeg = Value;
}

void TWayPoint::SetLatMin(std::int32_t Value) {
  Require(Value >= 0 && Value < 60, "Latitude Minute must be between 0 and 60.");
  FLatMin = Value;
}

void TWayPoint::SetLatSec(Extended Value) {
  Require(InHalfOpen(Value, 0, 60), "Latitude Second must be between 0 and 60.");
  FLatSec = Value;
}

void TWayPoint::SetLatDir(TCardinalPoint Value) {
  Require(Value == cpNorth || Value == cpSouth, "Latitude Direction must be north or south.");
  FLatDir = Value;
}

void TWayPoint::SetLongDeg(std::int32_t Value) {
  Require(Value >= 0 && Value <= 180, "Longitude Degree must be between 0 and 180.");
  FLongDeg = Value;
}

void TWayPoint::SetLongMin(std::int32_t Value) {
  Require(Value >= 0 && Value < 60, "Longitude Minute must be between 0 and 60.");
  FLongMin = Value;
}

void TWayPoint::SetLongSec(Extended Value) {
  Require(InHalfOpen(Value, 0, 60), "Longitude Second must be between 0 and 60.");
  FLongSec = Value;
}

void TWayPoint::SetLongDir(TCardinalPoint Value) {
  Require(Value == cpEast || Value == cpWest, "Longitude Direction must be east or west.");
  FLongDir = Value;
}

}  // namespace norv
