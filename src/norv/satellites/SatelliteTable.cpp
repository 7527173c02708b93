// The component's satellite table: setting, listing, counting, resetting, type names.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/SysUtils.h"
#include "norv/satellites/Satellite.h"
#include "norv/satellites/SatelliteNumbers.h"

namespace norv {

void TNorvGPSSimulator::SetSatellite(std::uint16_t p_PseudoRandomCode, bool p_Active,
                                     std::int32_t p_Elevation, std::int32_t p_Azimuth,
                                     std::int32_t p_SignalToNoiseRatio,
                                     TSatelliteType p_SatelliteType) {
  // Every check runs before anything changes, so a refused call leaves the table as it was.
  if (p_PseudoRandomCode == 0 || p_PseudoRandomCode > FTotalSatellitesCount)
    throw ENorvNMEAException("PseudoRandomCode must be between 1 and " +
                             IntToStr(FTotalSatellitesCount) + ".");
  TSatellite::CheckElevation(p_Elevation);
  TSatellite::CheckAzimuth(p_Azimuth);
  TSatellite::CheckSignalToNoiseRatio(p_SignalToNoiseRatio);

  auto& slot = FSatellites[p_PseudoRandomCode];
  if (!slot) slot = std::make_unique<TSatellite>(p_PseudoRandomCode);
  slot->SetActive(p_Active);
  TSatelliteNumbers::SetChecked(*slot, p_Elevation, p_Azimuth, p_SignalToNoiseRatio);
  slot->SetSatelliteType(p_SatelliteType);
}

std::uint16_t TNorvGPSSimulator::GetActiveSatellitesCount() const {
  std::uint16_t count = 0;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i)
    if (FSatellites[i] && FSatellites[i]->Active()) ++count;
  return count;
}

std::vector<TSatellite*> TNorvGPSSimulator::GetSatellitesList() const {
  std::vector<TSatellite*> list;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i)
    if (FSatellites[i]) list.push_back(FSatellites[i].get());
  return list;
}

std::vector<TSatellite*> TNorvGPSSimulator::GetActiveSatellitesList() const {
  std::vector<TSatellite*> list;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i)
    if (FSatellites[i] && FSatellites[i]->Active()) list.push_back(FSatellites[i].get());
  return list;
}

std::vector<TSatellite*> TNorvGPSSimulator::GetActiveSatellitesListbyType(TSatelliteType t) const {
  std::vector<TSatellite*> list;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i) {
    const TSatellite* s = FSatellites[i].get();
    if (s && s->Active() && s->SatelliteType() == t) list.push_back(FSatellites[i].get());
  }
  return list;
}

void TNorvGPSSimulator::ResetSatellites() {
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i) {
    if (!FSatellites[i]) continue;
    FSatellites[i]->SetActive(false);
    TSatelliteNumbers::SetChecked(*FSatellites[i], 0, 0, 0);
  }
}

std::string TNorvGPSSimulator::SatelliteTypeToStr(TSatelliteType sat) const {
  switch (sat) {
    case GlonassSatellite: return "GLONASS";
    case BeidouSatellite: return "Beidou";
    default: return "GPS";
  }
}

TSatelliteType TNorvGPSSimulator::StrToSatelliteType(const std::string& sat) const {
  const std::string upper = UpperCase(sat);
  if (upper == "GLONASS" || upper == "GL") return GlonassSatellite;
  if (upper == "BEIDOU" || upper == "BD") return BeidouSatellite;
  return GpsSatellite;
}

}  // namespace norv
