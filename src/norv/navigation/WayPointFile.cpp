// The waypoint file: one INI section per waypoint, named by it, with the waypoint's nine keys.
#include <memory>
#include <system_error>
#include <vector>

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"
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

void WriteWayPoint(TIniFile& Ini, const TWayPoint& W) {
  const std::string& section = W.Name();
  Ini.WriteString(section, "Name", W.Name());
  Ini.WriteInteger(section, "Latitude_Degree", W.Latitude_Degree());
  Ini.WriteInteger(section, "Latitude_Minute", W.Latitude_Minute());
  Ini.WriteFloat(section, "Latitude_Second", static_cast<double>(W.Latitude_Second()));
  Ini.WriteString(section, "Latitude_Direction", W.Latitude_Direction() == cpNorth ? "N" : "S");
  Ini.WriteInteger(section, "Longitude_Degree", W.Longitude_Degree());
  Ini.WriteInteger(section, "Longitude_Minute", W.Longitude_Minute());
  Ini.WriteFloat(section, "Longitude_Second", static_cast<double>(W.Longitude_Second()));
  Ini.WriteString(section, "Longitude_Direction", W.Longitude_Direction() == cpEast ? "E" : "W");
}

// The section's values go through the validating setters, in this order; the direction letters
// compare exactly, so a lower-case "n" reads as south and "e" as west.
std::unique_ptr<TWayPoint> ReadWayPoint(const TIniFile& Ini, const std::string& Section) {
  auto w = std::make_unique<TWayPoint>(Section);
  w->SetLatDeg(Ini.ReadInteger(Section, "Latitude_Degree", 0));
  w->SetLatMin(Ini.ReadInteger(Section, "Latitude_Minute", 0));
  w->SetLatSec(Ini.ReadFloat(Section, "Latitude_Second", 0));
  w->SetLatDir(Ini.ReadString(Section, "Latitude_Direction", "N") == "N" ? cpNorth : cpSouth);
  w->SetLongDeg(Ini.ReadInteger(Section, "Longitude_Degree", 0));
  w->SetLongMin(Ini.ReadInteger(Section, "Longitude_Minute", 0));
  w->SetLongSec(Ini.ReadFloat(Section, "Longitude_Second", 0));
  w->SetLongDir(Ini.ReadString(Section, "Longitude_Direction", "E") == "E" ? cpEast : cpWest);
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
  std::error_code ec;
  if (!fs::is_regular_file(FileName, ec)) {
    Clear();
    return;
  }
  const TIniFile ini(FileName);  // an unreadable file raises here and leaves the list as it was
  Clear();
  for (const std::string& section : ini.ReadSections()) {
    std::unique_ptr<TWayPoint> w = ReadWayPoint(ini, section);
    // Sections are already unique without regard to case, so Add takes every one.
    if (IndexOf(w->Name()) == -1) Add(w.release());
  }
}

}  // namespace norv
