// A pseudo-terminal output that cannot be set up gives back every descriptor it had opened.
#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ExitCodes.h"
#include "PtyOutput.h"

namespace norvgpssim {
namespace {

namespace fs = std::filesystem;

int OpenDescriptors() {
  int n = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (const dirent* e = ::readdir(dir))
      if (e->d_name[0] != '.') ++n;
    ::closedir(dir);
  }
  return n;
}

TEST(PtyOutput, AFailedSetUpLeaksNoDescriptor) {
  const fs::path dir = fs::temp_directory_path() / ("norv-pty-output-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "plain") << "not a link";
  fs::create_symlink(dir / "plain", dir / "taken");
  // Both fail after the pseudo-terminal's master and slave are open.
  for (const char* link : {"plain", "taken"}) {
    SCOPED_TRACE(link);
    const int before = OpenDescriptors();
    EXPECT_THROW(PtyOutput(dir / link, false), CliError);
    EXPECT_EQ(OpenDescriptors(), before);
  }
  EXPECT_EQ(fs::read_symlink(dir / "taken"), dir / "plain") << "a live link was replaced";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace norvgpssim
