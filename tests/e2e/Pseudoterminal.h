#pragma once
// A pseudo-terminal pair opened by a test: a program writes to the device path, the test reads
// what arrives on the master side.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace norv::test {

class PseudoterminalPair {
 public:
  PseudoterminalPair() {
    char name[256] = {};
    int slave = -1;
    if (::openpty(&FMaster, &slave, name, nullptr, nullptr) != 0) return;
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    ::close(slave);  // the program under test opens the device by its path
    ::fcntl(FMaster, F_SETFD, FD_CLOEXEC);
    ::fcntl(FMaster, F_SETFL, ::fcntl(FMaster, F_GETFL) | O_NONBLOCK);
    FPath = name;
  }
  ~PseudoterminalPair() {
    if (FMaster >= 0) ::close(FMaster);
  }
  PseudoterminalPair(const PseudoterminalPair&) = delete;
  PseudoterminalPair& operator=(const PseudoterminalPair&) = delete;

  bool Open() const { return FMaster >= 0 && !FPath.empty(); }
  const std::string& DevicePath() const { return FPath; }

  // Reads what arrives until nothing more has come for `quiet`, or `limit` has passed.
  std::string ReadUntilQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds limit) {
    using Clock = std::chrono::steady_clock;
    std::string got;
    const auto end = Clock::now() + limit;
    auto lastData = Clock::now();
    while (Clock::now() < end && Clock::now() - lastData < quiet) {
      pollfd p{FMaster, POLLIN, 0};
      ::poll(&p, 1, 10);
      char buf[4096];
      const ssize_t n = ::read(FMaster, buf, sizeof buf);
      if (n > 0) {
        got.append(buf, static_cast<std::size_t>(n));
        lastData = Clock::now();
      } else if (n < 0 && errno == EIO) {
        ::usleep(10000);  // no program holds the device open at the moment (POLLHUP)
      }
    }
    return got;
  }

 private:
  int FMaster = -1;
  std::string FPath;
};

}  // namespace norv::test
