// Construction, destruction, the validating setters and the UTC clock of TNorvGPSSimulator.
#include "norv/core/TNorvGPSSimulator.h"

#include "norv/framework/DateTime.h"
#include "norv/framework/MessageDialog.h"
#include "norv/model/PositionChecks.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"
#include "norv/satellites/Satellite.h"
#include "norv/serial/SerialLine.h"

namespace norv {

TNorvGPSSimulator::TNorvGPSSimulator(TComponent* AOwner) : TComponent(AOwner) {
#ifdef NORV_EARLIER_GENERATION
  FVersion = 2.0;
#else
  FVersion = 2.01;
#endif
  FUseSystemDateTime = true;
  FUTCDateTime = GetUTCDateTime();
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i)
    if (!FSatellites[i]) FSatellites[i] = std::make_unique<TSatellite>(static_cast<std::uint16_t>(i));
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
  FLatDeg = Value;
}

void TNorvGPSSimulator::SetLatMin(std::int32_t Value) {
  if (const char* refusal = RefusedLatitudeMinute(Value)) Refuse(refusal);
  FLatMin = Value;
}

void TNorvGPSSimulator::SetLatSec(Extended Value) {
  if (const char* refusal = RefusedLatitudeSecond(Value)) Refuse(refusal);
  FLatSec = Value;
}

void TNorvGPSSimulator::SetLatDir(TCardinalPoint Value) {
  if (const char* refusal = RefusedLatitudeDirection(Value)) Refuse(refusal);
  FLatDir = Value;
}

void TNorvGPSSimulator::SetLongDeg(std::int32_t Value) {
  if (const char* refusal = RefusedLongitudeDegree(Value)) Refuse(refusal);
  FLongDeg = Value;
}

void TNorvGPSSimulator::SetLongMin(std::int32_t Value) {
  if (const char* refusal = RefusedLongitudeMinute(Value)) Refuse(refusal);
  FLongMin = Value;
}

void TNorvGPSSimulator::SetLongSec(Extended Value) {
  if (const char* refusal = RefusedLongitudeSecond(Value)) Refuse(refusal);
  FLongSec = Value;
}

void TNorvGPSSimulator::SetLongDir(TCardinalPoint Value) {
  if (const char* refusal = RefusedLongitudeDirection(Value)) Refuse(refusal);
  FLongDir = Value;
}

void TNorvGPSSimulator::SetHeading(Extended Value) {
  if (!InHalfOpen(Value, 0, 360)) Refuse("Heading must be between 0 and 360.");
  FHeading = Value;
}

void TNorvGPSSimulator::SetMagneticHeading(Extended Value) {
  if (!InHalfOpen(Value, 0, 360)) Refuse("Magnetic Heading must be between 0 and 360.");
  FMagnetic_Heading = Value;
}

void TNorvGPSSimulator::SetMagneticVariation(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("Magnetic Variation must be between 0 and 99.9.");
  FMagnetic_Variation = Value;
}

void TNorvGPSSimulator::SetMagnetic_Variation_Direction(TCardinalPoint Value) {
  if (Value != cpEast && Value != cpWest)
    Refuse("Magnetic Variation Direction must be east or west.");
  FMagnetic_Variation_Direction = Value;
}

void TNorvGPSSimulator::SetHDOP(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("HDOP must be between 0 and 99.9.");
  FHDOP = Value;
}

void TNorvGPSSimulator::SetVDOP(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("VDOP must be between 0 and 99.9.");
  FVDOP = Value;
}

void TNorvGPSSimulator::SetPDOP(Extended Value) {
  if (!InHalfOpen(Value, 0, 100)) Refuse("PDOP must be between 0 and 99.9.");
  FPDOP = Value;
}

// With the system clock this is the true UTC instant, whatever the local zone and its rules.
TDateTime TNorvGPSSimulator::GetUTCDateTime() const {
  return FUseSystemDateTime ? NowUTC() : FUTCDateTime;
}

}  // namespace norv
