#pragma once
// Baud rates that have no termios speed constant, set and read through Linux's termios2.
// Kept apart because the kernel's termios headers clash with <termios.h>.

namespace norv::serial {

using IoctlCall = int (*)(int fd, unsigned long request, void* arg);

// Sets the input and output speed of fd to baud bits per second (BOTHER). False with errno set
// when the platform or the driver refuses it.
bool SetOtherBaudRate(int fd, int baud, IoctlCall ioctl);

// The output speed fd runs at, in bits per second, as the driver reports it; -1 with errno set on
// failure.
long ReadBaudRate(int fd, IoctlCall ioctl);

}  // namespace norv::serial
