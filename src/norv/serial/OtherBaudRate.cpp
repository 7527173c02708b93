// termios2 speed access. Includes only the kernel's headers, never <termios.h>.
#include "norv/serial/OtherBaudRate.h"

#include <cerrno>

#if defined(__linux__)
#include <asm/ioctls.h>
#include <asm/termbits.h>
#endif

namespace norv::serial {

#if defined(__linux__) && defined(TCGETS2) && defined(BOTHER)

bool SetOtherBaudRate(int fd, int baud, IoctlCall ioctl) {
  termios2 settings{};
  if (ioctl(fd, TCGETS2, &settings) != 0) return false;
  // Clear both the output and the input speed codes; BOTHER says "take c_ospeed/c_ispeed".
  settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  settings.c_ospeed = static_cast<speed_t>(baud);
  settings.c_ispeed = static_cast<speed_t>(baud);
  return ioctl(fd, TCSETS2, &settings) == 0;
}

long ReadBaudRate(int fd, IoctlCall ioctl) {
  termios2 settings{};
  if (ioctl(fd, TCGETS2, &settings) != 0) return -1;
  return static_cast<long>(settings.c_ospeed);
}

#else

bool SetOtherBaudRate(int, int, IoctlCall) {
  errno = EINVAL;
  return false;
}

long ReadBaudRate(int, IoctlCall) {
  errno = ENOTSUP;
  return -1;
}

#endif

}  // namespace norv::serial
