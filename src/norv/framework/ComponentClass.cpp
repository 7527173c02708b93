#include "norv/framework/ComponentClass.h"

#include "norv/framework/SysUtils.h"

namespace norv {

bool TPropertyInfo::IsStored(const TComponent& Instance) const {
  const TPropertyValue value = Get(Instance);
  switch (Kind) {
    case TPropertyKind::Float:
    case TPropertyKind::DateTime:
      return std::get<Extended>(value) != 0;  // NaN is non-zero and is stored
    case TPropertyKind::String:
      return !std::get<std::string>(value).empty();
    default:
      return !Default || std::get<std::int64_t>(value) != *Default;
  }
}

const TPropertyInfo* TComponentClass::FindProperty(std::string_view Name) const {
  for (const TPropertyInfo& p : Properties)
    if (SameText(p.Name, Name)) return &p;
  return nullptr;
}

}  // namespace norv
