// A pseudo-terminal output that cannot be set up gives back every descriptor it had opened.
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

}  // namespace
}  // namespace norvgpssim
