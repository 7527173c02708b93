#include "support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <thread>

extern char** environ;

namespace norv::test {

std::string FindProgram(const std::string& Name) {
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

namespace {

// The file actions that give a spawned child its stdin, stdout and stderr.
void AddStdio(posix_spawn_file_actions_t& Actions, const TChildOutput& Output) {
  constexpr int kCreate = O_WRONLY | O_CREAT | O_TRUNC;
  posix_spawn_file_actions_addopen(&Actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (Output.StdoutFd >= 0)
    posix_spawn_file_actions_adddup2(&Actions, Output.StdoutFd, STDOUT_FILENO);
  else
    posix_spawn_file_actions_addopen(
        &Actions, STDOUT_FILENO,
        Output.StdoutFile.empty() ? "/dev/null" : Output.StdoutFile.c_str(), kCreate, 0644);
  if (!Output.StderrFile.empty() && Output.StderrFile == Output.StdoutFile)
    posix_spawn_file_actions_adddup2(&Actions, STDOUT_FILENO, STDERR_FILENO);
  else
    posix_spawn_file_actions_addopen(
        &Actions, STDERR_FILENO,
        Output.StderrFile.empty() ? "/dev/null" : Output.StderrFile.c_str(), kCreate, 0644);
}

}  // namespace

bool TChildProcess::Start(const std::vector<std::string>& Argv, const TChildOutput& Output) {
  Stop();
  if (Argv.empty()) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  AddStdio(actions, Output);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  if (Output.OwnProcessGroup) {
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
  }
  std::vector<char*> args;
  for (const auto& a : Argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const int rc = posix_spawn(&FPid, args[0], &actions, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) FPid = -1;
  FStatus.reset();
  FSignal = 0;
  FGroup = Output.OwnProcessGroup;
  return rc == 0;
}

bool TChildProcess::Fork(const std::function<int()>& Body) {
  Stop();
  FGroup = false;
  FStatus.reset();
  FSignal = 0;
  FPid = ::fork();
  if (FPid == 0) {
    int code = 254;
    try {
      code = Body();
    } catch (...) {
    }
    ::_exit(code);
  }
  return FPid > 0;
}

void TChildProcess::Signal(int Sig) const {
  if (FPid > 0 && !FStatus) ::kill(FGroup ? -FPid : FPid, Sig);
}

std::optional<int> TChildProcess::Wait(std::chrono::milliseconds Timeout) {
  const auto deadline = std::chrono::steady_clock::now() + Timeout;
  while (!FStatus && FPid > 0) {
    int status = 0;
    if (::waitpid(FPid, &status, WNOHANG) == FPid) {
      Record(status);
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return FStatus;
}

void TChildProcess::Record(int RawStatus) {
  FSignal = WIFSIGNALED(RawStatus) ? WTERMSIG(RawStatus) : 0;
  FStatus = WIFEXITED(RawStatus) ? WEXITSTATUS(RawStatus) : 128 + FSignal;
}

void TChildProcess::Stop(std::chrono::milliseconds Grace) {
  if (FPid <= 0) return;
  if (Grace.count() > 0) {
    Signal(SIGTERM);
    Wait(Grace);
  }
  Signal(SIGKILL);
  if (!FStatus) {
    int status = 0;
    if (::waitpid(FPid, &status, 0) == FPid) Record(status);
  }
  if (FGroup) ::kill(-FPid, SIGKILL);  // helpers the child may have left in its group
  FPid = -1;
}

}  // namespace norv::test
