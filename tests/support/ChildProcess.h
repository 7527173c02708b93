#pragma once
// Child processes started by tests, always reaped: one still running when its object goes is
// stopped, so a failing assertion never leaves a daemon behind.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace norv::test {

// The full path of an executable found on PATH or in the sbin directories (daemons live
// there and a test runner's PATH often lacks them); empty when there is none.
std::string FindProgram(const std::string& Name);

// Where a started program's output goes. Its stdin is always /dev/null.
struct TChildOutput {
  int StdoutFd = -1;                    // the child's stdout when >= 0, else StdoutFile
  std::filesystem::path StdoutFile;     // empty: /dev/null
  std::filesystem::path StderrFile;     // empty: /dev/null; equal to StdoutFile: one shared file
  bool OwnProcessGroup = false;         // signals then go to the whole group it starts
};

class TChildProcess {
 public:
  TChildProcess() = default;
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;
  ~TChildProcess() { Stop(); }

  // Starts Argv (Argv[0] a full path). Returns false when it cannot be started.
  bool Start(const std::vector<std::string>& Argv, const TChildOutput& Output);
  // Starts Argv with stdout to StdoutFd (or /dev/null when -1) and stderr to ErrorLog.
  bool Start(const std::vector<std::string>& Argv, int StdoutFd,
             const std::filesystem::path& ErrorLog) {
    return Start(Argv, TChildOutput{StdoutFd, {}, ErrorLog, false});
  }
  // Forks a child that runs Body and exits with its result (with 254 when Body throws).
  // Only async-signal-safe calls are sure to work in Body when the test has threads.
  bool Fork(const std::function<int()>& Body);

  pid_t Pid() const { return FPid; }
  bool Started() const { return FPid > 0; }
  // True while the child has not exited.
  bool Running() { return FPid > 0 && !Wait(std::chrono::milliseconds(0)); }
  // Sends Sig (to the group with OwnProcessGroup) unless the child has been reaped.
  void Signal(int Sig) const;
  // The exit code (128 + signal for a killed child), or nothing while it still runs after
  // Timeout. The child is reaped once; the result is kept.
  std::optional<int> Wait(std::chrono::milliseconds Timeout = std::chrono::seconds(30));
  // The signal that ended the child, 0 when it exited or has not ended.
  int TerminatingSignal() const { return FSignal; }
  // SIGTERM, up to Grace to exit, then SIGKILL; always reaps the child.
  void Stop(std::chrono::milliseconds Grace = std::chrono::seconds(2));
  // SIGKILL and reap.
  void Kill() { Stop(std::chrono::milliseconds(0)); }

 private:
  void Record(int RawStatus);

  pid_t FPid = -1;
  bool FGroup = false;
  std::optional<int> FStatus;
  int FSignal = 0;
};

}  // namespace norv::test
