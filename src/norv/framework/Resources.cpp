#include "norv/framework/Resources.h"

#include "norv/framework/SysUtils.h"

namespace norv {

std::span<const std::uint8_t> FindResource(std::span<const TResource> Table,
                                           std::string_view Name) {
  for (const TResource& r : Table)
    if (SameText(r.Name, Name)) return r.Data;
  return {};
}

}  // namespace norv
