// Writes to the serial line: synchronous sends, the sender's background writes, the wake-up.
#include <sys/eventfd.h>

#include "norv/posix/ErrorText.h"
#include "norv/serial/LineWriter.h"
#include "norv/serial/SenderThread.h"
#include "norv/serial/SerialLine.h"

namespace norv::serial {

bool TSerialLine::Write(const std::string& Text, posix::TWriteResult& Result,
                        std::string& PortName) {
  int fd = -1;
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FCommPort.empty()) return false;
    PortName = FCommPort;
    fd = FDevice.Get();  // stays open: closing it takes FWriteLock, held by the caller
  }
  const std::size_t length = LengthBeforeNul(Text);
  if (length == 0) return false;
  const auto deadline = posix::Clock::now() + WriteAllowance(length);
  Result = posix::WriteAll(fd, Text.data(), length, deadline, FWakeUp.Get());
  return true;
}

std::uint32_t TSerialLine::Send(const std::string& Text) {
  // Only writers wait here: the host chose to wait for the line. Port, SetDCBState, LastError and
  // the hand-over to the sender take FLock alone and go on meanwhile.
  std::lock_guard<std::mutex> write(FWriteLock);
  posix::TWriteResult result;
  std::string port;
  if (!Write(Text, result, port)) return 0;
  std::lock_guard<std::mutex> lock(FLock);
  FLastError = result.error == 0 ? "" : posix::ErrorText("write", port, result.error);
  return static_cast<std::uint32_t>(result.written);
}

void TSerialLine::SendOnNewThread(const std::string& Text) { FSender->SetBuffer(Text); }

void TSerialLine::WriteInBackground(const std::string& Text) {
  // A failed background write is dropped; LastError is the host's own sends'.
  std::lock_guard<std::mutex> write(FWriteLock);
  posix::TWriteResult result;
  std::string port;
  Write(Text, result, port);
}

void TSerialLine::SignalWakeUp() { ::eventfd_write(FWakeUp.Get(), 1); }

void TSerialLine::ClearWakeUp() {
  eventfd_t count = 0;
  ::eventfd_read(FWakeUp.Get(), &count);  // non-blocking: nothing to read is fine
}

}  // namespace norv::serial
