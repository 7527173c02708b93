#pragma once
// Reading INI text line by line: each section header and key is reported with its line.
#include <functional>
#include <string>
#include <string_view>

namespace norv {

// What ParseIniText reports, in the order of the text. Lines count from 1.
struct TIniHandlers {
  std::function<void(std::string_view Name, int Line)> Section;
  std::function<void(std::string_view Key, std::string_view Value, int Line)> Key;
};

// Lines end at LF, CR or CR LF; a UTF-8 byte order mark at the start is skipped. Blank lines,
// lines whose first non-blank byte is ';' or '#' and lines without '=' (or with nothing before
// it) are passed over. "[ Name ]" opens a section (text after ']' is ignored); "Key = Value"
// gives a key, both without surrounding blanks (space, tab).
// Raises norv::Exception "<Origin>:<line>: ..." for a NUL byte, which no INI text holds, for a
// key before the first section header, which belongs to no section, and for a '[' line without
// ']', whose keys would otherwise land in another section.
void ParseIniText(std::string_view Text, const std::string& Origin, const TIniHandlers& Handlers);

}  // namespace norv
