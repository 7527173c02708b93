#pragma once
// TRoute: a named, ordered list of waypoint names, and its INI file.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "norv/Export.h"

namespace norv {

// A route refers to waypoints by name only; its names may repeat and need not exist in any
// waypoint list. The host edits the names directly through WayPoints().
class NORV_API TRoute {
 public:
  explicit TRoute(std::string RouteName = "") : FName(std::move(RouteName)) {}

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

  // The waypoint names in travel order.
  std::vector<std::string>& WayPoints() { return FWayPoints; }
  const std::vector<std::string>& WayPoints() const { return FWayPoints; }

  // The last name of the route; empty for a route without names.
  std::string GetDestination() const;
  std::string Destination() const { return GetDestination(); }
  // The names in order, joined by ",".
  std::string WayPointListToStr() const;

  // Section "Route" with the route's name, then one section per waypoint name in order, whose
  // key "Name" repeats it. Names that match without regard to case share one section. The file is
  // replaced atomically (mode, owner, symbolic links: as WriteFileAtomically says). A name an INI file cannot carry back raises before anything is written:
  // for the route's own name, which is only a value, CR, LF, NUL or blanks at an end; for a
  // waypoint name, what TIniFile::CheckName refuses, or "Route" (which would take the place of
  // the route's own section).
  void SaveToFile(const std::filesystem::path& FileName) const;
  // A missing file changes nothing. A file without sections raises EListError
  // ("<file>: the file has no sections") and changes nothing, as does any file that cannot be
  // read as INI text (a directory, a FIFO, a NUL byte...). A first section other than "Route"
  // gives the name "0".
  void LoadFromFile(const std::filesystem::path& FileName);

 private:
  std::string FName;
  std::vector<std::string> FWayPoints;
};

}  // namespace norv
