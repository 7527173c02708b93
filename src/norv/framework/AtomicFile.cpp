// Atomic file replacement: a reader, or a crash, sees the complete old file or the complete new
// one, never a mixture.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"

namespace norv {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& step, int err) {
  throw Exception("Cannot save " + target.string() + ": " + step + ": " + std::strerror(err));
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The replaced file keeps its permissions; a new one is readable by all, writable by its owner.
mode_t ModeFor(const std::filesystem::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  return 0644;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& FileName, const std::string& Content) {
  const std::filesystem::path dir =
      FileName.has_parent_path() ? FileName.parent_path() : std::filesystem::path(".");
  std::string tmpl = (dir / ("." + FileName.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd < 0) Fail(FileName, "create temporary file", errno);

  int err = 0;
  std::string step;
  if (!WriteAll(fd, Content.data(), Content.size())) {
    err = errno;
    step = "write";
  } else if (::fsync(fd) != 0) {
    err = errno;
    step = "flush";
  } else if (::fchmod(fd, ModeFor(FileName)) != 0) {
    err = errno;
    step = "set permissions";
  }
  if (::close(fd) != 0 && err == 0) {
    err = errno;
    step = "close";
  }
  if (err == 0 && ::rename(tmpl.c_str(), FileName.c_str()) != 0) {
    err = errno;
    step = "rename";
  }
  if (err != 0) {
    ::unlink(tmpl.c_str());
    Fail(FileName, step, err);
  }
  // Make the rename itself durable.
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
}

}  // namespace norv
