#pragma once
// Runs the built norvgpssim binary: its stdout and stderr go to files, its exit status is kept,
// and a process still running when the test ends is killed and reaped.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace norv::test {

inline const std::string kCliBinary = NORV_BINARY_DIR "/bin/norvgpssim";

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliProcess {
 public:
  explicit CliProcess(const std::vector<std::string>& args) {
    static int serial = 0;
    FDir = std::filesystem::temp_directory_path() /
           ("norvgpssim-test-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(FDir);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (FDir / "out").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (FDir / "err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argv{kCliBinary};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    if (posix_spawn(&FPid, kCliBinary.c_str(), &actions, nullptr, raw.data(), environ) != 0)
      FPid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }

  ~CliProcess() {
    if (FPid > 0 && !FStatus) {
      ::kill(FPid, SIGKILL);
      int status = 0;
      ::waitpid(FPid, &status, 0);
    }
    std::error_code ec;
    std::filesystem::remove_all(FDir, ec);
  }

  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool Started() const { return FPid > 0; }
  void Signal(int sig) const {
    if (FPid > 0 && !FStatus) ::kill(FPid, sig);
  }

  // The exit code (128 + signal for a killed process), or nothing if still running at the end.
  std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!FStatus && FPid > 0) {
      int status = 0;
      if (::waitpid(FPid, &status, WNOHANG) == FPid) {
        FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      if (std::chrono::steady_clock::now() > deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return FStatus;
  }

  std::string Stdout() const { return ReadWholeFile(FDir / "out"); }
  std::string Stderr() const { return ReadWholeFile(FDir / "err"); }

  // Waits until stderr holds `text` (true) or the process has ended or the time is up (false).
  bool WaitForStderr(const std::string& text,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
      if (Stderr().find(text) != std::string::npos) return true;
      if (Wait(std::chrono::milliseconds(0))) return Stderr().find(text) != std::string::npos;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // The rest of the stderr line that starts with `prefix` (e.g. the pty path), or "".
  std::string StderrValue(const std::string& prefix) const {
    const std::string err = Stderr();
    const std::size_t at = err.find(prefix);
    if (at == std::string::npos) return "";
    const std::size_t start = at + prefix.size();
    return err.substr(start, err.find_first_of(" \n", start) - start);
  }

 private:
  std::filesystem::path FDir;
  pid_t FPid = -1;
  std::optional<int> FStatus;
};

struct CliResult {
  std::optional<int> exitCode;
  std::string out, err;
};

// Runs norvgpssim to its end (killed after the timeout: exitCode empty).
inline CliResult RunCli(const std::vector<std::string>& args,
                        std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
  CliProcess p(args);
  CliResult r;
  r.exitCode = p.Wait(timeout);
  r.out = p.Stdout();
  r.err = p.Stderr();
  return r;
}

}  // namespace norv::test
