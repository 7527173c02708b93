#pragma once
// TSerialLine: one serial port and everything about it (name, baud rate, descriptor, locks, the
// background sender, the last error), safe to use from several threads at once.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "norv/posix/Descriptor.h"
#include "norv/posix/WriteAll.h"

namespace norv::serial {

class TSenderThread;

// Locking: FLock guards every field and is only ever held briefly, never across a wait for the
// line. FWriteLock serializes writes (synchronous sends and the sender's) and keeps the
// descriptor open while one is under way: whoever closes or replaces the descriptor takes
// FWriteLock and then FLock, after signalling FWakeUp so that a write waiting for room gives up
// at once. Writers take FWriteLock, then FLock for a moment to read the descriptor.
class TSerialLine {
 public:
  // Starts the background sender. Raises std::system_error when no wake-up descriptor or thread
  // can be had.
  TSerialLine();
  // Interrupts any write, stops and joins the sender, then closes an open port.
  ~TSerialLine();
  TSerialLine(const TSerialLine&) = delete;
  TSerialLine& operator=(const TSerialLine&) = delete;

  // Closes a port already open (without discarding what it holds), then opens and configures
  // PortName at Baud. False, with LastError saying why, when it cannot be opened.
  bool Connect(const std::string& PortName, std::int32_t Baud);
  // Reconfigures the open port at Baud; false (LastError says why) when refused or not open.
  bool SetDCBState(std::int32_t Baud);
  bool IsConnected() const;
  // Interrupts a write in progress, discards what the driver holds and closes the port.
  void Disconnect();
  // Writes the text before its first NUL within its deadline; the bytes that went out.
  std::uint32_t Send(const std::string& Text);
  // Hands the text to the background sender, replacing one still pending.
  void SendOnNewThread(const std::string& Text);

  std::string Port() const;
  void SetPort(const std::string& Value);
  std::int32_t BaudRate() const;
  void SetBaudRate(std::int32_t Value);
  std::string LastError() const;

  // For the sender: whether a port name is set, and a write that leaves LastError alone.
  bool HasPortName() const;
  void WriteInBackground(const std::string& Text);

 private:
  class TExclusive;
  // Under FWriteLock: writes the text before its first NUL to the port, if a name is set (to the
  // name without a descriptor the write fails with EBADF). False when there is no name or nothing
  // to write; otherwise Result and PortName tell what happened where.
  bool Write(const std::string& Text, posix::TWriteResult& Result, std::string& PortName);
  void SignalWakeUp();
  void ClearWakeUp();

  mutable std::mutex FLock;
  std::mutex FWriteLock;
  std::string FCommPort;
  std::int32_t FBaudRate = 4800;
  posix::TDescriptor FDevice;
  std::string FLastError;
  posix::TDescriptor FWakeUp;  // an eventfd, readable while someone waits to close the port
  int FClosersWaiting = 0;     // under FLock: callers between signalling FWakeUp and closing
  std::unique_ptr<TSenderThread> FSender;  // last: runs once every other member is ready
};

}  // namespace norv::serial
