// Atomic file replacement: a reader, or a crash, sees the complete old file or the complete new
// one, never a mixture.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

// The longest name of a directory entry on Linux file systems.
constexpr std::size_t kNameMax = 255;

struct TStepError {
  const char* Step;
  int Err;
};

[[noreturn]] void Fail(const std::filesystem::path& target, const TStepError& e) {
  throw Exception("Cannot save " + target.string() + ": " + e.Step + ": " +
                  posix::ErrnoText(e.Err));
}

// The process's umask, read without changing it (the umask call would set it, which another
// thread could observe); the set-and-restore call only where /proc is missing.
mode_t ProcessUmask() {
  if (std::FILE* f = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, f))
      found = std::sscanf(line, "Umask: %o", &mask) == 1;
    std::fclose(f);
    if (found) return static_cast<mode_t>(mask);
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

// What the new file takes over from the one it replaces.
struct TFileKind {
  mode_t Mode;
  bool Replaces;  // an existing file: keep its owner and group where the process may
  uid_t Owner;
  gid_t Group;
};

// A replaced file keeps its permissions without setuid and setgid (a saved file is data); a new
// one gets 0666 less the umask, as a file an editor creates.
TFileKind KindFor(const std::filesystem::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return {st.st_mode & 01777, true, st.st_uid, st.st_gid};
  return {0666 & ~ProcessUmask(), false, 0, 0};
}

// Owner and group of the replaced file; where the process may not give the file away, at least
// the group (a member may). Neither is an error: the file is then the saving user's.
void KeepOwner(int fd, const TFileKind& kind) {
  if (!kind.Replaces) return;
  if (posix::SystemCalls().Fchown(fd, kind.Owner, kind.Group) == 0) return;
  posix::SystemCalls().Fchown(fd, static_cast<uid_t>(-1), kind.Group);
}

// The file a save replaces: FileName itself, or the end of its chain of symbolic links (a
// relative link counts from the link's directory), so that the target changes and the links
// stay. A chain of more than 40 links (a loop) refuses the save with ELOOP.
std::filesystem::path SaveTarget(const std::filesystem::path& FileName, TStepError& error) {
  std::filesystem::path path = FileName;
  for (int links = 0; links <= 40; ++links) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
    if (ec) {
      error = {"read symbolic link", ec.value()};
      return path;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  error = {"follow symbolic links", ELOOP};
  return path;
}

// Writes the open temporary file, gives it the owner and mode of kind and flushes it;
// {nullptr, 0} on success.
TStepError FillTemporary(int fd, const std::string& content, const TFileKind& kind) {
  // A file never runs out of room the way a line does: no deadline.
  const posix::TWriteResult written =
      posix::WriteAll(fd, content.data(), content.size(), posix::Clock::time_point::max());
  if (written.error != 0) return {"write", written.error};
  KeepOwner(fd, kind);  // before the mode: a change of owner may clear permission bits
  if (::fchmod(fd, kind.Mode) != 0) return {"set permissions", errno};
  if (posix::SystemCalls().Fsync(fd) != 0) return {"flush", errno};
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
                  const std::string& content, const TFileKind& kind, std::string& name,
                  TStepError& error) {
  posix::TDescriptor fd(
      posix::SystemCalls().Open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  if (!fd.IsOpen()) return false;
  error = FillTemporary(fd.Get(), content, kind);
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
void WriteNamed(const std::string& prefix, const std::string& content, const TFileKind& kind,
                std::string& name, TStepError& error) {
  name = prefix + "XXXXXX";
  posix::TDescriptor fd(posix::SystemCalls().MkOsTemp(name.data(), O_CLOEXEC));
  if (!fd.IsOpen()) {
    error = {"create temporary file", errno};
    return;
  }
  error = FillTemporary(fd.Get(), content, kind);
  const int closeErr = fd.Close();
  if (closeErr != 0 && error.Step == nullptr) error = {"close", closeErr};
  if (error.Step != nullptr) ::unlink(name.c_str());
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& FileName, const std::string& Content) {
  TStepError error{nullptr, 0};
  const std::filesystem::path target = SaveTarget(FileName, error);
  if (error.Step != nullptr) Fail(FileName, error);
  const std::filesystem::path dir =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  // ".<name>." and a random suffix of 8 (or the 6 of mkostemp): the name is cut so that the
  // temporary name stays within the 255 bytes a directory entry may have. Appended rather than
  // built with "." + name: g++ 12 at -O3 reports a false -Wrestrict for an insertion in front of
  // a temporary string.
  std::string hidden = ".";
  hidden += target.filename().string().substr(0, kNameMax - 10);
  hidden += '.';
  const std::string prefix = (dir / hidden).string();
  const TFileKind kind = KindFor(target);
  std::string temporary;
  if (!WriteUnnamed(dir, prefix, Content, kind, temporary, error)) {
    // ENOENT from open means a missing directory, which the named way reports as well.
    WriteNamed(prefix, Content, kind, temporary, error);
  }
  if (error.Step != nullptr) Fail(FileName, error);
  if (posix::SystemCalls().Rename(temporary.c_str(), target.c_str()) != 0) {
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
