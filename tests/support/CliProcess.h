#pragma once
// Runs the built norvgpssim binary: its stdout and stderr go to files, its exit status is kept,
// and a process still running when the test ends is killed and reaped.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace norv::test {

inline const std::string kCliBinary = NORV_BINARY_DIR "/bin/norvgpssim";

class CliProcess {
 public:
  explicit CliProcess(const std::vector<std::string>& Args);
  ~CliProcess() { FChild.Kill(); }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool Started() const { return FChild.Started(); }
  pid_t Pid() const { return FChild.Pid(); }
  void Signal(int Sig) const { FChild.Signal(Sig); }
  // The exit code (128 + signal for a killed process), or nothing if still running at the end.
  std::optional<int> Wait(std::chrono::milliseconds Timeout = std::chrono::seconds(30)) {
    return FChild.Wait(Timeout);
  }

  std::string Stdout() const { return ReadWholeFile(FDir / "out"); }
  std::string Stderr() const { return ReadWholeFile(FDir / "err"); }
  // Waits until stderr holds Text (true) or the process has ended or the time is up (false).
  bool WaitForStderr(const std::string& Text,
                     std::chrono::milliseconds Timeout = std::chrono::seconds(10));
  // The rest of the stderr line that starts with Prefix (e.g. the pty path), or "".
  std::string StderrValue(const std::string& Prefix) const;

 private:
  TempDir FDir{"cli"};
  TChildProcess FChild;  // after FDir: the process ends before its files go
};

struct CliResult {
  std::optional<int> exitCode;
  std::string out, err;
};

// Runs norvgpssim to its end (killed after the timeout: exitCode empty).
CliResult RunCli(const std::vector<std::string>& Args,
                 std::chrono::milliseconds Timeout = std::chrono::seconds(30));

}  // namespace norv::test
