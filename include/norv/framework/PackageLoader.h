#pragma once
// Loading and unloading packages: their units' initialization and finalization, their resources.
#include <cstdint>
#include <span>
#include <string_view>

#include "norv/Export.h"
#include "norv/framework/Resources.h"

namespace norv {

using TUnitProc = void (*)();

// A unit of a package; nullptr where the unit has no initialization or finalization part.
struct TUnitInfo {
  std::string_view Name;
  TUnitProc Initialization = nullptr;
  TUnitProc Finalization = nullptr;
};

// What a package declares about itself.
struct TPackageInfo {
  std::string_view Name;
  std::string_view Description;
  std::span<const TUnitInfo> Units;  // in initialization order
  std::span<const TResource> Resources;
};

// The first load runs the units' initialization parts in table order and makes the package's
// resources reachable; later loads only count. If an initialization raises, the units already
// initialised are finalised in reverse order and the exception passes on, package not loaded.
NORV_API void PackageLoad(const TPackageInfo& Package);
// The unload that balances the first load runs the finalization parts in reverse order, removes
// the classes of the package's units from the palette and drops its resources. An unload with
// no load outstanding does nothing. If a finalization raises, the others still run and the
// first exception passes on once the package is unloaded.
NORV_API void PackageUnload(const TPackageInfo& Package);
NORV_API bool IsPackageLoaded(const TPackageInfo& Package);
// The resource of that name in the loaded packages (the first loaded first); empty if none.
NORV_API std::span<const std::uint8_t> FindLoadedResource(std::string_view Name);

}  // namespace norv
