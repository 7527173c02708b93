#include "support/TempDir.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace norv::test {

namespace fs = std::filesystem;

TempDir::TempDir(const std::string& Tag) {
  std::string tag = Tag;  // a parameterised test's name holds '/'
  std::replace(tag.begin(), tag.end(), '/', '-');
  std::string name = (fs::temp_directory_path() / ("norv-" + tag + "-XXXXXX")).string();
  if (::mkdtemp(name.data()) == nullptr)
    throw std::runtime_error("cannot create a temporary directory " + name);
  FPath = name;
}

TempDir::~TempDir() {
  // A test may have taken the write right from a directory; without it nothing in it goes.
  std::error_code ec;
  fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, ec);
  for (auto it = fs::recursive_directory_iterator(FPath, ec); !ec && it != fs::end(it);
       it.increment(ec))
    if (it->is_directory(ec) && !it->is_symlink(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(FPath, ec);
}

fs::path TempDir::Write(const std::string& Name, const std::string& Text) const {
  WriteWholeFile(FPath / Name, Text);
  return FPath / Name;
}

std::vector<std::string> TempDir::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(FPath))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadWholeFile(const fs::path& File) {
  std::ifstream in(File, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const fs::path& File, const std::string& Text) {
  std::ofstream(File, std::ios::binary | std::ios::trunc) << Text;
}

std::size_t EntryCount(const std::filesystem::path& Dir) {
  std::error_code ec;
  std::size_t n = 0;
  for (std::filesystem::directory_iterator it(Dir, ec), end; !ec && it != end; it.increment(ec)) ++n;
  return n;
}

}  // namespace norv::test
