#pragma once
// The system calls of the serial line, behind one replaceable table so that tests can force
// failures (EINTR, EIO, short writes) without real hardware.
#include <poll.h>
#include <sys/types.h>
#include <termios.h>

#include <cerrno>
#include <cstddef>
#include <string>

namespace norv::serial {

// Every system call the serial code makes; each member starts as the real call.
struct TSystemCalls {
  int (*Open)(const char* path, int flags);
  int (*Close)(int fd);
  int (*Ioctl)(int fd, unsigned long request, void* arg);
  int (*Flock)(int fd, int operation);
  int (*TcGetAttr)(int fd, termios* attributes);
  int (*TcSetAttr)(int fd, int when, const termios* attributes);
  int (*TcFlush)(int fd, int queue);
  ssize_t (*Write)(int fd, const void* data, std::size_t count);
  int (*Poll)(pollfd* fds, nfds_t count, int timeoutMs);
};

// The table in use. A test may replace members while no write is in progress and must put the
// previous table back afterwards.
TSystemCalls& SystemCalls();

// Repeats a call that a signal interrupted (-1 with EINTR) before it did anything.
template <class Call>
auto RetryOnEintr(Call call) {
  for (;;) {
    auto result = call();
    if (!(result == -1 && errno == EINTR)) return result;
  }
}

// "what path: OS error text", e.g. "open /dev/ttyUSB9: No such file or directory".
std::string ErrorText(const std::string& what, const std::string& path, int error);

}  // namespace norv::serial
