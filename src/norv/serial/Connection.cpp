// Opening, configuring, closing and writing the serial port of TNorvGPSSimulator.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

#include <cerrno>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/serial/LineSettings.h"
#include "norv/serial/LineWriter.h"
#include "norv/serial/SenderThread.h"
#include "norv/serial/SystemCalls.h"

namespace norv {

namespace {

using serial::RetryOnEintr;
using serial::SystemCalls;

constexpr int kNoDevice = -1;

// Opens an existing terminal device for this process alone. O_NONBLOCK: opening must not wait for
// a carrier, and writes wait for room through poll under their own deadline. Exclusive twice
// over: TIOCEXCL refuses later opens (except by root), flock excludes every program that also
// locks, root included.
int OpenExclusive(const std::string& path, std::string& error) {
  const int fd = RetryOnEintr(
      [&] { return SystemCalls().Open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK); });
  if (fd < 0) {
    error = serial::ErrorText("open", path, errno);
    return kNoDevice;
  }
  const auto refuse = [&](std::string message) {
    error = std::move(message);
    SystemCalls().Close(fd);
    return kNoDevice;
  };
  if (RetryOnEintr([&] { return SystemCalls().Flock(fd, LOCK_EX | LOCK_NB); }) != 0)
    return refuse(errno == EWOULDBLOCK ? "open " + path + ": port is in use by another program"
                                       : serial::ErrorText("flock", path, errno));
  // Also tells a terminal from anything else: a file or /dev/null answers ENOTTY.
  if (SystemCalls().Ioctl(fd, TIOCEXCL, nullptr) != 0)
    return refuse(errno == ENOTTY ? "open " + path + ": not a serial device"
                                  : serial::ErrorText("TIOCEXCL", path, errno));
  return fd;
}

// Gives the device back: lifts TIOCEXCL (on a pseudo-terminal it would outlast this descriptor
// and lock out the next open), then closes. close is not retried: the descriptor is gone even
// when it reports EINTR.
void ReleaseDevice(int fd) {
  SystemCalls().Ioctl(fd, TIOCNXCL, nullptr);
  SystemCalls().Close(fd);
}

}  // namespace

bool TNorvGPSSimulator::Connect(const std::string& SerialPortName, std::int32_t BaudRateValue) {
  std::string error;
  {
    std::lock_guard<std::mutex> lock(FCriticalSection);
    if (ComDevice != kNoDevice) {
      // A reconnect closes the previous port first (without discarding what it still holds).
      if (FSenderThread) FSenderThread->PortClosing();
      ReleaseDevice(ComDevice);
    }
    FCommPort = SerialPortName;
    FBaudRate = BaudRateValue;
    ComDevice = OpenExclusive(SerialPortName, error);
    if (ComDevice == kNoDevice) {
      FCommPort.clear();
    } else {
      // The line is configured before the lock is released: from then on the sender may write,
      // and it must never write through the driver's previous settings (e.g. with output
      // post-processing that turns LF into CR LF). A driver that refuses the settings leaves the
      // port open with its previous ones; LastError tells why.
      serial::ApplyLineSettings(ComDevice, SerialPortName, BaudRateValue, error);
    }
  }
  FLastError = error;
  if (ComDevice == kNoDevice) return false;
  // The driver queues are the kernel's own (4 KiB and more on Linux); POSIX offers no call to size
  // them, so there is nothing to set. The write deadline is applied by each write.
  return true;
}

bool TNorvGPSSimulator::Connect(const std::string& SerialPortName) {
  return Connect(SerialPortName, FBaudRate);
}

bool TNorvGPSSimulator::Connect() { return Connect(GetSerialPort(), FBaudRate); }

bool TNorvGPSSimulator::SetDCBState(std::int32_t BaudRateValue) {
  if (!IsConnected()) return false;
  std::string error;
  if (!serial::ApplyLineSettings(ComDevice, GetSerialPort(), BaudRateValue, error)) {
    FLastError = error;
    return false;
  }
  FBaudRate = BaudRateValue;
  FLastError.clear();
  return true;
}

bool TNorvGPSSimulator::IsConnected() const { return ComDevice != kNoDevice; }

void TNorvGPSSimulator::Disconnect() {
  std::lock_guard<std::mutex> lock(FCriticalSection);
  if (FSenderThread) FSenderThread->PortClosing();
  FLastError.clear();
  if (ComDevice != kNoDevice) {
    // Discard what the driver still holds in both directions before letting go.
    if (RetryOnEintr([&] { return SystemCalls().TcFlush(ComDevice, TCIOFLUSH); }) != 0)
      FLastError = serial::ErrorText("tcflush", FCommPort, errno);
    ReleaseDevice(ComDevice);
  }
  ComDevice = kNoDevice;
  FCommPort.clear();
}

std::uint32_t TNorvGPSSimulator::Send(const std::string& str) {
  std::unique_lock<std::mutex> lock(FCriticalSection);
  if (FCommPort.empty()) return 0;
  const std::size_t length = serial::LengthBeforeNul(str);
  if (length == 0) return 0;
  // The lock is held for the whole write: the host chose to wait for the line, and the sender
  // must not write in between.
  if (FSenderThread) FSenderThread->WaitUntilLineFree(lock);
  const auto deadline = serial::Clock::now() + serial::WriteAllowance(length);
  const serial::TWriteResult result =
      serial::WriteWithDeadline(ComDevice, str.data(), length, deadline);
  FLastError = result.error == 0 ? "" : serial::ErrorText("write", FCommPort, result.error);
  return static_cast<std::uint32_t>(result.written);
}

std::string TNorvGPSSimulator::GetSerialPort() const { return Port(); }

std::int32_t TNorvGPSSimulator::GetBaudRate() const { return FBaudRate; }

std::string TNorvGPSSimulator::LastError() const { return FLastError; }

}  // namespace norv
