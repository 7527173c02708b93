#pragma once
// Test access to the component's internal operations.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/DateTime.h"

namespace norv::test {

struct SimulatorProbe : TNorvGPSSimulator {
  using TNorvGPSSimulator::GetActiveSatellitesList;
  using TNorvGPSSimulator::GetActiveSatellitesListbyType;
  using TNorvGPSSimulator::GetCommaSeparatedUTCDateStr;
  using TNorvGPSSimulator::GetLatitudeStr;
  using TNorvGPSSimulator::GetLongitudeStr;
  using TNorvGPSSimulator::GetMagneticVariationDirectionStr;
  using TNorvGPSSimulator::GetUTCDateStr;
  using TNorvGPSSimulator::GetUTCDateTime;
  using TNorvGPSSimulator::GetUTCTimeStr;

  // Fixes the clock at the given UTC instant.
  void FixClock(int y, int mo, int d, int h, int mi, int s, int ms) {
    SetUseSystemDateTime(false);
    SetUTCDateTime(EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms));
  }
};

}  // namespace norv::test
