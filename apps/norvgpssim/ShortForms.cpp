#include "ShortForms.h"

#include <algorithm>
#include <sstream>

#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Has(const norv::TPropertyInfo& property, const std::string& name) {
  return std::find(property.ElementNames.begin(), property.ElementNames.end(), name) !=
         property.ElementNames.end();
}

// "N" or "north" -> "cpNorth" when the enumeration has that value.
std::string Direction(const norv::TPropertyInfo& property, const std::string& text) {
  static constexpr const char* kWords[] = {"North", "South", "East", "West"};
  const std::string t = norv::UpperCase(Trimmed(text));
  for (const char* word : kWords) {
    const std::string w = word, name = "cp" + w;
    if ((t == w.substr(0, 1) || t == norv::UpperCase(w)) && Has(property, name)) return name;
  }
  return text;
}

// "GGA, rmc" -> "[GPGGA, GPRMC]"; ALL names every element.
std::string SentenceSet(const norv::TPropertyInfo& property, const std::string& text) {
  std::vector<std::string> names;
  std::stringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) {
    const std::string name = norv::UpperCase(Trimmed(item));
    if (name == "ALL") names = property.ElementNames;
    else names.push_back(name.size() == 3 ? "GP" + name : name);
  }
  std::string set = "[";
  for (std::size_t i = 0; i < names.size(); ++i) set += (i ? ", " : "") + names[i];
  return set + "]";
}

}  // namespace

std::string LongForm(const norv::TPropertyInfo& property, const std::string& text) {
  if (property.Kind == norv::TPropertyKind::Enumeration && Has(property, "cpNorth"))
    return Direction(property, text);
  if (property.Kind == norv::TPropertyKind::Set && Has(property, "GPGGA") &&
      Trimmed(text).rfind('[', 0) != 0)
    return SentenceSet(property, text);
  return text;
}

}  // namespace norvgpssim
