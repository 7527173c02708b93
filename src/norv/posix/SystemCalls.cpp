// The real system calls behind the seam.
#include "norv/posix/SystemCalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace norv::posix {

namespace {

int RealOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int RealIoctl(int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); }

}  // namespace

TSystemCalls& SystemCalls() {
  static TSystemCalls calls{RealOpen, ::close,   RealIoctl, ::flock, ::tcgetattr, ::tcsetattr,
                            ::tcflush, ::write,  ::poll,    ::fsync, ::rename,
                            ::mkostemp, ::fchown};
  return calls;
}

}  // namespace norv::posix
