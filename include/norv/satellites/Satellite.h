#pragma once
// TSatellite: one satellite of the simulated constellation, identified by its pseudo-random code.
#include <cstdint>

#include "norv/Export.h"
#include "norv/model/NorvTypes.h"

namespace norv {

// One satellite: active flag, sky position, signal-to-noise ratio and constellation.
class NORV_API TSatellite {
 public:
  explicit TSatellite(std::uint16_t p_PseudoRandomCode) : FPseudoRandomCode(p_PseudoRandomCode) {}

  std::uint16_t PseudoRandomCode() const { return FPseudoRandomCode; }
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  std::int32_t Azimuth() const { return FAzimuth; }
  // 0 to 359; raises ENorvNMEAException "Azimuth must be between 0 and 360."
  void SetAzimuth(std::int32_t Value);
  std::int32_t Elevation() const { return FElevation; }
  // 0 to 90; raises ENorvNMEAException "Elevation must be between 0 and 90."
  void SetElevation(std::int32_t Value);
  std::int32_t SignalToNoiseRatio() const { return FSignalToNoiseRatio; }
  // 0 to 99; raises ENorvNMEAException "SignalToNoiseRatio must be between 0 and 99."
  void SetSignalToNoiseRatio(std::int32_t Value);
  TSatelliteType SatelliteType() const { return FSatelliteType; }
  void SetSatelliteType(TSatelliteType Value) { FSatelliteType = Value; }

  // The checks shared with TSatelliteTable::SetSatellite; each raises its message.
  static void CheckElevation(std::int32_t Value);
  static void CheckAzimuth(std::int32_t Value);
  static void CheckSignalToNoiseRatio(std::int32_t Value);

 private:
  std::uint16_t FPseudoRandomCode;
  bool FActive = false;
  std::int32_t FAzimuth = 0;
  std::int32_t FElevation = 0;
  std::int32_t FSignalToNoiseRatio = 0;
  TSatelliteType FSatelliteType = GpsSatellite;
};

}  // namespace norv
