// Saves that cannot be completed: a full file system, a file size limit, a read-only or a
// missing directory. Each raises norv::Exception naming the file and the reason, and leaves the
// previous file as it was, with nothing beside it.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>

#include "faults/SaveKinds.h"

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

TEST_P(SaveErrors, FullFileSystemRaisesAndKeepsTheOldFile) {
  TScopedTmpfs fs(256 * 1024);
  if (!fs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (" << fs.Error()
                                  << "); FileSizeLimit covers the failed write";
  WriteOldFile(fs.Path());
  FillFileSystem(fs.Path());
  ExpectRefusedSave(fs.Path(), std::strerror(ENOSPC), {"filler"});
}

TEST_P(SaveErrors, FileSizeLimitRaisesAndKeepsTheOldFile) {
  TempDir dir("fsize");
  WriteOldFile(dir.Path());
  TFileSizeLimit limit(1024);  // far below every version's size
  ExpectRefusedSave(dir.Path(), std::strerror(EFBIG));
}

TEST_P(SaveErrors, ReadOnlyDirectoryRaisesAndKeepsTheOldFile) {
  TScopedTmpfs fs(256 * 1024);
  if (fs.Mounted()) {
    WriteOldFile(fs.Path());
    ASSERT_TRUE(fs.RemountReadOnly());
    ExpectRefusedSave(fs.Path(), std::strerror(EROFS));
    return;
  }
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any directory and cannot mount here";
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
