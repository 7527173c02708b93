#pragma once
// WriteAll: the one write loop of the library and the CLI, bounded by a deadline and
// interruptible by another thread.
#include <chrono>
#include <cstddef>

namespace norv::posix {

using Clock = std::chrono::steady_clock;

// What a write achieved: the bytes written, and 0 or the errno that stopped it.
struct TWriteResult {
  std::size_t written = 0;
  int error = 0;
};

// Writes size bytes of data to fd. Retries EINTR; where fd has no room (EAGAIN) waits with poll
// until it has, until the deadline (then ETIMEDOUT), or until wakeFd becomes readable (then
// ECANCELED; -1: no wake-up descriptor). A deadline already past still writes what fits now.
// Stops at the first other error with its errno.
TWriteResult WriteAll(int fd, const char* data, std::size_t size, Clock::time_point deadline,
                      int wakeFd = -1);

}  // namespace norv::posix
