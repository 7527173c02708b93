#pragma once
// Scratch directories for tests and whole-file reads and writes.
#include <filesystem>
#include <string>
#include <vector>

namespace norv::test {

// A fresh, uniquely named directory under the temporary directory, removed with everything in
// it when the object goes (read-only entries a test left behind included).
class TempDir {
 public:
  explicit TempDir(const std::string& Tag = "test");  // throws std::runtime_error on failure
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::string& Name) const { return FPath / Name; }
  // Writes a file in the directory and returns its path.
  std::filesystem::path Write(const std::string& Name, const std::string& Text) const;
  // The names in the directory, sorted: a test sees that no temporary file was left behind.
  std::vector<std::string> Entries() const;

 private:
  std::filesystem::path FPath;
};

// The whole content of File ("" when it cannot be read).
std::string ReadWholeFile(const std::filesystem::path& File);
// Replaces the content of File with Text.
void WriteWholeFile(const std::filesystem::path& File, const std::string& Text);
// How many entries Dir holds (0 when it cannot be read): with /proc/self/fd or /proc/self/task,
// the process's open descriptors or threads.
std::size_t EntryCount(const std::filesystem::path& Dir);

}  // namespace norv::test
