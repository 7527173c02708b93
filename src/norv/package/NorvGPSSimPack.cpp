// The package's description, unit table and resources, and its load and unload entry points.
#include "norv/package/NorvGPSSimPack.h"

#include <array>

#include "norv/core/PublishedProperties.h"
#include "norv/package/PackageEntryPoints.h"
#include "norv/package/PaletteBitmap.h"

namespace norv {

namespace {

// Neither unit has initialization or finalization work of its own.
constexpr std::array<TUnitInfo, 2> kUnits = {{
    {"NorvGPSSimPack", nullptr, nullptr},
    {kNorvGPSSimulatorUnit, nullptr, nullptr},
}};

}  // namespace

const TPackageInfo& NorvGPSSimPackInfo() {
  static const std::array<TResource, 1> resources = {{
      {"TNORVGPSSIMULATOR", NorvGPSSimulatorBitmap()},
  }};
  static const TPackageInfo info{"NorvGPSSimPack", kPackageDescription, kUnits, resources};
  return info;
}

}  // namespace norv

extern "C" {

void Initialize() { norv::PackageLoad(norv::NorvGPSSimPackInfo()); }

void Finalize() { norv::PackageUnload(norv::NorvGPSSimPackInfo()); }

void Register() { norv::Register(); }
}
