// Saves that cannot be completed: a full file system, failing writes, flushes or renames, a file
// size limit, a read-only or a missing directory. Each raises norv::Exception naming the file and the reason, and leaves the
// previous file as it was, with nothing beside it.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include "faults/SaveKinds.h"
#include "norv/posix/SystemCalls.h"

namespace norv::test {
namespace {

class SaveErrors : public ::testing::TestWithParam<TSaveKind> {
 protected:
  // Saves version 1 over version 0 in Dir, expects the refusal with Reason in its message, and
  // checks that the old file and only it (and Keep) is there afterwards.
  void ExpectRefusedSave(const fs::path& Dir, const std::string& Reason,
                         const std::vector<std::string>& Keep = {}) {
    const TSaveKind& kind = GetParam();
    const fs::path file = Dir / kind.FileName;
    const TVersionSaver save = kind.MakeSaver(file);
    try {
      save(1);
      ADD_FAILURE() << "the save did not raise";
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(file.string()), std::string::npos) << e.Message();
      EXPECT_NE(e.Message().find(Reason), std::string::npos) << e.Message();
    }
    if (!Old.empty()) {
      EXPECT_EQ(ReadWholeFile(file), Old) << "the previous file changed";
    }
    std::vector<std::string> expected = Keep;
    if (!Old.empty()) expected.push_back(kind.FileName);
    EXPECT_EQ(OtherEntries(Dir, expected), std::vector<std::string>{});
  }

  void WriteOldFile(const fs::path& Dir) {
    TempDir scratch("reference");
    Old = VersionBytes(GetParam(), scratch.Path())[0];
    WriteWholeFile(Dir / GetParam().FileName, Old);
  }

  std::string Old;
};

// RLIMIT_FSIZE for the scope of a test; writes beyond it fail with EFBIG instead of a signal.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t Bytes) {
    ::getrlimit(RLIMIT_FSIZE, &FSaved);
    FPrevious = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = FSaved;
    limit.rlim_cur = Bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &FSaved);
    std::signal(SIGXFSZ, FPrevious);
  }

 private:
  rlimit FSaved{};
  void (*FPrevious)(int) = nullptr;
};

// One system call of the save fails, injected through the seam: no tmpfs or root needed.
int CallsSoFar = 0;
ssize_t FullAfterOneWrite(int Fd, const void* Data, std::size_t Count) {
  if (CallsSoFar++ == 0) return ::write(Fd, Data, std::min<std::size_t>(Count, 512));
  errno = ENOSPC;
  return -1;
}
ssize_t WriteIoError(int, const void*, std::size_t) {
  errno = EIO;
  return -1;
}
int FsyncIoError(int) {
  errno = EIO;
  return -1;
}
int RenameIoError(const char*, const char*) {
  errno = EIO;
  return -1;
}
int OpenOnReadOnlyFileSystem(const char*, int, mode_t) {
  errno = EROFS;
  return -1;
}
int MkOsTempOnReadOnlyFileSystem(char*, int) {
  errno = EROFS;
  return -1;
}

TEST_P(SaveErrors, FailedSystemCallsRaiseAndKeepTheOldFile) {
  struct Case {
    const char* Name;
    void (*Inject)(posix::TSystemCalls&);
    int Error;
  };
  const Case cases[] = {
      {"disk full after part of the file", [](auto& c) { c.Write = FullAfterOneWrite; }, ENOSPC},
      {"write fails", [](auto& c) { c.Write = WriteIoError; }, EIO},
      {"flush fails", [](auto& c) { c.Fsync = FsyncIoError; }, EIO},
      {"rename fails", [](auto& c) { c.Rename = RenameIoError; }, EIO},
      {"read-only file system",
       [](auto& c) {
         c.Open = OpenOnReadOnlyFileSystem;
         c.MkOsTemp = MkOsTempOnReadOnlyFileSystem;
       },
       EROFS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempDir dir("injected");
    WriteOldFile(dir.Path());
    const posix::TSystemCalls saved = posix::SystemCalls();
    CallsSoFar = 0;
    c.Inject(posix::SystemCalls());
    ExpectRefusedSave(dir.Path(), std::strerror(c.Error));
    posix::SystemCalls() = saved;
  }
}

TEST_P(SaveErrors, FileSizeLimitRaisesAndKeepsTheOldFile) {
  TempDir dir("fsize");
  WriteOldFile(dir.Path());
  TFileSizeLimit limit(1024);  // far below every version's size
  ExpectRefusedSave(dir.Path(), std::strerror(EFBIG));
}

TEST_P(SaveErrors, ReadOnlyDirectoryRaisesAndKeepsTheOldFile) {
  // Root writes into any directory; a read-only file system is injected above instead.
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any directory";
  TempDir dir("readonly");
  WriteOldFile(dir.Path());
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  ExpectRefusedSave(dir.Path(), std::strerror(EACCES));
  fs::permissions(dir.Path(), fs::perms::owner_all);
}

TEST_P(SaveErrors, MissingDirectoryRaisesAndCreatesNothing) {
  TempDir dir("missing");
  ExpectRefusedSave(dir.Path() / "no" / "such", std::strerror(ENOENT));
  EXPECT_FALSE(fs::exists(dir.Path() / "no"));
}

INSTANTIATE_TEST_SUITE_P(EveryFileKind, SaveErrors, ::testing::ValuesIn(SaveKinds()),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace norv::test
