#pragma once
// Deadline-bounded writes to a non-blocking serial descriptor.
#include <chrono>
#include <cstddef>
#include <string>

namespace norv::serial {

using Clock = std::chrono::steady_clock;

// How long a write of count bytes may take: 3 ms per byte plus 100 ms.
Clock::duration WriteAllowance(std::size_t count);

// The number of bytes of text before its first NUL byte (all of it when there is none).
std::size_t LengthBeforeNul(const std::string& text);

// What a write achieved: bytes written, and 0 or the errno that stopped it (EAGAIN when the line
// had no room, ETIMEDOUT when the deadline passed).
struct TWriteResult {
  std::size_t written = 0;
  int error = 0;
};

// One write call (retried on EINTR): whatever the line takes now without waiting.
TWriteResult WriteSome(int fd, const char* data, std::size_t count);

// Writes count bytes, waiting for room while the deadline allows; stops at the first error.
TWriteResult WriteWithDeadline(int fd, const char* data, std::size_t count,
                               Clock::time_point deadline);

}  // namespace norv::serial
