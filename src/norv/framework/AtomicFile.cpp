// Atomic file replacement: a reader, or a crash, sees the complete old file or the complete new
// one, never a mixture.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"
#include "norv/posix/Descriptor.h"
#include "norv/posix/ErrorText.h"
#include "norv/posix/SystemCalls.h"
#include "norv/posix/WriteAll.h"

namespace norv {

namespace {

struct TStepError {
  const char* Step;
  int Err;
};

[[noreturn]] void Fail(const std::filesystem::path& target, const TStepError& e) {
  throw Exception("Cannot save " + target.string() + ": " + e.Step + ": " +
                  posix::ErrnoText(e.Err));
}

// The replaced file keeps its permissions; a new one is readable by all, writable by its owner.
mode_t ModeFor(const std::filesystem::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  return 0644;
}

// Writes, flushes and sets the mode of the open temporary file; {nullptr, 0} on success.
TStepError FillTemporary(int fd, const std::string& content, mode_t mode) {
  // A file never runs out of room the way a line does: no deadline.
  const posix::TWriteResult written =
      posix::WriteAll(fd, content.data(), content.size(), posix::Clock::time_point::max());
  if (written.error != 0) return {"write", written.error};
  if (posix::SystemCalls().Fsync(fd) != 0) return {"flush", errno};
  if (::fchmod(fd, mode) != 0) return {"set permissions", errno};
  return {nullptr, 0};
}

std::string UniqueSuffix() {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string s(8, '0');
  for (char& c : s) c = kDigits[random() % 36];
  return s;
}

// The temporary file is written unnamed (O_TMPFILE) and linked into the directory only when
// complete, so a process killed while writing leaves nothing behind. Sets Name to the link.
// Returns false, with errno set, where the file system or a missing /proc cannot do this.
bool WriteUnnamed(const std::filesystem::path& dir, const std::string& prefix,
                  const std::string& content, mode_t mode, std::string& name, TStepError& error) {
  posix::TDescriptor fd(
      posix::SystemCalls().Open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  if (!fd.IsOpen()) return false;
  error = FillTemporary(fd.Get(), content, mode);
  bool linked = false;
  if (error.Step == nullptr) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd.Get());
    do {
      name = prefix + UniqueSuffix();
      linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    } while (!linked && errno == EEXIST);
  }
  const int linkErr = errno;
  const int closeErr = fd.Close();
  if (closeErr != 0 && error.Step == nullptr && linked) error = {"close", closeErr};
  if (error.Step != nullptr) {
    if (linked) ::unlink(name.c_str());
    return true;  // a real failure of the write: reported, not retried
  }
  errno = linkErr;
  return linked;
}

// The portable way: a named temporary file from the start.
void WriteNamed(const std::string& prefix, const std::string& content, mode_t mode,
                std::string& name, TStepError& error) {
  name = prefix + "XXXXXX";
  posix::TDescriptor fd(posix::SystemCalls().MkOsTemp(name.data(), O_CLOEXEC));
  if (!fd.IsOpen()) {
    error = {"create temporary file", errno};
    return;
  }
  error = FillTemporary(fd.Get(), content, mode);
  const int closeErr = fd.Close();
  if (closeErr != 0 && error.Step == nullptr) error = {"close", closeErr};
  if (error.Step != nullptr) ::unlink(name.c_str());
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& FileName, const std::string& Content) {
  const std::filesystem::path dir =
      FileName.has_parent_path() ? FileName.parent_path() : std::filesystem::path(".");
  // Appended rather than built with "." + name: g++ 12 at -O3 reports a false -Wrestrict for an
  // insertion in front of a temporary string.
  std::string hidden = ".";
  hidden += FileName.filename().string();
  hidden += '.';
  const std::string prefix = (dir / hidden).string();
  const mode_t mode = ModeFor(FileName);
  std::string temporary;
  TStepError error{nullptr, 0};
  if (!WriteUnnamed(dir, prefix, Content, mode, temporary, error)) {
    // ENOENT from open means a missing directory, which the named way reports as well.
    WriteNamed(prefix, Content, mode, temporary, error);
  }
  if (error.Step != nullptr) Fail(FileName, error);
  if (posix::SystemCalls().Rename(temporary.c_str(), FileName.c_str()) != 0) {
    error = {"rename", errno};
    ::unlink(temporary.c_str());
    Fail(FileName, error);
  }
  // Make the rename itself durable.
  const posix::TDescriptor dfd(
      posix::SystemCalls().Open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
  if (dfd.IsOpen()) posix::SystemCalls().Fsync(dfd.Get());
}

}  // namespace norv
