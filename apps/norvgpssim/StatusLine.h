#pragma once
// The one-line live status on stderr: epoch, time, position, satellites, bytes, clients.
#include <chrono>
#include <cstdint>
#include <string>

namespace norvgpssim {

struct StatusFields {
  std::uint64_t epoch = 0;
  std::int64_t unixMs = 0;
  std::string position;  // "54 29.6667 N 010 16.5000 E"
  int satellites = 0;
  std::uint64_t bytesSent = 0;
  std::uint64_t bytesDropped = 0;
  int clients = -1;  // -1: no output with clients
  std::string event;  // the last timeline event or fault fired; empty: none
};

std::string FormatStatus(const StatusFields& f);

// True when fd is a terminal whose foreground process group is this process's.
bool InTerminalForeground(int fd);

class StatusLine {
 public:
  // Shown only when `enabled`, stderr is a terminal and the process is in its foreground.
  explicit StatusLine(bool enabled);
  ~StatusLine();  // erases the line, leaving the terminal as it was

  bool Active() const { return FActive; }
  // Redraws at most ten times a second.
  void Update(const StatusFields& f);
  // Moves off the status line before a diagnostic is printed.
  void Clear();

 private:
  bool FActive;
  bool FDrawn = false;
  std::chrono::steady_clock::time_point FLastDraw{};
};

}  // namespace norvgpssim
