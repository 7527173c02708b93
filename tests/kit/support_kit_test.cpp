// The test support kit itself: what every other test relies on when it starts a program, opens
// a terminal or needs a scratch directory.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <thread>

#include "support/ChildProcess.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(TempDir, GoesWithEverythingInItReadOnlyDirectoriesIncluded) {
  fs::path kept;
  {
    test::TempDir dir("kit/param");  // a parameterised test's name
    test::TempDir other("kit/param");
    EXPECT_NE(dir.Path(), other.Path());
    fs::create_directories(dir / "sub" / "deeper");
    dir.Write("sub/deeper/file", "x");
    fs::permissions(dir / "sub", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"sub"});
    kept = dir.Path();
  }
  EXPECT_FALSE(fs::exists(kept));
}

struct ExitCase {
  const char* Name;
  std::function<bool(test::TChildProcess&)> Start;
  int Code, Signal;
};

TEST(ChildProcess, KeepsTheExitCodeOrTheSignalOfItsChild) {
  const ExitCase cases[] = {
      {"program exits", [](auto& p) { return p.Start({"/bin/sh", "-c", "exit 3"}, -1, ""); }, 3, 0},
      {"program killed",
       [](auto& p) { return p.Start({"/bin/sh", "-c", "kill -KILL $$"}, -1, ""); }, 128 + 9, 9},
      {"fork returns", [](auto& p) { return p.Fork([] { return 7; }); }, 7, 0},
      {"fork throws",
       [](auto& p) { return p.Fork([]() -> int { throw std::runtime_error("x"); }); }, 254, 0},
  };
  for (const ExitCase& c : cases) {
    SCOPED_TRACE(c.Name);
    test::TChildProcess child;
    ASSERT_TRUE(c.Start(child));
    EXPECT_EQ(child.Wait(10s), c.Code);
    EXPECT_EQ(child.TerminatingSignal(), c.Signal);
    EXPECT_FALSE(child.Running());
    EXPECT_EQ(child.Wait(0ms), c.Code) << "the status is kept once reaped";
  }
}

TEST(ChildProcess, AProgramThatCannotStartIsReported) {
  test::TChildProcess child;
  EXPECT_FALSE(child.Start({"/nonexistent/program"}, -1, ""));
  EXPECT_FALSE(child.Running());
}

// True while Pid is a process that has not ended (a zombie has ended).
bool Alive(pid_t Pid) {
  const std::string stat = test::ReadWholeFile("/proc/" + std::to_string(Pid) + "/stat");
  const std::size_t end = stat.rfind(')');
  return end != std::string::npos && end + 2 < stat.size() && stat[end + 2] != 'Z';
}

TEST(ChildProcess, StopEndsAChildIgnoringSigtermAndItsGroup) {
  test::TempDir dir("kit-group");
  test::TChildProcess child;
  // The shell leaves a sleeping grandchild in its group and ignores SIGTERM itself.
  const std::string script = "trap '' TERM; sleep 60 & echo $! > " + (dir / "pid").string() +
                             "; echo out; echo err >&2; wait";
  ASSERT_TRUE(child.Start({"/bin/sh", "-c", script},
                          test::TChildOutput{-1, dir / "log", dir / "log", true}));
  while (test::ReadWholeFile(dir / "pid").empty()) std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(child.Wait(0ms)) << "still running";
  const pid_t grandchild = std::stoi(test::ReadWholeFile(dir / "pid"));
  child.Stop(200ms);
  EXPECT_EQ(child.TerminatingSignal(), SIGKILL);
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(Alive(grandchild)) << "the group outlived its leader";
  EXPECT_EQ(test::ReadWholeFile(dir / "log"), "out\nerr\n") << "one shared file for both";
}

struct LineCase {
  test::Pseudoterminal::LineMode Mode;
  const char* Written;
  const char* Read;
};

TEST(Pseudoterminal, MasterReadsWhatTheSlaveWritesInTheLineMode) {
  for (const LineCase& c : {LineCase{test::Pseudoterminal::LineMode::AsOpened, "a\n", "a\r\n"},
                            LineCase{test::Pseudoterminal::LineMode::Raw, "a\n", "a\n"}}) {
    test::Pseudoterminal line(test::Pseudoterminal::SlaveEnd::Held, c.Mode);
    ASSERT_EQ(::write(line.Slave(), c.Written, 2), 2);
    EXPECT_EQ(line.ReadAll(200ms), c.Read);
  }
}

TEST(Pseudoterminal, ReadUntilQuietWaitsForAWriterThatOpensTheDeviceLater) {
  test::Pseudoterminal line(test::Pseudoterminal::SlaveEnd::Closed);
  EXPECT_EQ(line.Slave(), -1);
  std::thread writer([&] {
    std::this_thread::sleep_for(100ms);
    const int fd = ::open(line.Path().c_str(), O_WRONLY | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::write(fd, "late", 4), 4);
    std::this_thread::sleep_for(100ms);
    ::close(fd);
  });
  EXPECT_EQ(line.ReadUntilQuiet(300ms, 5s), "late");
  writer.join();
  EXPECT_EQ(line.Read(1, 50ms), "");
}

}  // namespace
}  // namespace norv
