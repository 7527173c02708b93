#pragma once
// The package's C entry points, exported from libNorvGPSSimPack.so for dlsym.
// Not in the umbrella header: these global names are for hosts that load the package.

#define NORV_EXPORT __attribute__((visibility("default")))

extern "C" {
// Load: runs the units' initialization (norv::PackageLoad). Balanced by Finalize.
NORV_EXPORT void Initialize();
// Unload: runs the units' finalization in reverse order and takes the package's classes off
// the palette (norv::PackageUnload).
NORV_EXPORT void Finalize();
// norv::Register for hosts that resolve it by name.
NORV_EXPORT void Register();
}
