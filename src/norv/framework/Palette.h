#pragma once
// The component palette: which classes a designer offers, on which page, with which icon.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "norv/framework/ComponentClass.h"

namespace norv {

// One class on the palette and the page that shows it.
struct TPaletteEntry {
  std::string Page;
  const TComponentClass* Class = nullptr;
};

// Puts each class on the page. Registering a class that is already on the palette moves it to
// Page instead of adding it twice; a different class with the same name raises norv::Exception.
void RegisterComponents(const std::string& Page,
                        std::initializer_list<const TComponentClass*> Classes);
// Removes every class declared by that unit (its package is being unloaded).
void UnregisterUnitComponents(std::string_view UnitName);

// Every entry in registration order (a copy: the palette may change afterwards).
std::vector<TPaletteEntry> PaletteEntries();
std::vector<const TComponentClass*> PaletteComponents(std::string_view Page);
// The class of that name on the palette (ASCII case-insensitive), or nullptr.
const TComponentClass* FindPaletteClass(std::string_view ClassName);
// The palette bitmap of the class: the resource named after the class in upper case, from the
// loaded packages; empty when none carries it.
std::span<const std::uint8_t> PaletteIcon(const TComponentClass& Class);

}  // namespace norv
