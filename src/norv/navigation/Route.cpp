// TRoute: its destination, its name list as text, and its INI file.
#include "norv/navigation/Route.h"

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"
#include "norv/framework/Located.h"
#include "norv/framework/SysUtils.h"

namespace norv {

namespace {

const std::string kRouteSection = "Route";

bool IsRouteSection(const std::string& Section) {
  return SameText(Section, kRouteSection);
}

}  // namespace

std::string TRoute::GetDestination() const {
  return FWayPoints.empty() ? std::string() : FWayPoints.back();
}

std::string TRoute::WayPointListToStr() const {
  std::string out;
  for (std::size_t i = 0; i < FWayPoints.size(); ++i) {
    if (i > 0) out += ',';
    out += FWayPoints[i];
  }
  return out;
}

void TRoute::SaveToFile(const std::filesystem::path& FileName) const {
  // The route's name is only ever a value ("Name=..."), so only what a value cannot carry is
  // refused; an empty name is carried.
  TIniFile::CheckValue(FName, "route name");
  for (const std::string& name : FWayPoints) {
    TIniFile::CheckName(name, "waypoint name");
    // Written into the route's own section, it would replace the route's name there and be
    // lost as a waypoint when the file is read back.
    if (IsRouteSection(name))
      throw Exception("Cannot save waypoint name \"" + name +
                      "\": a route file keeps that section for the route itself.");
  }
  TIniFile ini(FileName, TIniFile::Empty);  // nothing of the old file survives
  ini.WriteString(kRouteSection, "Name", FName);
  for (const std::string& name : FWayPoints) ini.WriteString(name, "Name", name);
  ini.UpdateFile();
}

void TRoute::LoadFromFile(const std::filesystem::path& FileName) {
  if (!TIniFile::FileToLoad(FileName)) return;
  const TIniFile ini(FileName);
  const std::vector<std::string> sections = ini.ReadSections();
  if (sections.empty()) throw EListError(FilePlace(FileName.string(), 0) + "the file has no sections");

  std::string name =
      IsRouteSection(sections.front()) ? ini.ReadString(sections.front(), "Name", "0") : "0";
  // The section names are not the waypoint names: each section's "Name" key is.
  std::vector<std::string> names;
  for (const std::string& section : sections)
    if (!IsRouteSection(section)) names.push_back(ini.ReadString(section, "Name", ""));
  FName = std::move(name);
  FWayPoints = std::move(names);
}

}  // namespace norv
