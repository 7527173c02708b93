// Exclusive opening and release of a terminal device.
#include "norv/serial/Device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

#include <cerrno>

#include "norv/posix/ErrorText.h"
#include "norv/posix/SystemCalls.h"

namespace norv::serial {

using posix::RetryOnEintr;
using posix::SystemCalls;

// O_NONBLOCK: opening must not wait for a carrier, and writes wait for room through poll under
// their own deadline. Exclusive twice over: TIOCEXCL refuses later opens (except by root), flock
// excludes every program that also locks, root included.
posix::TDescriptor OpenExclusive(const std::string& path, std::string& error) {
  posix::TDescriptor fd(RetryOnEintr([&] {
    return SystemCalls().Open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0);
  }));
  if (!fd.IsOpen()) {
    error = posix::ErrorText("open", path, errno);
    return fd;
  }
  const auto refuse = [&](std::string message) {
    error = std::move(message);
    return posix::TDescriptor();  // fd closes as it goes
  };
  if (RetryOnEintr([&] { return SystemCalls().Flock(fd.Get(), LOCK_EX | LOCK_NB); }) != 0)
    return refuse(errno == EWOULDBLOCK ? "open " + path + ": port is in use by another program"
                                       : posix::ErrorText("flock", path, errno));
  // Also tells a terminal from anything else: a file or /dev/null answers ENOTTY.
  if (SystemCalls().Ioctl(fd.Get(), TIOCEXCL, nullptr) != 0)
    return refuse(errno == ENOTTY ? "open " + path + ": not a serial device"
                                  : posix::ErrorText("TIOCEXCL", path, errno));
  return fd;
}

void ReleaseDevice(posix::TDescriptor& device) {
  if (!device.IsOpen()) return;
  SystemCalls().Ioctl(device.Get(), TIOCNXCL, nullptr);
  device.Close();
}

}  // namespace norv::serial
