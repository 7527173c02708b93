#pragma once
// Helpers of the serial tests: a scoped override of the system-call table, and a line filled
// until writes stop short.
#include <cstdint>
#include <string>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/posix/SystemCalls.h"

namespace norv::test {

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
