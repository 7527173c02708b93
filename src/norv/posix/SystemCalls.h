#pragma once
// TSystemCalls: the one table of system calls behind the library's and the CLI's descriptor I/O,
// replaceable so that tests can force failures (EINTR, EIO, short writes, ENOSPC) without real
// hardware, a full disk or root.
#include <poll.h>
#include <sys/types.h>
#include <termios.h>

#include <cerrno>
#include <cstddef>

namespace norv::posix {

// Every system call made through the seam; each member starts as the real call.
struct TSystemCalls {
  int (*Open)(const char* path, int flags, mode_t mode);
  int (*Close)(int fd);
  int (*Ioctl)(int fd, unsigned long request, void* arg);
  int (*Flock)(int fd, int operation);
  int (*TcGetAttr)(int fd, termios* attributes);
  int (*TcSetAttr)(int fd, int when, const termios* attributes);
  int (*TcFlush)(int fd, int queue);
  ssize_t (*Write)(int fd, const void* data, std::size_t count);
  int (*Poll)(pollfd* fds, nfds_t count, int timeoutMs);
  int (*Fsync)(int fd);
  int (*Rename)(const char* from, const char* to);
  int (*MkOsTemp)(char* name, int flags);  // a new file named from the XXXXXX template
  int (*Fchown)(int fd, uid_t owner, gid_t group);
};

// The table in use. A test may replace members while no call is in progress and must put the
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

}  // namespace norv::posix
