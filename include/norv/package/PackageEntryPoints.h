#pragma once
// The package's C entry points, exported from libNorvGPSSimPack.so for dlsym.
// Not in the umbrella header: these global names are for hosts that load the package.

extern "C" {
// Load: runs the units' initialization (norv::PackageLoad). Balanced by Finalize.
#include "norv/Export.h"
NORV_API void Initialize();
// Unload: runs the units' finalization in reverse order and takes the package's classes off
// the palette (norv::PackageUnload).
NORV_API void Finalize();
// norv::Register for hosts that resolve it by name.
NORV_API void Register();
}
