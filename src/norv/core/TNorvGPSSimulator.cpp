// Construction, destruction, the validating setters and the UTC clock of TNorvGPSSimulator.
#include "norv/core/TNorvGPSSimulator.h"

#include <cmath>

#include "norv/framework/DateTime.h"
#include "norv/framework/MessageDialog.h"
#include "norv/model/Geodesy.h"
#include "norv/model/PositionChecks.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"
#include "norv/serial/SerialLine.h"

namespace norv {

TNorvGPSSimulator::TNorvGPSSimulator(TComponent* AOwner) : TComponent(AOwner) {
#ifdef NORV_EARLIER_GENERATION
  FVersion = 2.0;
#else
  FVersion = 2.01;
#endif
  FState.UseSystemDateTime = true;
  FState.UTCDateTime = GetUTCDateTime();
  try {
    FWayPoints = new TWayPoints;
    FRoutes = new TRoutes;
    FLine = std::make_unique<serial::TSerialLine>();
  } catch (...) {
    // A destructor does not run for a constructor that throws (e.g. no thread could be started).
    delete FRoutes;
    delete FWayPoints;
    throw;
  }
}

TNorvGPSSimulator::~TNorvGPSSimulator() {
  // The line stops and joins its sender and closes an open port, since nothing could close or
  // reopen it once its owner is gone.
  FLine.reset();
  delete FWayPoints;  // with every waypoint still in it
  delete FRoutes;     // with every route still in it
}

void TNorvGPSSimulator::Refuse(const std::string& Msg) const {
  if (FMessageAlert) MessageDlg(Msg);
  throw ENorvNMEAException(Msg);
}

void TNorvGPSSimulator::SetLatDeg(std::int32_t Value) {
  if (const char* refusal = RefusedLatitudeDegree(Value)) Refuse(refusal);
  FState.Position.Latitude.Degree = Value;
}

void TNorvGPSSimulator::SetLatMin(std::int32_t Value) {
  if (const char* refusal = RefusedLatitudeMinute(Value)) Refuse(refusal);
  FState.Position.Latitude.Minute = Value;
}

void TNorvGPSSimulator::SetLatSec(Extended Value) {
  if (const char* refusal = RefusedLatitudeSecond(Value)) Refuse(refusal);
  FState.Position.Latitude.Second = Value;
}

void TNorvGPSSimulator::SetLatDir(TCardinalPoint Value) {
  if (const char* refusal = RefusedLatitudeDirection(Value)) Refuse(refusal);
  FState.Position.Latitude.Direction = Value;
}

void TNorvGPSSimulator::SetLongDeg(std::int32_t Value) {
  if (const char* refusal = RefusedLongitudeDegree(Value)) Refuse(refusal);
  FState.Position.Longitude.Degree = Value;
}

void TNorvGPSSimulator::SetLongMin(std::int32_t Value) {
  if (const char* refusal = RefusedLongitudeMinute(Value)) Refuse(refusal);
  FState.Position.Longitude.Minute = Value;
}

void TNorvGPSSimulator::SetLongSec(Extended Value) {
  if (const char* refusal = RefusedLongitudeSecond(Value)) Refuse(refusal);
  FState.Position.Longitude.Second = Value;
}

void TNorvGPSSimulator::SetLongDir(TCardinalPoint Value) {
  if (const char* refusal = RefusedLongitudeDirection(Value)) Refuse(refusal);
  FState.Position.Longitude.Direction = Value;
}

void TNorvGPSSimulator::SetHeading(Extended Value) {
  if (!InHalfOpen(Value, 0, 360)) Refuse("Heading must be between 0 and 360.");
  FState.Heading = Value;
}

void TNorvGPSSimulator::SetMagneticHeading(Extended Value) {
  if (!InHalfOpen(Value, 0, 360)) Refuse("Magnetic Heading must be between 0 and 360.");
  FState.Magnetic_Heading = Value;
}

void TNorvGPSSimulator::SetMagneticVariation(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("Magnetic Variation must be between 0 and 99.9.");
  FState.Magnetic_Variation = Value;
}

void TNorvGPSSimulator::SetMagnetic_Variation_Direction(TCardinalPoint Value) {
  if (Value != cpEast && Value != cpWest)
    Refuse("Magnetic Variation Direction must be east or west.");
  FState.Magnetic_Variation_Direction = Value;
}

void TNorvGPSSimulator::SetHDOP(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("HDOP must be between 0 and 99.9.");
  FState.HDOP = Value;
}

void TNorvGPSSimulator::SetVDOP(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("VDOP must be between 0 and 99.9.");
  FState.VDOP = Value;
}

void TNorvGPSSimulator::SetPDOP(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("PDOP must be between 0 and 99.9.");
  FState.PDOP = Value;
}

namespace {

// The sentences print these values in double precision, the speed also in km/h: a value is
// refused when that is not finite (1e4000 is a finite Extended but an infinite double).
bool Printable(Extended Value, Extended Factor = 1) {
  return std::isfinite(static_cast<double>(Value * Factor));
}

}  // namespace

void TNorvGPSSimulator::SetAltitude(Extended Value) {
  if (!Printable(Value)) Refuse("Altitude must be a finite number.");
  FState.Altitude = Value;
}

void TNorvGPSSimulator::SetSpeed(Extended Value) {
  if (!Printable(Value, 1 / kKnotsPerKmh)) Refuse("Speed must be a finite number.");
  FState.Speed = Value;
}

void TNorvGPSSimulator::SetGeo_Height(Extended Value) {
  if (!Printable(Value)) Refuse("Geo_Height must be a finite number.");
  FState.Geo_Height = Value;
}

void TNorvGPSSimulator::SetUTCDateTime(TDateTime Value) {
  if (!IsRepresentableDateTime(Value))
    Refuse("UTCDateTime must be a date from 0001-01-01 to 9999-12-31.");
  FState.UTCDateTime = Value;
}

TDateTime TNorvGPSSimulator::GetUTCDateTime() const { return UTCNow(FState); }

}  // namespace norv
