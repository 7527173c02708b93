#pragma once
// TWayPoint: a named point in degrees, minutes and seconds with a hemisphere per axis.
#include <cstdint>
#include <string>
#include <utility>

#include "norv/Export.h"
#include "norv/framework/Types.h"
#include "norv/model/Geodesy.h"
#include "norv/model/NorvTypes.h"

namespace norv {

// A named geographic point; its setters check each value alone and raise ENorvNMEAException with
// the same message as the component's position setters, but never show a dialog.
class NORV_API TWayPoint {
 public:
  // At 0 degrees 0 minutes 0 seconds north and east.
  explicit TWayPoint(std::string WayPointName = "") : FName(std::move(WayPointName)) {}

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

  std::int32_t Latitude_Degree() const { return FLatDeg; }
  std::int32_t Latitude_Minute() const { return FLatMin; }
  Extended Latitude_Second() const { return FLatSec; }
  TCardinalPoint Latitude_Direction() const { return FLatDir; }
  std::int32_t Longitude_Degree() const { return FLongDeg; }
  std::int32_t Longitude_Minute() const { return FLongMin; }
  Extended Longitude_Second() const { return FLongSec; }
  TCardinalPoint Longitude_Direction() const { return FLongDir; }

  void SetLatDeg(std::int32_t Value);    // 0 to 90
  void SetLatMin(std::int32_t Value);    // 0 to 59
  void SetLatSec(Extended Value);        // 0 or more, below 60
  void SetLatDir(TCardinalPoint Value);  // cpNorth or cpSouth
  void SetLongDeg(std::int32_t Value);   // 0 to 180
  void SetLongMin(std::int32_t Value);   // 0 to 59
  void SetLongSec(Extended Value);       // 0 or more, below 60
  void SetLongDir(TCardinalPoint Value); // cpEast or cpWest

 private:
  std::string FName;
  std::int32_t FLatDeg = 0;
  std::int32_t FLatMin = 0;
  Extended FLatSec = 0;
  TCardinalPoint FLatDir = cpNorth;
  TCardinalPoint FLongDir = cpEast;
  std::int32_t FLongDeg = 0;
  std::int32_t FLongMin = 0;
  Extended FLongSec = 0;
};

// Where W stands, as a point for the distance routines.
NORV_API TGeoPoint GeoPointOf(const TWayPoint& W);
// Great-circle distance from From to W in kilometres: what AAM and a route follower measure.
NORV_API Extended DistanceToWayPointKm(const TGeoPoint& From, const TWayPoint& W);

}  // namespace norv
