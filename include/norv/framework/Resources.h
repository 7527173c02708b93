#pragma once
// Named binary resources carried by a package (palette bitmaps, the description).
#include <cstdint>
#include <span>
#include <string_view>

#include "norv/Export.h"

namespace norv {

// One resource: its name (matched without regard to ASCII case) and its bytes.
struct TResource {
  std::string_view Name;
  std::span<const std::uint8_t> Data;
};

// The resource of that name in Table; an empty span when there is none.
NORV_API std::span<const std::uint8_t> FindResource(std::span<const TResource> Table,
                                                    std::string_view Name);

}  // namespace norv
