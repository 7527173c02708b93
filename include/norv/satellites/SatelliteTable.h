#pragma once
// TSatelliteTable: the receiver's satellites, one record per pseudo-random code, and their file.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "norv/Export.h"
#include "norv/framework/Color.h"
#include "norv/model/NorvTypes.h"
#include "norv/satellites/Satellite.h"

namespace norv {

class TCanvas;

// Owns the records of codes 1 to 235, all of them for its whole life, side by side in code
// order; a pointer to one stays valid as long as the table. Every list is in ascending code
// order.
class NORV_API TSatelliteTable {
 public:
  static constexpr std::int32_t kTotalSatellitesCount = 235;

  TSatelliteTable();

  // Every check runs before anything changes; a refused call raises ENorvNMEAException.
  void SetSatellite(std::uint16_t p_PseudoRandomCode, bool p_Active, std::int32_t p_Elevation,
                    std::int32_t p_Azimuth, std::int32_t p_SignalToNoiseRatio,
                    TSatelliteType p_SatelliteType);
  // The record of Code (1 to 235); null for any other code.
  const TSatellite* Satellite(std::int32_t Code) const {
    return Code >= 1 && Code <= FTotalSatellitesCount ? &FRecords[Code - 1] : nullptr;
  }
  // Every record, codes 1 to 235 in order.
  std::span<const TSatellite> Records() const { return FRecords; }
  std::uint16_t GetActiveSatellitesCount() const;
  // The records stay the table's; the vector is the caller's.
  std::vector<TSatellite*> GetSatellitesList() const;
  std::vector<TSatellite*> GetActiveSatellitesList() const;
  std::vector<TSatellite*> GetActiveSatellitesListbyType(TSatelliteType t) const;
  // Every satellite inactive with zero elevation, azimuth and ratio; types stay.
  void ResetSatellites();

  static std::string SatelliteTypeToStr(TSatelliteType sat);
  // Upper or lower case, full name or talker; anything else is GPS.
  static TSatelliteType StrToSatelliteType(const std::string& sat);

  // Replaced atomically; mode, owner and a symbolic link as WriteFileAtomically says.
  void SaveToFile(const std::filesystem::path& FileName) const;
  void LoadFromFile(const std::filesystem::path& FileName);
  // The sky plot of the active satellites on a square of side 2 * Radius.
  void Draw(TCanvas& Canvas, std::int32_t Radius, TColor BrushColor, TColor PenColor) const;

 private:
  static constexpr std::int32_t FTotalSatellitesCount = kTotalSatellitesCount;
  // The record of Code (1 to 235), writable even from a const table: the lists hand out
  // writable records, as the component always has.
  TSatellite& Record(std::int32_t Code) const {
    return const_cast<TSatellite&>(FRecords[static_cast<std::size_t>(Code - 1)]);
  }

  // Element i holds the satellite with pseudo-random code i + 1; never resized.
  std::vector<TSatellite> FRecords;
};

}  // namespace norv
