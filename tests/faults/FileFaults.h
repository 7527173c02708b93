#pragma once
// File-system helpers of the fault tests: the temporary files a save leaves beside its target,
// and a small tmpfs mounted for one test.
#include <sys/mount.h>
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

// A tmpfs of a given size mounted on a scratch directory for one test (needs the right to
// mount; Mounted() says whether it worked). Unmounted lazily at the end.
class TScopedTmpfs {
 public:
  explicit TScopedTmpfs(std::size_t Bytes) : FDir("tmpfs") {
    const std::string options = "size=" + std::to_string(Bytes) + ",mode=0755";
    FMounted = !FDir.Path().empty() &&
               ::mount("tmpfs", FDir.Path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                       options.c_str()) == 0;
    if (!FMounted) FError = std::strerror(errno);
  }
  ~TScopedTmpfs() {
    if (FMounted) ::umount2(FDir.Path().c_str(), MNT_DETACH);
  }
  TScopedTmpfs(const TScopedTmpfs&) = delete;
  TScopedTmpfs& operator=(const TScopedTmpfs&) = delete;

  bool Mounted() const { return FMounted; }
  const std::string& Error() const { return FError; }
  const fs::path& Path() const { return FDir.Path(); }
  bool RemountReadOnly() {
    return ::mount(nullptr, FDir.Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                   nullptr) == 0;
  }

 private:
  TempDir FDir;
  bool FMounted = false;
  std::string FError;
};

}  // namespace norv::test
