#pragma once
// The component palette: which classes a designer offers, on which page, with which icon.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "norv/Export.h"
#include "norv/framework/ComponentClass.h"

namespace norv {

// One class on the palette and the page that shows it.
struct TPaletteEntry {
  std::string Page;
  const TComponentClass* Class = nullptr;
};

// Puts each class on the page. Registering a class that is already on the palette moves it to
// Page instead of adding it twice; a different class with the same name raises norv::Exception.
NORV_API void RegisterComponents(const std::string& Page,
                                 std::initializer_list<const TComponentClass*> Classes);
// Removes every class declared by that unit (its package is being unloaded).
NORV_API void UnregisterUnitComponents(std::string_view UnitName);

// Every entry in registration order (a copy: the palette may change afterwards).
NORV_API std::vector<TPaletteEntry> PaletteEntries();
NORV_API std::vector<const TComponentClass*> PaletteComponents(std::string_view Page);
// The class of that name on the palette (ASCII case-insensitive), or nullptr.
NORV_API const TComponentClass* FindPaletteClass(std::string_view ClassName);
// The palette bitmap of the class: the resource named after the class in upper case, from the
// loaded packages; empty when none carries it.
NORV_API std::span<const std::uint8_t> PaletteIcon(const TComponentClass& Class);

}  // namespace norv
