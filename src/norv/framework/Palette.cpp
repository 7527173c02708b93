#include "norv/framework/Palette.h"

#include <algorithm>
#include <mutex>

#include "norv/framework/Exception.h"
#include "norv/framework/PackageLoader.h"
#include "norv/framework/SysUtils.h"

namespace norv {

namespace {

// The designer may register from one thread while another lists the palette.
std::mutex& PaletteLock() {
  static std::mutex lock;
  return lock;
}

std::vector<TPaletteEntry>& Entries() {
  static std::vector<TPaletteEntry> entries;
  return entries;
}

}  // namespace

void RegisterComponents(const std::string& Page,
                        std::initializer_list<const TComponentClass*> Classes) {
  std::lock_guard<std::mutex> guard(PaletteLock());
  auto& entries = Entries();
  for (const TComponentClass* cls : Classes) {
    if (cls == nullptr) throw Exception("RegisterComponents: no class given for page " + Page);
    auto same = std::find_if(entries.begin(), entries.end(), [&](const TPaletteEntry& e) {
      return SameText(e.Class->ClassName, cls->ClassName);
    });
    if (same == entries.end()) {
      entries.push_back({Page, cls});
    } else if (same->Class == cls) {
      same->Page = Page;
    } else {
      throw Exception("A class named " + cls->ClassName + " is already registered");
    }
  }
}

void UnregisterUnitComponents(std::string_view UnitName) {
  std::lock_guard<std::mutex> guard(PaletteLock());
  std::erase_if(Entries(),
                [&](const TPaletteEntry& e) { return SameText(e.Class->UnitName, UnitName); });
}

std::vector<TPaletteEntry> PaletteEntries() {
  std::lock_guard<std::mutex> guard(PaletteLock());
  return Entries();
}

std::vector<const TComponentClass*> PaletteComponents(std::string_view Page) {
  std::vector<const TComponentClass*> classes;
  for (const TPaletteEntry& e : PaletteEntries())
    if (e.Page == Page) classes.push_back(e.Class);
  return classes;
}

const TComponentClass* FindPaletteClass(std::string_view ClassName) {
  for (const TPaletteEntry& e : PaletteEntries())
    if (SameText(e.Class->ClassName, ClassName)) return e.Class;
  return nullptr;
}

std::span<const std::uint8_t> PaletteIcon(const TComponentClass& Class) {
  return FindLoadedResource(UpperCase(Class.ClassName));
}

}  // namespace norv
