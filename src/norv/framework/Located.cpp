#include "norv/framework/Located.h"

#include "norv/framework/SysUtils.h"

namespace norv {

std::string FilePlace(std::string_view File, int Line) {
  std::string out(File);
  if (Line > 0) out += ':' + std::to_string(Line);
  return out + ": ";
}

std::string IniPlace(std::string_view File, int Line, std::string_view Section,
                     std::string_view Key) {
  std::string out = FilePlace(File, Line) + '[' + Excerpt(Section) + "] ";
  return Key.empty() ? out : out + Excerpt(Key) + ": ";
}

}  // namespace norv
