// The satellite table: setting, listing, counting, resetting, type names.
#include "norv/satellites/SatelliteTable.h"

#include "norv/framework/SysUtils.h"
#include "norv/model/ENorvNMEAException.h"

namespace norv {

TSatelliteTable::TSatelliteTable() {
  FRecords.reserve(FTotalSatellitesCount);
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i)
    FRecords.emplace_back(static_cast<std::uint16_t>(i));
}

void TSatelliteTable::SetSatellite(std::uint16_t p_PseudoRandomCode, bool p_Active,
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

  TSatellite& s = Record(p_PseudoRandomCode);
  s.SetActive(p_Active);
  s.SetElevation(p_Elevation);
  s.SetAzimuth(p_Azimuth);
  s.SetSignalToNoiseRatio(p_SignalToNoiseRatio);
  s.SetSatelliteType(p_SatelliteType);
}

std::uint16_t TSatelliteTable::GetActiveSatellitesCount() const {
  std::uint16_t count = 0;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i)
    if (Record(i).Active()) ++count;
  return count;
}

std::vector<TSatellite*> TSatelliteTable::GetSatellitesList() const {
  std::vector<TSatellite*> list;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i) list.push_back(&Record(i));
  return list;
}

std::vector<TSatellite*> TSatelliteTable::GetActiveSatellitesList() const {
  std::vector<TSatellite*> list;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i)
    if (Record(i).Active()) list.push_back(&Record(i));
  return list;
}

std::vector<TSatellite*> TSatelliteTable::GetActiveSatellitesListbyType(TSatelliteType t) const {
  std::vector<TSatellite*> list;
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i) {
    TSatellite* s = &Record(i);
    if (s->Active() && s->SatelliteType() == t) list.push_back(s);
  }
  return list;
}

void TSatelliteTable::ResetSatellites() {
  for (std::int32_t i = 1; i <= FTotalSatellitesCount; ++i) {
    TSatellite& s = Record(i);
    s.SetActive(false);
    s.SetElevation(0);
    s.SetAzimuth(0);
    s.SetSignalToNoiseRatio(0);
  }
}

std::string TSatelliteTable::SatelliteTypeToStr(TSatelliteType sat) {
  switch (sat) {
    case GlonassSatellite: return "GLONASS";
    case BeidouSatellite: return "Beidou";
    default: return "GPS";
  }
}

TSatelliteType TSatelliteTable::StrToSatelliteType(const std::string& sat) {
  const std::string upper = UpperCase(sat);
  if (upper == "GLONASS" || upper == "GL") return GlonassSatellite;
  if (upper == "BEIDOU" || upper == "BD") return BeidouSatellite;
  return GpsSatellite;
}

}  // namespace norv
