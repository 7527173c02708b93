#include "IniLines.h"

#include <fstream>

#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

}  // namespace

int FindIniLine(const std::filesystem::path& file, const std::string& section,
                const std::string& key) {
  std::ifstream in(file);
  const std::string wantSection = norv::UpperCase(section), wantKey = norv::UpperCase(key);
  std::string line, current;
  int number = 0, found = 0;
  while (std::getline(in, line)) {
    if (++number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // UTF-8 mark
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t.front() == '[' && t.back() == ']') {
      current = norv::UpperCase(Trim(t.substr(1, t.size() - 2)));
      if (key.empty() && current == wantSection && found == 0) found = number;
      continue;
    }
    const auto eq = t.find('=');
    if (!key.empty() && current == wantSection && eq != std::string::npos &&
        norv::UpperCase(Trim(t.substr(0, eq))) == wantKey)
      found = number;
  }
  return found;
}

}  // namespace norvgpssim
