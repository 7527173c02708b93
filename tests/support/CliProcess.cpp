#include "support/CliProcess.h"

#include <thread>

namespace norv::test {

CliProcess::CliProcess(const std::vector<std::string>& Args) {
  std::vector<std::string> argv{kCliBinary};
  argv.insert(argv.end(), Args.begin(), Args.end());
  FChild.Start(argv, TChildOutput{-1, FDir / "out", FDir / "err", false});
}

bool CliProcess::WaitForStderr(const std::string& Text, std::chrono::milliseconds Timeout) {
  const auto deadline = std::chrono::steady_clock::now() + Timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (Stderr().find(Text) != std::string::npos) return true;
    if (Wait(std::chrono::milliseconds(0))) return Stderr().find(Text) != std::string::npos;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

std::string CliProcess::StderrValue(const std::string& Prefix) const {
  const std::string err = Stderr();
  const std::size_t at = err.find(Prefix);
  if (at == std::string::npos) return "";
  const std::size_t start = at + Prefix.size();
  return err.substr(start, err.find_first_of(" \n", start) - start);
}

CliResult RunCli(const std::vector<std::string>& Args, std::chrono::milliseconds Timeout) {
  CliProcess p(Args);
  CliResult r;
  r.exitCode = p.Wait(Timeout);
  r.out = p.Stdout();
  r.err = p.Stderr();
  return r;
}

}  // namespace norv::test
