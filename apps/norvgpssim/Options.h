#pragma once
// The command line: what to simulate, how fast, and where the sentences go.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "Faults.h"
#include "Profile.h"
#include "norv/framework/NMEACommands.h"

namespace norvgpssim {

struct RunOptions {
  std::optional<std::filesystem::path> scenario;  // the built-in scenario when empty

  double rateHz = 1;
  std::optional<std::int64_t> startUnixMs;
  double timeScale = 1;
  std::optional<std::uint64_t> count;
  std::optional<double> durationSeconds;
  bool deterministic = false;
  bool strict = false;  // --strict: a warning about a scenario's files is an error

  bool toStdout = false;  // stdout is also the output when no other is given
  std::optional<std::string> port;
  std::int32_t baud = 4800;
  bool background = false;
  bool pty = false;
  std::string ptyLink;  // empty: no symlink
  std::optional<std::uint16_t> tcpPort;
  std::string bindAddress = "127.0.0.1";
  std::size_t maxClients = 64;  // TCP clients served at once
  std::optional<norv::TNMEACommands> commands;
  std::optional<OutputProfile> profile;  // over the scenario's [Output]; classic by default
  std::optional<std::string> talker;

  bool status = true;  // the live status line, shown only in the terminal's foreground
  std::vector<FaultRule> faults;      // --fault, for the whole run
  std::optional<std::uint64_t> seed;  // over the timeline's Seed
  bool logEvents = false;             // each timeline event and fault to stderr as it fires
};

struct SkyPlotOptions {
  std::optional<std::filesystem::path> scenario;
  std::filesystem::path output;
  int radius = 200;
  std::optional<double> trackHours;  // --tracks: a moving sky's tracks over these hours
  std::optional<std::int64_t> atUnixMs;  // --time: the plot's instant (default now)
};

enum class Command { Run, SkyPlot, Template, Exit };

struct CommandLine {
  Command command = Command::Run;
  RunOptions run;
  SkyPlotOptions skyplot;
  int exitCode = 0;  // for Command::Exit: help or version shown (0) or a bad argument
};

// Parses argv. --help and --version print to `out`; a bad argument prints one line to `err`;
// both give Command::Exit with the exit code to return.
CommandLine ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err);

// "GGA,RMC,gpzda" -> the set; "ALL" selects every kind. Raises std::invalid_argument.
norv::TNMEACommands ParseCommands(const std::string& list);

// The start instant of --deterministic runs without --start-time.
constexpr std::int64_t kDeterministicStartUnixMs = 1709294400000;  // 2024-03-01T12:00:00Z

}  // namespace norvgpssim
