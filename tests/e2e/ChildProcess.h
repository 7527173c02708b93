#pragma once
// A child process started by a test and always reaped: stopped with SIGTERM (then SIGKILL)
// when it goes out of scope, so a failing assertion never leaves a daemon behind.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace norv::test {

// The full path of an executable found on PATH or in the sbin directories (daemons live
// there and a test runner's PATH often lacks them); empty when there is none.
inline std::string FindProgram(const std::string& Name) {
  std::string dirs = std::getenv("PATH") ? std::getenv("PATH") : "";
  dirs += ":/usr/local/sbin:/usr/sbin:/sbin:/usr/local/bin:/usr/bin:/bin";
  std::istringstream in(dirs);
  for (std::string dir; std::getline(in, dir, ':');) {
    if (dir.empty()) continue;
    const std::string path = dir + "/" + Name;
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return "";
}

class TChildProcess {
 public:
  TChildProcess() = default;
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;
  ~TChildProcess() { Stop(); }

  // Starts Argv (Argv[0] a full path). The child's stdout goes to StdoutFd (or /dev/null when
  // -1), its stderr to ErrorLog. Returns false when it cannot be started.
  bool Start(const std::vector<std::string>& Argv, int StdoutFd,
             const std::filesystem::path& ErrorLog) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (StdoutFd >= 0)
      posix_spawn_file_actions_adddup2(&actions, StdoutFd, STDOUT_FILENO);
    else
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, ErrorLog.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> args;
    for (const auto& a : Argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int rc = posix_spawn(&FPid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) FPid = -1;
    return rc == 0;
  }

  pid_t Pid() const { return FPid; }

  // True while the child has not exited.
  bool Running() {
    if (FPid <= 0) return false;
    int status = 0;
    if (::waitpid(FPid, &status, WNOHANG) == FPid) {
      FPid = -1;
      return false;
    }
    return true;
  }

  // SIGTERM, up to two seconds to exit, then SIGKILL; always reaps the child.
  void Stop() {
    if (FPid <= 0) return;
    ::kill(FPid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int status = 0;
    while (::waitpid(FPid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(FPid, SIGKILL);
        ::waitpid(FPid, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    FPid = -1;
  }

 private:
  pid_t FPid = -1;
};

}  // namespace norv::test
