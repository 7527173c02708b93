#pragma once
// Exit codes of norvgpssim and the error that carries one up to main().
#include <stdexcept>
#include <string>

namespace norvgpssim {

// Distinct codes so scripts can tell a typo from a broken scenario from a missing device
// (the values follow the BSD sysexits convention).
enum ExitCode : int {
  kExitOk = 0,
  kExitUsage = 64,     // bad command line
  kExitScenario = 65,  // scenario file missing, unreadable or holding a refused value
  kExitInternal = 70,  // an unexpected failure inside the program
  kExitOutput = 74,    // an output could not be opened or written
};

// A failure that ends the program with a one-line message and its exit code.
class CliError : public std::runtime_error {
 public:
  CliError(ExitCode code, const std::string& message) : std::runtime_error(message), FCode(code) {}
  ExitCode Code() const { return FCode; }

 private:
  ExitCode FCode;
};

}  // namespace norvgpssim
