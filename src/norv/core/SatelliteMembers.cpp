// The satellite members of TNorvGPSSimulator: each is its satellite table's.
#include "norv/core/TNorvGPSSimulator.h"

namespace norv {

void TNorvGPSSimulator::SetSatellite(std::uint16_t p_PseudoRandomCode, bool p_Active,
                                     std::int32_t p_Elevation, std::int32_t p_Azimuth,
                                     std::int32_t p_SignalToNoiseRatio,
                                     TSatelliteType p_SatelliteType) {
  FSatelliteTable.SetSatellite(p_PseudoRandomCode, p_Active, p_Elevation, p_Azimuth,
                               p_SignalToNoiseRatio, p_SatelliteType);
}

std::uint16_t TNorvGPSSimulator::GetActiveSatellitesCount() const {
  return FSatelliteTable.GetActiveSatellitesCount();
}

std::vector<TSatellite*> TNorvGPSSimulator::GetSatellitesList() const {
  return FSatelliteTable.GetSatellitesList();
}

std::vector<TSatellite*> TNorvGPSSimulator::GetActiveSatellitesList() const {
  return FSatelliteTable.GetActiveSatellitesList();
}

std::vector<TSatellite*> TNorvGPSSimulator::GetActiveSatellitesListbyType(TSatelliteType t) const {
  return FSatelliteTable.GetActiveSatellitesListbyType(t);
}

void TNorvGPSSimulator::ResetSatellites() { FSatelliteTable.ResetSatellites(); }

std::string TNorvGPSSimulator::SatelliteTypeToStr(TSatelliteType sat) const {
  return TSatelliteTable::SatelliteTypeToStr(sat);
}

TSatelliteType TNorvGPSSimulator::StrToSatelliteType(const std::string& sat) const {
  return TSatelliteTable::StrToSatelliteType(sat);
}

void TNorvGPSSimulator::SaveSatellitesToFile(const std::filesystem::path& FileName) const {
  FSatelliteTable.SaveToFile(FileName);
}

void TNorvGPSSimulator::LoadSatellitesFromFile(const std::filesystem::path& FileName) {
  FSatelliteTable.LoadFromFile(FileName);
}

void TNorvGPSSimulator::DrawSatellites(TCanvas& Canvas, std::int32_t Radius, TColor BrushColor,
                                       TColor PenColor) const {
  FSatelliteTable.Draw(Canvas, Radius, BrushColor, PenColor);
}

}  // namespace norv
