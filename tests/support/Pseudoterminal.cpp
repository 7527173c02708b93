#include "support/Pseudoterminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace norv::test {

using Clock = std::chrono::steady_clock;

Pseudoterminal::Pseudoterminal(SlaveEnd Slave, LineMode Mode) {
  char name[256] = {};
  if (::openpty(&FMaster, &FSlave, name, nullptr, nullptr) != 0)
    throw std::runtime_error(std::string("openpty: ") + std::strerror(errno));
  FPath = name;
  if (Mode == LineMode::Raw) {
    termios raw{};
    ::tcgetattr(FSlave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(FSlave, TCSANOW, &raw);
  }
  ::fcntl(FMaster, F_SETFD, FD_CLOEXEC);
  ::fcntl(FSlave, F_SETFD, FD_CLOEXEC);
  ::fcntl(FMaster, F_SETFL, ::fcntl(FMaster, F_GETFL) | O_NONBLOCK);
  if (Slave == SlaveEnd::Closed) {
    ::close(FSlave);
    FSlave = -1;
  }
}

Pseudoterminal::~Pseudoterminal() {
  CloseMaster();
  if (FSlave >= 0) ::close(FSlave);
}

void Pseudoterminal::CloseMaster() {
  if (FMaster >= 0) ::close(FMaster);
  FMaster = -1;
}

std::string Pseudoterminal::Read(std::size_t Count, std::chrono::milliseconds Timeout) {
  std::string text;
  const auto deadline = Clock::now() + Timeout;
  while (FMaster >= 0 && text.size() < Count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd request{FMaster, POLLIN, 0};
    if (::poll(&request, 1, static_cast<int>(left.count())) <= 0) continue;
    char chunk[4096];
    const ssize_t got = ::read(FMaster, chunk, std::min(sizeof chunk, Count - text.size()));
    if (got > 0) text.append(chunk, static_cast<std::size_t>(got));
  }
  return text;
}

std::string Pseudoterminal::ReadUntilQuiet(std::chrono::milliseconds Quiet,
                                           std::chrono::milliseconds Limit) {
  std::string text;
  const auto end = Clock::now() + Limit;
  auto lastData = Clock::now();
  while (FMaster >= 0 && Clock::now() < end && Clock::now() - lastData < Quiet) {
    pollfd request{FMaster, POLLIN, 0};
    ::poll(&request, 1, 10);
    char chunk[4096];
    const ssize_t got = ::read(FMaster, chunk, sizeof chunk);
    if (got > 0) {
      text.append(chunk, static_cast<std::size_t>(got));
      lastData = Clock::now();
    } else if (got < 0 && errno == EIO) {
      ::usleep(10000);  // nobody holds the device open at the moment (POLLHUP)
    }
  }
  return text;
}

}  // namespace norv::test
