// The INI text reader behind TIniFile.
#include "norv/framework/IniParser.h"

#include <algorithm>
#include <optional>

#include "norv/framework/Exception.h"
#include "norv/framework/Located.h"
#include "norv/framework/SysUtils.h"

namespace norv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The line starting at Text[At], without its end, and the position after that end.
std::string_view NextLine(std::string_view Text, std::size_t& At) {
  const std::size_t end = std::min(Text.find_first_of("\r\n", At), Text.size());
  const std::string_view line = Text.substr(At, end - At);
  At = end;
  if (At < Text.size()) At += Text.compare(At, 2, "\r\n") == 0 ? 2 : 1;
  return line;
}

}  // namespace

void ParseIniText(std::string_view Text, const std::string& Origin, const TIniHandlers& Handlers) {
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  std::optional<std::string_view> section;  // none before the first header
  std::size_t at = 0;
  for (int lineNo = 1; at < Text.size(); ++lineNo) {
    const std::string_view line = TrimBlanks(NextLine(Text, at));
    const std::size_t eq = line.find('=');
    const std::string_view key = eq == std::string_view::npos ? "" : TrimBlanks(line.substr(0, eq));
    const auto refuse = [&](const std::string& what) {
      const bool aKey = section && !key.empty() && line.front() != '[';
      return Exception((aKey ? IniPlace(Origin, lineNo, *section, key) : FilePlace(Origin, lineNo)) +
                       what);
    };
    if (line.find('\0') != std::string_view::npos)
      throw refuse("a NUL byte, which no INI text holds");
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      // Its keys would silently join the section before it.
      if (close == std::string_view::npos) throw refuse("a section header without ']'");
      section = TrimBlanks(line.substr(1, close - 1));
      Handlers.Section(*section, lineNo);
    } else if (!key.empty()) {
      if (!section)
        throw refuse(Excerpt(key) + ": a key before the first section header belongs to no section");
      Handlers.Key(key, TrimBlanks(line.substr(eq + 1)), lineNo);
    }
  }
}

}  // namespace norv
