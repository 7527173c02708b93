#include "Signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace norvgpssim {

namespace {

volatile std::sig_atomic_t gStopSignal = 0;
int gWakePipe[2] = {-1, -1};

extern "C" void OnStopSignal(int sig) {
  const int savedErrno = errno;
  gStopSignal = sig;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(gWakePipe[1], &byte, 1);  // the pipe is non-blocking
  errno = savedErrno;
}

}  // namespace

StopSignals::StopSignals() {
  if (::pipe2(gWakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
    throw std::runtime_error("cannot create the signal pipe");
  FWakeRead = norv::posix::TDescriptor(gWakePipe[0]);
  FWakeWrite = norv::posix::TDescriptor(gWakePipe[1]);
  gStopSignal = 0;
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no SA_RESTART: a blocking call returns EINTR and the loop looks again
  sigaction(SIGINT, &sa, &FOldInt);
  sigaction(SIGTERM, &sa, &FOldTerm);
  sigaction(SIGHUP, &sa, &FOldHup);  // the terminal closed: stop as cleanly as on SIGTERM
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &FOldPipe);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &FOldInt, nullptr);
  sigaction(SIGTERM, &FOldTerm, nullptr);
  sigaction(SIGHUP, &FOldHup, nullptr);
  sigaction(SIGPIPE, &FOldPipe, nullptr);
  gWakePipe[0] = gWakePipe[1] = -1;
}  // the pipe closes with its members, once no handler can write to it

bool StopSignals::Requested() const { return gStopSignal != 0; }
int StopSignals::WakeFd() const { return gWakePipe[0]; }
int StopSignals::Signal() const { return gStopSignal; }

}  // namespace norvgpssim
