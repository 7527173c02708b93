// The CLI outlives TCP clients that go away: closed sockets, resets with unread data, clients
// that never read. A write to such a socket must not raise SIGPIPE and end the program.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sstream>
#include <thread>

#include "support/ChildProcess.h"
#include "faults/FileFaults.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct TSocket {
  int fd = -1;
  explicit TSocket(int f) : fd(f) {}
  ~TSocket() {
    if (fd >= 0) ::close(fd);
  }
};

sockaddr_in Loopback(int Port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<std::uint16_t>(Port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return addr;
}

int FreeLoopbackPort() {
  TSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in addr = Loopback(0);
  socklen_t len = sizeof addr;
  if (::bind(s.fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
      ::getsockname(s.fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    return -1;
  return ntohs(addr.sin_port);
}

int Connect(int Port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in addr = Loopback(Port);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Bytes that arrive on Fd within Timeout.
std::size_t ReadFor(int Fd, Clock::duration Timeout) {
  std::size_t got = 0;
  for (const auto deadline = Clock::now() + Timeout; Clock::now() < deadline;) {
    pollfd p{Fd, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    char buf[4096];
    const ssize_t n = ::read(Fd, buf, sizeof buf);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

// The signals the process ignores, from /proc/PID/status ("SigIgn:" as a hexadecimal mask).
std::uint64_t IgnoredSignals(pid_t Pid) {
  std::istringstream status(test::ReadWholeFile("/proc/" + std::to_string(Pid) + "/status"));
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigIgn:", 0) == 0) return std::stoull(line.substr(7), nullptr, 16);
  return 0;
}

void ResetOnClose(int Fd) {
  const linger abort{1, 0};
  ::setsockopt(Fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
}

TEST(CliTcpClients, ClientsThatGoAwayDoNotEndTheProgram) {
  const std::string cli = std::string(NORV_BINARY_DIR) + "/bin/norvgpssim";
  if (::access(cli.c_str(), X_OK) != 0) GTEST_SKIP() << "no CLI in this build: " << cli;
  test::TempDir dir("sigpipe");
  const int port = FreeLoopbackPort();
  ASSERT_GT(port, 0);
  test::TChildProcess process;
  ASSERT_TRUE(process.Start({cli, "--rate", "50", "--tcp", std::to_string(port), "--no-status"},
                            -1, dir.Path() / "cli.log"));
  int probe = -1;
  for (const auto deadline = Clock::now() + 10s; probe < 0 && Clock::now() < deadline;
       std::this_thread::sleep_for(50ms))
    probe = Connect(port);
  ASSERT_GE(probe, 0) << "the CLI does not listen: " << test::ReadWholeFile(dir.Path() / "cli.log");
  ::close(probe);
  // A write to a socket whose peer has gone raises SIGPIPE unless it is ignored (or every send
  // says MSG_NOSIGNAL); whether a write meets EPIPE or ECONNRESET first is up to timing, so the
  // disposition is checked directly as well.
  EXPECT_NE(IgnoredSignals(process.Pid()) & (1ull << (SIGPIPE - 1)), 0u) << "SIGPIPE is not ignored";

  for (int round = 0; round < 60; ++round) {
    const int fd = Connect(port);
    ASSERT_GE(fd, 0) << "round " << round << ": " << test::ReadWholeFile(dir.Path() / "cli.log");
    switch (round % 3) {
      case 0:  // reads a little, then resets the connection with data unread
        ReadFor(fd, 30ms);
        std::this_thread::sleep_for(60ms);
        ResetOnClose(fd);
        break;
      case 1:  // never reads, then closes while epochs keep coming
        std::this_thread::sleep_for(100ms);
        break;
      case 2:  // shuts down its reading side and stays a moment
        ::shutdown(fd, SHUT_RD);
        ResetOnClose(fd);
        std::this_thread::sleep_for(40ms);
        break;
    }
    ::close(fd);
    ASSERT_TRUE(process.Running()) << "the CLI ended after client " << round << ": "
                                   << test::ReadWholeFile(dir.Path() / "cli.log");
  }
  std::this_thread::sleep_for(200ms);  // epochs written to the sockets just gone
  ASSERT_TRUE(process.Running()) << test::ReadWholeFile(dir.Path() / "cli.log");
  TSocket last(Connect(port));
  ASSERT_GE(last.fd, 0);
  EXPECT_GT(ReadFor(last.fd, 500ms), 0u) << "a new client gets no sentences";
}

}  // namespace
}  // namespace norv
