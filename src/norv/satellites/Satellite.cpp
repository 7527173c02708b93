#include "norv/satellites/Satellite.h"

#include "norv/model/ENorvNMEAException.h"

namespace norv {

void TSatellite::CheckElevation(std::int32_t Value) {
  if (Value < 0 || Value > 90) throw ENorvNMEAException("Elevation must be between 0 and 90.");
}

void TSatellite::CheckAzimuth(std::int32_t Value) {
  if (Value < 0 || Value >= 360) throw ENorvNMEAException("Azimuth must be between 0 and 360.");
}

void TSatellite::CheckSignalToNoiseRatio(std::int32_t Value) {
  if (Value < 0 || Value > 99)
    throw ENorvNMEAException("SignalToNoiseRatio must be between 0 and 99.");
}

void TSatellite::SetAzimuth(std::int32_t Value) {
  CheckAzimuth(Value);
  FAzimuth = Value;
}

void TSatellite::SetElevation(std::int32_t Value) {
  CheckElevation(Value);
  FElevation = Value;
}

void TSatellite::SetSignalToNoiseRatio(std::int32_t Value) {
  CheckSignalToNoiseRatio(Value);
  FSignalToNoiseRatio = Value;
}

}  // namespace norv
