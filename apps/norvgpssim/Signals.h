#pragma once
// SIGINT, SIGTERM and SIGHUP ask the run to stop; the wait between epochs wakes up at once.
#include <csignal>

#include "norv/posix/Descriptor.h"

namespace norvgpssim {

// Installs the handlers for its lifetime (one instance per process) and ignores SIGPIPE, so a
// client that goes away shows up as EPIPE on the write instead of killing the program.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  bool Requested() const;
  // Readable once a stop has been requested: put it in the poll set of the wait.
  int WakeFd() const;
  // The signal that asked to stop (0 when none).
  int Signal() const;

 private:
  struct sigaction FOldInt {}, FOldTerm {}, FOldHup {}, FOldPipe {};
  // The wake-up pipe; the signal handler writes to a copy of the write end's number.
  norv::posix::TDescriptor FWakeRead, FWakeWrite;
};

}  // namespace norvgpssim
