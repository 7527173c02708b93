#pragma once
// A pseudo-terminal for the serial tests: the component opens the slave path, the test reads the
// master. The test's own slave descriptor keeps the terminal alive and shows its settings.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/posix/SystemCalls.h"

namespace norv::test {

class TestPty {
 public:
  TestPty() {
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)
      throw std::runtime_error("openpty failed");
    path_ = ttyname(slave_);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  ~TestPty() {
    close(master_);
    close(slave_);
  }
  TestPty(const TestPty&) = delete;
  TestPty& operator=(const TestPty&) = delete;

  const std::string& Path() const { return path_; }
  int Slave() const { return slave_; }

  // Reads until count bytes have arrived or timeout has passed.
  std::string Read(std::size_t count, std::chrono::milliseconds timeout) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (text.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd request{master_, POLLIN, 0};
      if (poll(&request, 1, static_cast<int>(left.count())) <= 0) continue;
      char chunk[4096];
      const ssize_t got = read(master_, chunk, std::min(sizeof chunk, count - text.size()));
      if (got > 0) text.append(chunk, static_cast<std::size_t>(got));
    }
    return text;
  }

  // Everything that arrives within timeout.
  std::string ReadAll(std::chrono::milliseconds timeout) { return Read(SIZE_MAX, timeout); }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

// Replaces members of the system-call table for one test and puts the real ones back.
class SystemCallsOverride {
 public:
  SystemCallsOverride() : saved_(posix::SystemCalls()) {}
  ~SystemCallsOverride() { posix::SystemCalls() = saved_; }
  posix::TSystemCalls& operator*() { return posix::SystemCalls(); }
  posix::TSystemCalls* operator->() { return &posix::SystemCalls(); }

 private:
  posix::TSystemCalls saved_;
};

// Sends chunks nobody reads until the terminal's buffer is full and a write stops short at its
// deadline (about a second). Returns the bytes written.
inline std::size_t FillLine(TNorvGPSSimulator& gps) {
  const std::string chunk(256, 'f');
  std::size_t written = 0;
  for (std::uint32_t n = 256; n == chunk.size() && written < (16u << 20);) {
    n = gps.Send(chunk);
    written += n;
  }
  return written;
}

}  // namespace norv::test
