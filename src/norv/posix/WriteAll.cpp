// Write what fits, wait for room with poll, give up at the deadline or when woken.
#include "norv/posix/WriteAll.h"

#include <algorithm>

#include "norv/posix/SystemCalls.h"

namespace norv::posix {

namespace {

// Waits until fd reports room (or a condition the next write will show). Returns 0, ETIMEDOUT at
// the deadline, ECANCELED when wakeFd is readable, or the errno of a failed poll.
int WaitForRoom(int fd, int wakeFd, Clock::time_point deadline) {
  for (;;) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return ETIMEDOUT;
    // At most a day per poll: a far deadline (time_point::max()) must not overflow the int.
    const auto ms = std::min<long long>(std::chrono::ceil<std::chrono::milliseconds>(left).count(),
                                        24 * 3600 * 1000);
    pollfd requests[2] = {{fd, POLLOUT, 0}, {wakeFd, POLLIN, 0}};
    const nfds_t count = wakeFd >= 0 ? 2 : 1;
    const int ready = SystemCalls().Poll(requests, count, static_cast<int>(ms));
    if (ready < 0 && errno != EINTR) return errno;
    if (ready <= 0) continue;
    if (count == 2 && requests[1].revents != 0) return ECANCELED;
    if (requests[0].revents != 0) return 0;
  }
}

}  // namespace

TWriteResult WriteAll(int fd, const char* data, std::size_t size, Clock::time_point deadline,
                      int wakeFd) {
  TWriteResult total;
  while (total.written < size) {
    const ssize_t n = SystemCalls().Write(fd, data + total.written, size - total.written);
    if (n > 0) {
      total.written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      total.error = errno;
      break;
    }
    // No room now (EAGAIN, or a write that took nothing).
    total.error = WaitForRoom(fd, wakeFd, deadline);
    if (total.error != 0) break;
  }
  return total;
}

}  // namespace norv::posix
