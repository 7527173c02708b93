// The real system calls behind the serial seam.
#include "norv/serial/SystemCalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <system_error>

namespace norv::serial {

namespace {

int RealOpen(const char* path, int flags) { return ::open(path, flags); }
int RealIoctl(int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); }

}  // namespace

TSystemCalls& SystemCalls() {
  static TSystemCalls calls{RealOpen, ::close,     RealIoctl, ::flock, ::tcgetattr,
                            ::tcsetattr, ::tcflush, ::write,   ::poll};
  return calls;
}

std::string ErrorText(const std::string& what, const std::string& path, int error) {
  // generic_category().message is thread-safe, unlike strerror.
  return what + " " + path + ": " + std::generic_category().message(error);
}

}  // namespace norv::serial
