// Closing and handing over an owned descriptor.
#include "norv/posix/Descriptor.h"

#include <cerrno>

#include "norv/posix/SystemCalls.h"

namespace norv::posix {

TDescriptor& TDescriptor::operator=(TDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    FFd = other.Release();
  }
  return *this;
}

int TDescriptor::Release() noexcept {
  const int fd = FFd;
  FFd = -1;
  return fd;
}

int TDescriptor::Close() noexcept {
  if (FFd < 0) return 0;
  const int fd = Release();
  return SystemCalls().Close(fd) == 0 ? 0 : errno;
}

}  // namespace norv::posix
