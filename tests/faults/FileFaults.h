#pragma once
// File-system helpers of the fault tests: the temporary files a save leaves beside its target.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace norv::test {

namespace fs = std::filesystem;

// Every entry of Dir other than the ones named in Keep.
inline std::vector<std::string> OtherEntries(const fs::path& Dir,
                                             const std::vector<std::string>& Keep) {
  std::vector<std::string> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(Dir, ec)) {
    const std::string name = entry.path().filename().string();
    bool kept = false;
    for (const auto& k : Keep) kept = kept || k == name;
    if (!kept) found.push_back(name);
  }
  return found;
}

}  // namespace norv::test
