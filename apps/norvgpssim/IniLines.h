#pragma once
// Line numbers in an INI file, for messages that point at the offending line.
#include <filesystem>
#include <string>

namespace norvgpssim {

// The 1-based line of Key in Section (names compared without regard to ASCII case; the last
// occurrence, which is the one an INI reader keeps), or of the (first) section header when Key is
// empty. 0 when not found or the file cannot be read.
int FindIniLine(const std::filesystem::path& file, const std::string& section,
                const std::string& key = "");

}  // namespace norvgpssim
