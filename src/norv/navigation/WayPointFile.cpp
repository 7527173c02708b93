// The waypoint file: one INI section per waypoint, named by it, with the waypoint's nine keys.
#include <memory>
#include <system_error>
#include <vector>

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"
#include "norv/framework/SysUtils.h"
#include "norv/navigation/WayPoints.h"

namespace norv {

namespace {

namespace fs = std::filesystem;

// An empty list leaves no file behind. A directory of that name is no file of ours to remove.
void RemoveFile(const fs::path& FileName) {
  std::error_code ec;
  if (fs::is_directory(FileName, ec)) return;
  if (!fs::remove(FileName, ec) && ec)
    throw Exception("Cannot remove " + FileName.string() + ": " + ec.message());
}

// Seconds go out as a double in at most 15 significant digits, which turns a value just below 60
// (59.99999999999999, or one that becomes 60.0 as a double) into "60": a text the loader refuses,
// so the saved file would not load back. Such a value is written as the largest 15-digit text
// below 60 instead.
double SecondsToWrite(Extended Seconds) {
  constexpr double kLargestBelow60 = 59.9999999999999;
  const double asDouble = static_cast<double>(Seconds);
  Extended readBack = 0;
  const bool roundsTo60 = TryStrToFloat(FloatToStr(asDouble), readBack) && readBack >= 60;
  return roundsTo60 ? kLargestBelow60 : asDouble;
}

void WriteWayPoint(TIniFile& Ini, const TWayPoint& W) {
  const std::string& section = W.Name();
  Ini.WriteString(section, "Name", W.Name());
  Ini.WriteInteger(section, "Latitude_Degree", W.Latitude_Degree());
  Ini.WriteInteger(section, "Latitude_Minute", W.Latitude_Minute());
  Ini.WriteFloat(section, "Latitude_Second", SecondsToWrite(W.Latitude_Second()));
  Ini.WriteString(section, "Latitude_Direction", W.Latitude_Direction() == cpNorth ? "N" : "S");
  Ini.WriteInteger(section, "Longitude_Degree", W.Longitude_Degree());
  Ini.WriteInteger(section, "Longitude_Minute", W.Longitude_Minute());
  Ini.WriteFloat(section, "Longitude_Second", SecondsToWrite(W.Longitude_Second()));
  Ini.WriteString(section, "Longitude_Direction", W.Longitude_Direction() == cpEast ? "E" : "W");
}

// The section's values go through the validating setters, in this order; a refusal names the
// key's line. The direction letters compare exactly, so a lower-case "n" reads as south and "e"
// as west.
std::unique_ptr<TWayPoint> ReadWayPoint(const TIniFile& Ini, const std::string& Section) {
  auto w = std::make_unique<TWayPoint>(Section);
  TWayPoint& p = *w;
  const auto integer = [&](const char* key, void (TWayPoint::*set)(std::int32_t)) {
    Ini.Located(Section, key, [&] { (p.*set)(Ini.ReadInteger(Section, key, 0)); });
  };
  const auto real = [&](const char* key, void (TWayPoint::*set)(Extended)) {
    Ini.Located(Section, key, [&] { (p.*set)(Ini.ReadFloat(Section, key, 0)); });
  };
  const auto direction = [&](const char* key, const char* letter, TCardinalPoint is,
                             TCardinalPoint isNot, void (TWayPoint::*set)(TCardinalPoint)) {
    Ini.Located(Section, key, [&] { (p.*set)(Ini.ReadString(Section, key, letter) == letter ? is : isNot); });
  };
  integer("Latitude_Degree", &TWayPoint::SetLatDeg);
  integer("Latitude_Minute", &TWayPoint::SetLatMin);
  real("Latitude_Second", &TWayPoint::SetLatSec);
  direction("Latitude_Direction", "N", cpNorth, cpSouth, &TWayPoint::SetLatDir);
  integer("Longitude_Degree", &TWayPoint::SetLongDeg);
  integer("Longitude_Minute", &TWayPoint::SetLongMin);
  real("Longitude_Second", &TWayPoint::SetLongSec);
  direction("Longitude_Direction", "E", cpEast, cpWest, &TWayPoint::SetLongDir);
  return w;
}

}  // namespace

void TWayPoints::SaveToFile(const std::filesystem::path& FileName) const {
  std::vector<const TWayPoint*> saved;
  for (std::int32_t i = 0; i < GetCount(); ++i) {
    const TWayPoint* w = GetItem(i);
    if (w == nullptr) continue;
    TIniFile::CheckName(w->Name(), "waypoint name");
    saved.push_back(w);
  }
  if (saved.empty()) {
    RemoveFile(FileName);
    return;
  }
  // Built from nothing, so no section of the old file survives; names that differ only in
  // letter case share one section, the later waypoint's values replacing the earlier's.
  TIniFile ini(FileName, TIniFile::Empty);
  for (const TWayPoint* w : saved) WriteWayPoint(ini, *w);
  ini.UpdateFile();
}

void TWayPoints::LoadFromFile(const std::filesystem::path& FileName) {
  // A directory, FIFO or device, or an unreadable file, raises here and leaves the list as it was.
  if (!TIniFile::FileToLoad(FileName)) {
    Clear();
    return;
  }
  const TIniFile ini(FileName);
  Clear();
  // Sections are unique without regard to case, as list names are: each is appended without a
  // search of the list, which kept a load quadratic in the number of waypoints.
  for (const std::string& section : ini.ReadSections()) {
    std::unique_ptr<TWayPoint> w = ReadWayPoint(ini, section);
    AddDistinct(w.get());
    w.release();
  }
}

}  // namespace norv
