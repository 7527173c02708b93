// Construction, destruction, the validating setters and the UTC clock of TNorvGPSSimulator.
#include "norv/core/TNorvGPSSimulator.h"

#include "norv/framework/MessageDialog.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"
#include "norv/serial/SenderThread.h"

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
    // Last: the sender starts running at once and reads the fields above.
    FSenderThread = new TSenderThread(this);
  } catch (...) {
    // A destructor does not run for a constructor that throws (e.g. no thread could be started).
    delete FRoutes;
    delete FWayPoints;
    throw;
  }
}

TNorvGPSSimulator::~TNorvGPSSimulator() {
  // The sender is stopped and joined before anything it reads goes; an open port is closed, since
  // nothing could close or reopen it once its owner is gone.
  delete FSenderThread;
  FSenderThread = nullptr;
  Disconnect();
  delete FWayPoints;  // with every waypoint still in it
  delete FRoutes;     // with every route still in it
}

void TNorvGPSSimulator::Refuse(const std::string& Msg) const {
  if (FMessageAlert) MessageDlg(Msg);
  throw ENorvNMEAException(Msg);
}

namespace {

// NaN fails every comparison, so it is refused too.
bool InHalfOpen(Extended v, Extended lo, Extended hi) { return v >= lo && v < hi; }

}  // namespace

void TNorvGPSSimulator::SetLatDeg(std::int32_t Value) {
  if (Value < 0 || Value > 90) Refuse("Latitude Degree must be between 0 and 90.");
  FState.Position.Latitude.Degree = Value;
}

void TNorvGPSSimulator::SetLatMin(std::int32_t Value) {
  if (Value < 0 || Value >= 60) Refuse("Latitude Minute must be between 0 and 60.");
  FState.Position.Latitude.Minute = Value;
}

void TNorvGPSSimulator::SetLatSec(Extended Value) {
  if (!InHalfOpen(Value, 0, 60)) Refuse("Latitude Second must be between 0 and 60.");
  FState.Position.Latitude.Second = Value;
}

void TNorvGPSSimulator::SetLatDir(TCardinalPoint Value) {
  if (Value != cpNorth && Value != cpSouth) Refuse("Latitude Direction must be north or south.");
  FState.Position.Latitude.Direction = Value;
}

void TNorvGPSSimulator::SetLongDeg(std::int32_t Value) {
  if (Value < 0 || Value > 180) Refuse("Longitude Degree must be between 0 and 180.");
  FState.Position.Longitude.Degree = Value;
}

void TNorvGPSSimulator::SetLongMin(std::int32_t Value) {
  if (Value < 0 || Value >= 60) Refuse("Longitude Minute must be between 0 and 60.");
  FState.Position.Longitude.Minute = Value;
}

void TNorvGPSSimulator::SetLongSec(Extended Value) {
  if (!InHalfOpen(Value, 0, 60)) Refuse("Longitude Second must be between 0 and 60.");
  FState.Position.Longitude.Second = Value;
}

void TNorvGPSSimulator::SetLongDir(TCardinalPoint Value) {
  if (Value != cpEast && Value != cpWest) Refuse("Longitude Direction must be east or west.");
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

std::string TNorvGPSSimulator::Port() const {
  std::lock_guard<std::mutex> lock(FCriticalSection);
  return FCommPort;
}

void TNorvGPSSimulator::SetPort(const std::string& Value) {
  // The sender thread reads the port name under the lock.
  std::lock_guard<std::mutex> lock(FCriticalSection);
  FCommPort = Value;
}

TDateTime TNorvGPSSimulator::GetUTCDateTime() const { return UTCNow(FState); }

}  // namespace norv
