// norvgpssim: a simulated GPS receiver on stdout, a serial port, a pseudo-terminal or TCP.
#include <csignal>
#include <exception>
#include <iostream>

#include "ExitCodes.h"
#include "Options.h"
#include "Runner.h"
#include "Scenario.h"
#include "SkyPlot.h"

int main(int argc, char** argv) {
  using namespace norvgpssim;
  // Past a file-size limit (ulimit -f) a write then fails with EFBIG, which a save reports as
  // "File too large" keeping the old file, instead of the signal killing the program mid-save.
  std::signal(SIGXFSZ, SIG_IGN);
  const CommandLine line = ParseCommandLine(argc, argv, std::cout, std::cerr);
  try {
    switch (line.command) {
      case Command::Exit: return line.exitCode;
      case Command::Run: return RunSimulator(line.run);
      case Command::SkyPlot: return DrawSkyPlot(line.skyplot);
      case Command::Template: std::cout << ScenarioTemplate(); return kExitOk;
    }
  } catch (const CliError& e) {
    std::cerr << "norvgpssim: " << e.what() << '\n';
    return e.Code();
  } catch (const std::exception& e) {
    std::cerr << "norvgpssim: internal error: " << e.what() << '\n';
    return kExitInternal;
  }
  return kExitInternal;
}
