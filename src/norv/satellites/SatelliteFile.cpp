// The satellite file: one INI section per pseudo-random code ("1" to "235") with the keys
// Active, Elevation, Azimuth, SNR and Type.
#include "norv/framework/IniFile.h"
#include "norv/framework/SysUtils.h"
#include "norv/satellites/SatelliteTable.h"

namespace norv {

void TSatelliteTable::SaveToFile(const std::filesystem::path& FileName) const {
  // Built from scratch and written in one atomic step: no section of an older file survives,
  // and a save that fails leaves the older file as it was.
  TIniFile ini(FileName, TIniFile::Empty);
  for (std::int32_t code = 1; code <= FTotalSatellitesCount; ++code) {
    const std::string section = IntToStr(code);
    const TSatellite* s = Satellite(code);
    ini.WriteBool(section, "Active", s ? s->Active() : false);
    ini.WriteInteger(section, "Elevation", s ? s->Elevation() : 0);
    ini.WriteInteger(section, "Azimuth", s ? s->Azimuth() : 0);
    ini.WriteInteger(section, "SNR", s ? s->SignalToNoiseRatio() : 0);
    ini.WriteString(section, "Type", s ? SatelliteTypeToStr(s->SatelliteType()) : "");
  }
  ini.UpdateFile();
}

void TSatelliteTable::LoadFromFile(const std::filesystem::path& FileName) {
  if (!TIniFile::FileToLoad(FileName)) return;
  // Applied on top of the table, section by section in file order; the first bad section
  // raises, naming its file, line and key, leaving the sections before it applied.
  const TIniFile ini(FileName);
  for (const std::string& section : ini.ReadSections()) {
    const std::int32_t code = ini.Located(section, "", [&] { return StrToInt(section); });
    // Each number is checked at its own line, in SetSatellite's order, before anything changes.
    const auto number = [&](const char* key, void (*check)(std::int32_t)) {
      return ini.Located(section, key, [&] {
        const std::int32_t value = ini.ReadInteger(section, key, 0);
        check(value);
        return value;
      });
    };
    const std::int32_t elevation = number("Elevation", &TSatellite::CheckElevation);
    const std::int32_t azimuth = number("Azimuth", &TSatellite::CheckAzimuth);
    const std::int32_t snr = number("SNR", &TSatellite::CheckSignalToNoiseRatio);
    const TSatelliteType type = StrToSatelliteType(ini.ReadString(section, "Type", ""));
    const bool active = ini.ReadBool(section, "Active", false);
    // A code beyond 16 bits must not wrap onto a real satellite ("65537" onto 1); 0 makes
    // SetSatellite refuse it with the code message.
    const std::uint16_t prn = code >= 1 && code <= 0xFFFF ? static_cast<std::uint16_t>(code) : 0;
    ini.Located(section, "", [&] { SetSatellite(prn, active, elevation, azimuth, snr, type); });
  }
}

}  // namespace norv
