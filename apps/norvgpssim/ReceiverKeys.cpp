#include "ReceiverKeys.h"

#include "ShortForms.h"
#include "norv/core/PublishedProperties.h"
#include "norv/framework/Exception.h"
#include "norv/framework/PropertyText.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

const norv::TPropertyInfo* FindReceiverKey(const std::string& key) {
  return norv::ComponentClassOf<norv::TNorvGPSSimulator>().FindProperty(key);
}

bool IsClockKey(const norv::TPropertyInfo& property) {
  return property.Name == "UTCDateTime" || property.Name == "UseSystemDateTime";
}

std::string SetReceiverKey(norv::TNorvGPSSimulator& sim, const norv::TPropertyInfo& property,
                           const std::string& text) {
  const auto value = norv::ParsePropertyValue(property, LongForm(property, text));
  if (!value)
    return "'" + norv::Excerpt(text) + "' is not a value for " + property.Name + " (expected " +
           norv::ExpectedValueText(property) + ")";
  try {
    property.Set(sim, *value);
  } catch (const norv::Exception& e) {
    return e.Message();
  }
  return {};
}

}  // namespace norvgpssim
