// The validating setters of TWayPoint.
#include "norv/navigation/WayPoint.h"

#include "norv/model/ENorvNMEAException.h"
#include "norv/model/PositionChecks.h"

namespace norv {

namespace {

void Require(const char* Refusal) {
  if (Refusal != nullptr) throw ENorvNMEAException(Refusal);
}

}  // namespace

void TWayPoint::SetLatDeg(std::int32_t Value) {
  Require(RefusedLatitudeDegree(Value));
  FLatDeg = Value;
}

void TWayPoint::SetLatMin(std::int32_t Value) {
  Require(RefusedLatitudeMinute(Value));
  FLatMin = Value;
}

void TWayPoint::SetLatSec(Extended Value) {
  Require(RefusedLatitudeSecond(Value));
  FLatSec = Value;
}

void TWayPoint::SetLatDir(TCardinalPoint Value) {
  Require(RefusedLatitudeDirection(Value));
  FLatDir = Value;
}

void TWayPoint::SetLongDeg(std::int32_t Value) {
  Require(RefusedLongitudeDegree(Value));
  FLongDeg = Value;
}

void TWayPoint::SetLongMin(std::int32_t Value) {
  Require(RefusedLongitudeMinute(Value));
  FLongMin = Value;
}

void TWayPoint::SetLongSec(Extended Value) {
  Require(RefusedLongitudeSecond(Value));
  FLongSec = Value;
}

void TWayPoint::SetLongDir(TCardinalPoint Value) {
  Require(RefusedLongitudeDirection(Value));
  FLongDir = Value;
}

TGeoPoint GeoPointOf(const TWayPoint& W) {
  return {{W.Latitude_Degree(), W.Latitude_Minute(), W.Latitude_Second(), W.Latitude_Direction()},
          {W.Longitude_Degree(), W.Longitude_Minute(), W.Longitude_Second(),
           W.Longitude_Direction()}};
}

Extended DistanceToWayPointKm(const TGeoPoint& From, const TWayPoint& W) {
  return DistanceKm(From, GeoPointOf(W));
}

}  // namespace norv
