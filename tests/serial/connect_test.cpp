#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "norv/core/TNorvGPSSimulator.h"
#include "support/ChildProcess.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using test::Pseudoterminal;

TEST(Connect, FreshComponentIsNotConnected) {
  TNorvGPSSimulator gps;
  EXPECT_EQ(gps.BaudRate(), 4800);
  EXPECT_EQ(gps.Port(), "");
  EXPECT_FALSE(gps.IsConnected());
  EXPECT_EQ(gps.Send("$GPGGA\r\n"), 0u);
  EXPECT_FALSE(gps.SetDCBState(9600));
  EXPECT_EQ(gps.BaudRate(), 4800);
}

TEST(Connect, RefusedPathsLeaveNoPortAndKeepTheRequestedRate) {
  const test::TempDir dir("serial");
  const std::string missing = (dir / "ttyMISSING").string();
  const std::string plainFile = (dir / "plain-file").string();
  { std::ofstream(plainFile) << "keep"; }
  struct Case {
    std::string path;
    std::string errorPart;
  };
  for (const Case& c : {Case{missing, "No such file or directory"}, Case{"/dev/null", "not a serial"},
                        Case{plainFile, "not a serial"}, Case{"", "No such file"}}) {
    SCOPED_TRACE(c.path);
    TNorvGPSSimulator gps;
    EXPECT_FALSE(gps.Connect(c.path, 9600));
    EXPECT_EQ(gps.Port(), "");
    EXPECT_EQ(gps.BaudRate(), 9600);
    EXPECT_FALSE(gps.IsConnected());
    EXPECT_NE(gps.LastError().find(c.errorPart), std::string::npos) << gps.LastError();
    EXPECT_NE(gps.LastError().find("open " + c.path), std::string::npos) << gps.LastError();
  }
  EXPECT_FALSE(std::filesystem::exists(missing)) << "a missing device must never be created";
  EXPECT_EQ(std::filesystem::file_size(plainFile), 4u);
}

TEST(Connect, OpensAPseudoTerminal) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 9600)) << gps.LastError();
  EXPECT_TRUE(gps.IsConnected());
  EXPECT_EQ(gps.Port(), pty.Path());
  EXPECT_EQ(gps.GetSerialPort(), pty.Path());
  EXPECT_EQ(gps.BaudRate(), 9600);
  EXPECT_EQ(gps.GetBaudRate(), 9600);
  EXPECT_EQ(gps.LastError(), "");
}

TEST(Connect, OverloadsTakeTheCurrentPortAndRate) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  gps.SetBaudRate(19200);
  ASSERT_TRUE(gps.Connect(pty.Path()));
  EXPECT_EQ(gps.BaudRate(), 19200);
  termios t{};
  ASSERT_EQ(tcgetattr(pty.Slave(), &t), 0);
  EXPECT_EQ(cfgetospeed(&t), B19200);

  gps.SetBaudRate(38400);
  ASSERT_TRUE(gps.Connect());
  ASSERT_EQ(tcgetattr(pty.Slave(), &t), 0);
  EXPECT_EQ(cfgetospeed(&t), B38400);
}

TEST(Connect, HoldsThePortExclusively) {
  Pseudoterminal pty;
  auto first = std::make_unique<TNorvGPSSimulator>();
  ASSERT_TRUE(first->Connect(pty.Path(), 4800));
  TNorvGPSSimulator second;
  EXPECT_FALSE(second.Connect(pty.Path(), 4800));
  EXPECT_EQ(second.Port(), "");
  EXPECT_FALSE(second.LastError().empty());
  // Still the first one's: it keeps writing.
  EXPECT_EQ(first->Send("A"), 1u);
  EXPECT_EQ(pty.Read(1, 1s), "A");

  first->Disconnect();
  EXPECT_TRUE(second.Connect(pty.Path(), 4800)) << second.LastError();
  second.Disconnect();

  // Destroying a connected component gives the port back too.
  ASSERT_TRUE(first->Connect(pty.Path(), 4800));
  first.reset();
  EXPECT_TRUE(second.Connect(pty.Path(), 4800)) << second.LastError();
}

TEST(Connect, RefusesAPortAnotherProgramHasLocked) {
  // Another program's flock keeps the port even from root, whom TIOCEXCL does not stop.
  Pseudoterminal pty;
  const int other = open(pty.Path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  TNorvGPSSimulator gps;
  EXPECT_FALSE(gps.Connect(pty.Path(), 4800));
  EXPECT_NE(gps.LastError().find("in use"), std::string::npos) << gps.LastError();
  close(other);
  EXPECT_TRUE(gps.Connect(pty.Path(), 4800)) << gps.LastError();
}

// The errno of opening path as an unprivileged user (0 when it opens), from a child process.
int OpenErrorAsNobody(const std::string& path) {
  test::TChildProcess child;
  child.Fork([&] {
    if (setgid(65534) != 0 || setuid(65534) != 0) return 255;
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    return fd >= 0 ? 0 : errno;
  });
  return child.Wait().value_or(-1);
}

TEST(Connect, KeepsOtherUsersOutUntilDisconnect) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to try the port as another user";
  Pseudoterminal pty;
  ASSERT_EQ(chmod(pty.Path().c_str(), 0666), 0);
  ASSERT_EQ(OpenErrorAsNobody(pty.Path()), 0);
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 4800));
  EXPECT_EQ(OpenErrorAsNobody(pty.Path()), EBUSY);
  gps.Disconnect();
  // The terminal outlives the descriptor; its exclusive mode must not.
  EXPECT_EQ(OpenErrorAsNobody(pty.Path()), 0);
}

TEST(Connect, ReconnectingClosesThePreviousPort) {
  Pseudoterminal a;
  Pseudoterminal b;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(a.Path(), 4800));
  ASSERT_TRUE(gps.Connect(a.Path(), 9600)) << gps.LastError();
  EXPECT_EQ(gps.Send("x"), 1u);
  EXPECT_EQ(a.Read(1, 1s), "x");

  ASSERT_TRUE(gps.Connect(b.Path(), 4800));
  TNorvGPSSimulator other;
  EXPECT_TRUE(other.Connect(a.Path(), 4800)) << other.LastError();
}

TEST(Connect, DisconnectResetsEverything) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 9600));
  gps.Disconnect();
  EXPECT_EQ(gps.Port(), "");
  EXPECT_FALSE(gps.IsConnected());
  EXPECT_EQ(gps.Send("abc"), 0u);
  EXPECT_FALSE(gps.Connect());
  EXPECT_EQ(pty.ReadAll(100ms), "");
  gps.Disconnect();  // twice is harmless
  EXPECT_FALSE(gps.IsConnected());
}

}  // namespace
}  // namespace norv
