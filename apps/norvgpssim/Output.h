#pragma once
// A destination of the epochs' sentences: stdout, a serial port, a pseudo-terminal, TCP.
#include <poll.h>

#include <cstdint>
#include <string>
#include <vector>

#include "norv/posix/ErrorText.h"

namespace norvgpssim {

class Output {
 public:
  virtual ~Output() = default;

  // Short name for diagnostics and the status line ("stdout", "tcp", ...).
  virtual std::string Name() const = 0;
  // Sends one epoch's text. A destination that can no longer be used raises CliError.
  virtual void WriteEpoch(const std::string& text) = 0;
  // True once the destination has gone for good (stdout closed by its reader).
  virtual bool Finished() const { return false; }

  // Descriptors to watch while waiting for the next epoch, and the handling of their events
  // (new TCP clients, bytes a pty client writes back).
  virtual void AddPollFds(std::vector<pollfd>& fds) const { (void)fds; }
  virtual void HandlePoll(const std::vector<pollfd>& fds) { (void)fds; }

  std::uint64_t BytesSent() const { return FBytesSent; }
  // Bytes given up on because nobody read them (pty backlog, a TCP client that fell behind).
  std::uint64_t BytesDropped() const { return FBytesDropped; }
  // Connected clients, or -1 where the notion does not apply.
  virtual int Clients() const { return -1; }

 protected:
  std::uint64_t FBytesSent = 0;
  std::uint64_t FBytesDropped = 0;
};

// The events reported for fd in a poll set built by AddPollFds (0 when not there).
short EventsFor(const std::vector<pollfd>& fds, int fd);

// The text of errno for messages: "No such file or directory".
using norv::posix::ErrnoText;

}  // namespace norvgpssim
