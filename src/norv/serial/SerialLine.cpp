// Opening, configuring and closing the port of a serial line; its name, rate and last error.
#include "norv/serial/SerialLine.h"

#include <sys/eventfd.h>

#include <cerrno>
#include <system_error>

#include "norv/posix/ErrorText.h"
#include "norv/posix/SystemCalls.h"
#include "norv/serial/Device.h"
#include "norv/serial/LineSettings.h"
#include "norv/serial/SenderThread.h"

namespace norv::serial {

// Holds the line for replacing or closing its descriptor: first wakes any write waiting for room
// (it gives up at once), then takes the write lock and the state lock. The wake-up stays signalled
// until the last such holder is done, so a write that slips in before it ends at once too.
class TSerialLine::TExclusive {
 public:
  explicit TExclusive(TSerialLine& Line) : FLine(Line) {
    {
      std::lock_guard<std::mutex> lock(Line.FLock);
      ++Line.FClosersWaiting;
      Line.SignalWakeUp();
    }
    FWrite = std::unique_lock<std::mutex>(Line.FWriteLock);
    FState = std::unique_lock<std::mutex>(Line.FLock);
  }
  ~TExclusive() {
    if (--FLine.FClosersWaiting == 0) FLine.ClearWakeUp();
  }
  TExclusive(const TExclusive&) = delete;
  TExclusive& operator=(const TExclusive&) = delete;

 private:
  TSerialLine& FLine;
  std::unique_lock<std::mutex> FWrite;
  std::unique_lock<std::mutex> FState;  // after FWrite: released first
};

TSerialLine::TSerialLine() : FWakeUp(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (!FWakeUp.IsOpen()) throw std::system_error(errno, std::generic_category(), "eventfd");
  FSender = std::make_unique<TSenderThread>(*this);
}

TSerialLine::~TSerialLine() {
  {
    // From here on every write gives up at once, the sender's included.
    std::lock_guard<std::mutex> lock(FLock);
    ++FClosersWaiting;
    SignalWakeUp();
  }
  FSender.reset();
  // An open port is closed: nothing could close or reopen it once its owner is gone.
  Disconnect();
}

bool TSerialLine::Connect(const std::string& PortName, std::int32_t Baud) {
  TExclusive exclusive(*this);
  ReleaseDevice(FDevice);  // a reconnect closes the previous port without discarding its data
  FCommPort = PortName;
  FBaudRate = Baud;
  FLastError.clear();
  FDevice = OpenExclusive(PortName, FLastError);
  if (!FDevice.IsOpen()) {
    FCommPort.clear();
    return false;
  }
  // Configured before the line is released: a write must never go through the driver's previous
  // settings (e.g. output post-processing that turns LF into CR LF). A driver that refuses the
  // settings leaves the port open with its previous ones; LastError tells why. The driver queues
  // are the kernel's own; POSIX offers no call to size them, and each write has its deadline.
  ApplyLineSettings(FDevice.Get(), PortName, Baud, FLastError);
  return true;
}

bool TSerialLine::SetDCBState(std::int32_t Baud) {
  std::lock_guard<std::mutex> lock(FLock);
  if (!FDevice.IsOpen()) return false;
  std::string error;
  if (!ApplyLineSettings(FDevice.Get(), FCommPort, Baud, error)) {
    FLastError = error;
    return false;
  }
  FBaudRate = Baud;
  FLastError.clear();
  return true;
}

bool TSerialLine::IsConnected() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FDevice.IsOpen();
}

void TSerialLine::Disconnect() {
  TExclusive exclusive(*this);
  FLastError.clear();
  // Discard what the driver still holds in both directions before letting go.
  const auto flush = [&] { return posix::SystemCalls().TcFlush(FDevice.Get(), TCIOFLUSH); };
  if (FDevice.IsOpen() && posix::RetryOnEintr(flush) != 0)
    FLastError = posix::ErrorText("tcflush", FCommPort, errno);
  ReleaseDevice(FDevice);
  FCommPort.clear();
}

std::string TSerialLine::Port() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FCommPort;
}

void TSerialLine::SetPort(const std::string& Value) {
  std::lock_guard<std::mutex> lock(FLock);
  FCommPort = Value;
}

std::int32_t TSerialLine::BaudRate() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FBaudRate;
}

void TSerialLine::SetBaudRate(std::int32_t Value) {
  std::lock_guard<std::mutex> lock(FLock);
  FBaudRate = Value;
}

std::string TSerialLine::LastError() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FLastError;
}

bool TSerialLine::HasPortName() const {
  std::lock_guard<std::mutex> lock(FLock);
  return !FCommPort.empty();
}

}  // namespace norv::serial
