#include "SatelliteFileCheck.h"

#include <cstdlib>

#include "norv/framework/IniFile.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

bool IsWholeNumber(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtoll(text.c_str(), &end, 10);
  return *end == '\0';
}

bool IsSatelliteType(const std::string& text) {
  const std::string t = norv::UpperCase(text);
  return t == "GPS" || t == "GLONASS" || t == "GL" || t == "BEIDOU" || t == "BD";
}

// What is wrong with one key's value, or "" when nothing is.
std::string Problem(const std::string& key, const std::string& value) {
  const std::string name = norv::UpperCase(key);
  if (name == "ELEVATION" || name == "AZIMUTH" || name == "SNR")
    return IsWholeNumber(value) ? "" : "'" + norv::Excerpt(value) + "' is not a whole number";
  if (name == "TYPE")
    return IsSatelliteType(value) ? ""
                                  : "'" + norv::Excerpt(value) + "' is not GPS, GLONASS or BeiDou";
  if (name == "ACTIVE") return "";
  return "unknown key (expected Active, Elevation, Azimuth, SNR, Type)";
}

}  // namespace

std::vector<std::string> CheckSatelliteFile(const std::filesystem::path& file) {
  std::vector<std::string> warnings;
  const norv::TIniFile ini(file);
  for (const std::string& section : ini.ReadSections())
    for (const std::string& key : ini.ReadSection(section)) {
      const std::string problem = Problem(key, ini.ReadString(section, key, ""));
      if (!problem.empty()) warnings.push_back(ini.Place(section, key) + problem);
    }
  return warnings;
}

}  // namespace norvgpssim
