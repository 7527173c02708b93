#pragma once
// Just enough reading of gpsd's JSON reports for the end-to-end tests: one flat object per
// line (TPV), or an object holding a "satellites" array of flat objects (SKY).
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace norv::test {

// The number after "Key": in a flat JSON object text, if present.
inline std::optional<double> NumberField(const std::string& Object, const std::string& Key) {
  const std::string pattern = "\"" + Key + "\":";
  const std::size_t at = Object.find(pattern);
  if (at == std::string::npos) return std::nullopt;
  const char* start = Object.c_str() + at + pattern.size();
  char* end = nullptr;
  const double value = std::strtod(start, &end);
  if (end == start) return std::nullopt;
  return value;
}

// The string after "Key": in a flat JSON object text (no escapes expected), if present.
inline std::optional<std::string> StringField(const std::string& Object, const std::string& Key) {
  const std::string pattern = "\"" + Key + "\":\"";
  const std::size_t at = Object.find(pattern);
  if (at == std::string::npos) return std::nullopt;
  const std::size_t start = at + pattern.size();
  const std::size_t end = Object.find('"', start);
  if (end == std::string::npos) return std::nullopt;
  return Object.substr(start, end - start);
}

// The true or false after "Key": in a flat JSON object text, if present.
inline std::optional<bool> BoolField(const std::string& Object, const std::string& Key) {
  const std::string pattern = "\"" + Key + "\":";
  const std::size_t at = Object.find(pattern);
  if (at == std::string::npos) return std::nullopt;
  if (Object.compare(at + pattern.size(), 4, "true") == 0) return true;
  if (Object.compare(at + pattern.size(), 5, "false") == 0) return false;
  return std::nullopt;
}

// Appends Data to Pending and moves every whole line of it (without its '\n') to Lines: gpsd
// writes one report per line, and a read may end anywhere in one.
inline void TakeLines(std::string& Pending, std::vector<std::string>& Lines, const char* Data,
                      std::size_t Size) {
  Pending.append(Data, Size);
  for (std::size_t nl; (nl = Pending.find('\n')) != std::string::npos;) {
    Lines.push_back(Pending.substr(0, nl));
    Pending.erase(0, nl + 1);
  }
}

inline bool IsClass(const std::string& Line, const std::string& Class) {
  return StringField(Line, "class") == Class;
}

// The objects of the "satellites" array of a SKY report, each as its own text.
inline std::vector<std::string> SatelliteObjects(const std::string& Sky) {
  std::vector<std::string> objects;
  std::size_t at = Sky.find("\"satellites\":[");
  if (at == std::string::npos) return objects;
  for (at = Sky.find('{', at); at != std::string::npos; at = Sky.find('{', at)) {
    const std::size_t end = Sky.find('}', at);
    if (end == std::string::npos) break;
    objects.push_back(Sky.substr(at, end - at + 1));
    at = end;
  }
  return objects;
}

}  // namespace norv::test
