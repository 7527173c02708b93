#include "StatusLine.h"

#include <unistd.h>

#include <cstdio>

#include "TimeText.h"

namespace norvgpssim {

namespace {

std::string Bytes(std::uint64_t n) {
  char buf[32];
  if (n < 10000) std::snprintf(buf, sizeof buf, "%llu B", static_cast<unsigned long long>(n));
  else if (n < 10000000) std::snprintf(buf, sizeof buf, "%.1f kB", static_cast<double>(n) / 1e3);
  else std::snprintf(buf, sizeof buf, "%.1f MB", static_cast<double>(n) / 1e6);
  return buf;
}

}  // namespace

std::string FormatStatus(const StatusFields& f) {
  std::string s = "epoch " + std::to_string(f.epoch) + "  " + FormatIso8601(f.unixMs) + "  " +
                  f.position + "  sats " + std::to_string(f.satellites) + "  sent " +
                  Bytes(f.bytesSent);
  if (f.bytesDropped > 0) s += "  dropped " + Bytes(f.bytesDropped);
  if (f.clients >= 0) s += "  clients " + std::to_string(f.clients);
  if (!f.event.empty()) s += "  last event " + f.event;
  return s;
}

bool InTerminalForeground(int fd) {
  const pid_t foreground = ::tcgetpgrp(fd);
  return foreground != -1 && foreground == ::getpgrp();
}

StatusLine::StatusLine(bool enabled) : FActive(enabled && ::isatty(STDERR_FILENO) == 1) {}

StatusLine::~StatusLine() { Clear(); }

void StatusLine::Update(const StatusFields& f) {
  // Checked on each draw: a run sent to the background (Ctrl-Z, bg) stops drawing into the
  // output of whatever runs in the foreground.
  if (!FActive || !InTerminalForeground(STDERR_FILENO)) return;
  const auto now = std::chrono::steady_clock::now();
  if (FDrawn && now - FLastDraw < std::chrono::milliseconds(100)) return;
  FLastDraw = now;
  const std::string line = "\r" + FormatStatus(f) + "\x1b[K";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  FDrawn = true;
}

void StatusLine::Clear() {
  if (!FDrawn) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  FDrawn = false;
}

}  // namespace norvgpssim
