#include "norv/framework/PackageLoader.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <vector>

#include "norv/framework/Palette.h"

namespace norv {

namespace {

struct TLoadedPackage {
  const TPackageInfo* Package;
  int LoadCount;
};

// Recursive: a unit's initialization may look up resources of its own package.
std::recursive_mutex& LoaderLock() {
  static std::recursive_mutex lock;
  return lock;
}

std::vector<TLoadedPackage>& Loaded() {
  static std::vector<TLoadedPackage> loaded;
  return loaded;
}

std::vector<TLoadedPackage>::iterator FindLoaded(const TPackageInfo& Package) {
  auto& loaded = Loaded();
  return std::find_if(loaded.begin(), loaded.end(),
                      [&](const TLoadedPackage& l) { return l.Package == &Package; });
}

// Runs the finalization parts of Units[0, count) in reverse order; every one runs even if
// another raises, and the first exception is returned.
std::exception_ptr FinalizeUnits(std::span<const TUnitInfo> Units, size_t count) {
  std::exception_ptr first;
  while (count-- > 0) {
    if (Units[count].Finalization == nullptr) continue;
    try {
      Units[count].Finalization();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  return first;
}

}  // namespace

void PackageLoad(const TPackageInfo& Package) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  if (auto it = FindLoaded(Package); it != Loaded().end()) {
    ++it->LoadCount;
    return;
  }
  Loaded().push_back({&Package, 1});
  size_t initialised = 0;
  try {
    for (; initialised < Package.Units.size(); ++initialised)
      if (Package.Units[initialised].Initialization != nullptr)
        Package.Units[initialised].Initialization();
  } catch (...) {
    // The initialization's exception is the one to report, not a finalization's.
    FinalizeUnits(Package.Units, initialised);
    Loaded().erase(FindLoaded(Package));
    throw;
  }
}

void PackageUnload(const TPackageInfo& Package) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  auto it = FindLoaded(Package);
  if (it == Loaded().end() || --it->LoadCount > 0) return;
  const std::exception_ptr failure = FinalizeUnits(Package.Units, Package.Units.size());
  for (const TUnitInfo& unit : Package.Units) UnregisterUnitComponents(unit.Name);
  Loaded().erase(FindLoaded(Package));
  if (failure) std::rethrow_exception(failure);
}

bool IsPackageLoaded(const TPackageInfo& Package) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  return FindLoaded(Package) != Loaded().end();
}

std::span<const std::uint8_t> FindLoadedResource(std::string_view Name) {
  std::lock_guard<std::recursive_mutex> guard(LoaderLock());
  for (const TLoadedPackage& l : Loaded())
    if (auto data = FindResource(l.Package->Resources, Name); !data.empty()) return data;
  return {};
}

}  // namespace norv
