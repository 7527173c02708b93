#pragma once
// The package NorvGPSSimPack: its description, units and resources, and Register.
// The C entry points that a host resolves with dlsym are declared in PackageEntryPoints.h.
#include <string_view>

#include "norv/Export.h"
#include "norv/framework/PackageLoader.h"

namespace norv {

inline constexpr std::string_view kPackageDescription = "NorvGPSSimPack";
inline constexpr std::string_view kPalettePage = "Norv Soft";

// Units, description and resources (the palette bitmap "TNORVGPSSIMULATOR").
NORV_API const TPackageInfo& NorvGPSSimPackInfo();

// Puts TNorvGPSSimulator, and only it, on the palette page "Norv Soft". Registering again
// changes nothing. Needed only for the palette: every class is usable without it.
NORV_API void Register();

}  // namespace norv
