// What a save gives the file beyond its bytes: the mode of a new file, the mode and owner of a
// replaced one, the target of a symbolic link, and any name the file system accepts.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"
#include "norv/posix/SystemCalls.h"
#include "support/TempDir.h"

namespace norv {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempDir;

struct stat StatOf(const fs::path& File) {
  struct stat st {};
  EXPECT_EQ(::lstat(File.c_str(), &st), 0) << File;
  return st;
}

// The process's umask for the scope of a test.
class TUmask {
 public:
  explicit TUmask(mode_t Mask) : FSaved(::umask(Mask)) {}
  ~TUmask() { ::umask(FSaved); }

 private:
  mode_t FSaved;
};

TEST(AtomicSave, NewFileGetsEveryoneReadWriteLessTheUmask) {
  const struct {
    mode_t umask, mode;
  } cases[] = {{077, 0600}, {022, 0644}, {002, 0664}, {0, 0666}};
  for (const auto& c : cases) {
    const TempDir dir("save-umask");
    const TUmask mask(c.umask);
    WriteFileAtomically(dir / "new.ini", "x");
    EXPECT_EQ(StatOf(dir / "new.ini").st_mode & 07777, c.mode) << std::oct << c.umask;
  }
}

// The tests run as root, so the owner can be given away and kept.
TEST(AtomicSave, ReplacedFileKeepsModeWithoutSetIdAndItsOwner) {
  const struct {
    mode_t before, after;
  } cases[] = {{04777, 0777}, {02640, 0640}, {0600, 0600}, {01755, 01755}};
  for (const auto& c : cases) {
    const TempDir dir("save-owner");
    const fs::path file = dir.Write("old.ini", "old");
    ASSERT_EQ(::chown(file.c_str(), 12345, 23456), 0);
    ASSERT_EQ(::chmod(file.c_str(), c.before), 0);
    WriteFileAtomically(file, "new");
    const struct stat st = StatOf(file);
    EXPECT_EQ(st.st_mode & 07777, c.after) << std::oct << c.before;
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
    EXPECT_EQ(ReadWholeFile(file), "new");
  }
}

int FchownGroupOnly(int fd, uid_t owner, gid_t group) {
  if (owner != static_cast<uid_t>(-1)) {
    errno = EPERM;
    return -1;
  }
  return ::fchown(fd, owner, group);
}

// Where the process may not give the file away, the save still succeeds and keeps the group.
TEST(AtomicSave, OwnerThatCannotBeKeptLeavesTheSaversButKeepsTheGroup) {
  const TempDir dir("save-eperm");
  const fs::path file = dir.Write("old.ini", "old");
  ASSERT_EQ(::chown(file.c_str(), 12345, 23456), 0);
  const posix::TSystemCalls saved = posix::SystemCalls();
  posix::SystemCalls().Fchown = FchownGroupOnly;
  EXPECT_NO_THROW(WriteFileAtomically(file, "new"));
  posix::SystemCalls() = saved;
  EXPECT_EQ(StatOf(file).st_uid, ::geteuid());
  EXPECT_EQ(StatOf(file).st_gid, 23456u);
  EXPECT_EQ(ReadWholeFile(file), "new");
}

// A link (relative, through a second link, or dangling) keeps pointing at its target, which is
// replaced in its own directory with nothing left beside it.
TEST(AtomicSave, SymbolicLinkStaysAndItsTargetIsReplaced) {
  const TempDir dir("save-link");
  fs::create_directories(dir / "here");
  fs::create_directories(dir / "there");
  const fs::path target = dir.Write("there/real.ini", "old");
  fs::create_symlink("../there/real.ini", dir / "here" / "wp.ini");
  fs::create_symlink("wp.ini", dir / "here" / "again.ini");
  fs::create_symlink("../there/made.ini", dir / "here" / "dangling.ini");
  WriteFileAtomically(dir / "here" / "wp.ini", "one");
  EXPECT_EQ(ReadWholeFile(target), "one");
  WriteFileAtomically(dir / "here" / "again.ini", "two");
  EXPECT_EQ(ReadWholeFile(target), "two");
  WriteFileAtomically(dir / "here" / "dangling.ini", "three");
  EXPECT_EQ(ReadWholeFile(dir / "there" / "made.ini"), "three");
  for (const char* link : {"wp.ini", "again.ini", "dangling.ini"})
    EXPECT_TRUE(fs::is_symlink(dir / "here" / link)) << link;
  std::vector<std::string> entries;
  for (const char* sub : {"here", "there"})
    for (const auto& e : fs::directory_iterator(dir / sub)) entries.push_back(e.path().filename());
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"again.ini", "dangling.ini", "made.ini", "real.ini",
                                               "wp.ini"}));
}

TEST(AtomicSave, LinkLoopIsRefusedAndCreatesNothing) {
  const TempDir dir("save-loop");
  fs::create_symlink("b", dir / "a");
  fs::create_symlink("a", dir / "b");
  try {
    WriteFileAtomically(dir / "a", "x");
    ADD_FAILURE() << "a loop of links saved";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("symbolic link"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"a", "b"}));
}

TEST(AtomicSave, AnyNameTheFileSystemAcceptsSaves) {
  for (std::size_t length : {245u, 246u, 250u, 255u}) {
    const TempDir dir("save-long");
    const std::string name(length, 'w');
    WriteFileAtomically(dir / name, "long");
    EXPECT_EQ(ReadWholeFile(dir / name), "long") << length;
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{name}) << length;
  }
}

}  // namespace
}  // namespace norv
