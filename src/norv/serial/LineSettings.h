#pragma once
// Line configuration of an open serial device: raw 8-N-1 without flow control at a baud rate.
#include <cstdint>
#include <string>

namespace norv::serial {

// Configures fd as raw 8 data bits, no parity, one stop bit, no flow control (neither RTS/CTS
// nor XON/XOFF), receiver on, modem control lines ignored, at baud bits per second; then drops
// DTR and RTS where the device has modem lines. The settings are read back, since tcsetattr
// succeeds when any part of a change was applied. On failure the previous settings are put back,
// error names the step and the OS error text, and the result is false.
bool ApplyLineSettings(int fd, const std::string& path, std::int32_t baud, std::string& error);

// The output speed fd runs at in bits per second, or -1 when it cannot be read.
long LineBaudRate(int fd);

}  // namespace norv::serial
