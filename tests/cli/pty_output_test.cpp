// A pseudo-terminal output that cannot be set up gives back every descriptor it had opened; its
// link touches nothing the program did not make.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "ExitCodes.h"
#include "PtyOutput.h"
#include "support/TempDir.h"

namespace norvgpssim {
namespace {

namespace fs = std::filesystem;

TEST(PtyOutput, AFailedSetUpLeaksNoDescriptor) {
  const norv::test::TempDir scratch("pty-output");
  const fs::path dir = scratch.Path();
  scratch.Write("plain", "not a link");
  fs::create_symlink(dir / "plain", dir / "taken");
  // Both fail after the pseudo-terminal's master and slave are open.
  for (const char* link : {"plain", "taken"}) {
    SCOPED_TRACE(link);
    const std::size_t before = norv::test::EntryCount("/proc/self/fd");
    EXPECT_THROW(PtyOutput(dir / link, false), CliError);
    EXPECT_EQ(norv::test::EntryCount("/proc/self/fd"), before);
  }
  EXPECT_EQ(fs::read_symlink(dir / "taken"), dir / "plain") << "a live link was replaced";
}

// The link is made through a temporary name of its own: an entry already at the name the
// program would once have used is left alone. At exit the link goes only while it is still ours.
TEST(PtyOutput, LinkTouchesOnlyWhatTheProgramMade) {
  const norv::test::TempDir scratch("pty-link");
  const fs::path link = scratch.Path() / "gps0";
  const fs::path oldTemporary = link.string() + ".tmp" + std::to_string(::getpid());
  scratch.Write(oldTemporary.filename().string(), "someone's file");
  {
    const PtyOutput pty(link, false);
    EXPECT_EQ(fs::read_symlink(link), pty.DevicePath());
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(link))) << "our link stays after exit";
  EXPECT_EQ(norv::test::ReadWholeFile(oldTemporary), "someone's file");
  {
    const PtyOutput pty(link, false);
    fs::remove(link);
    fs::create_symlink("/dev/null", link);  // another program has taken the name meanwhile
  }
  EXPECT_EQ(fs::read_symlink(link), "/dev/null");
  // A dangling link to something other than a pseudo-terminal (an unplugged device) is refused.
  fs::remove(link);
  fs::create_symlink(scratch.Path() / "unplugged", link);
  EXPECT_THROW(PtyOutput(link, false), CliError);
  EXPECT_EQ(fs::read_symlink(link), scratch.Path() / "unplugged");
  EXPECT_EQ(scratch.Entries(), (std::vector<std::string>{"gps0", oldTemporary.filename().string()}));
}

}  // namespace
}  // namespace norvgpssim
