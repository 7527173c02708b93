#pragma once
// A scratch directory for one test, removed with everything in it when the test ends.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace norv::test {

class TempDir {
 public:
  explicit TempDir(const std::string& tag) {
    static int serial = 0;
    FPath = std::filesystem::temp_directory_path() /
            ("norv-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::string& name) const { return FPath / name; }
  // Writes a file in the directory and returns its path.
  std::filesystem::path Write(const std::string& name, const std::string& text) const {
    std::ofstream(FPath / name, std::ios::binary) << text;
    return FPath / name;
  }

 private:
  std::filesystem::path FPath;
};

}  // namespace norv::test
