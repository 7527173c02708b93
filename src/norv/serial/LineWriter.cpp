// Non-blocking writes with a deadline: write what fits, poll for room, give up at the deadline.
#include "norv/serial/LineWriter.h"

#include <cerrno>
#include <cstring>

#include "norv/serial/SystemCalls.h"

namespace norv::serial {

namespace {

// Waits until fd has room or reports a condition that the next write will show.
// Returns 0, or ETIMEDOUT at the deadline, or the errno of a failed poll.
int WaitForRoom(int fd, Clock::time_point deadline) {
  for (;;) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return ETIMEDOUT;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    pollfd request{fd, POLLOUT, 0};
    const int ready = SystemCalls().Poll(&request, 1, static_cast<int>(ms));
    if (ready > 0) return 0;
    if (ready < 0 && errno != EINTR) return errno;
  }
}

}  // namespace

Clock::duration WriteAllowance(std::size_t count) {
  return std::chrono::milliseconds(3) * count + std::chrono::milliseconds(100);
}

std::size_t LengthBeforeNul(const std::string& text) { return ::strnlen(text.data(), text.size()); }

TWriteResult WriteSome(int fd, const char* data, std::size_t count) {
  const ssize_t written = RetryOnEintr([&] { return SystemCalls().Write(fd, data, count); });
  if (written >= 0) return {static_cast<std::size_t>(written), 0};
  return {0, errno == EWOULDBLOCK ? EAGAIN : errno};
}

TWriteResult WriteWithDeadline(int fd, const char* data, std::size_t count,
                               Clock::time_point deadline) {
  TWriteResult total;
  while (total.written < count) {
    const TWriteResult step = WriteSome(fd, data + total.written, count - total.written);
    total.written += step.written;
    if (step.error != 0 && step.error != EAGAIN) {
      total.error = step.error;
      break;
    }
    if (total.written == count) break;
    total.error = WaitForRoom(fd, deadline);
    if (total.error != 0) break;
  }
  return total;
}

}  // namespace norv::serial
