#pragma once
// The run: scenario, outputs, and one epoch of sentences after another until the end.
#include "Options.h"

namespace norvgpssim {

// Returns the exit code (0 on a normal end and after SIGINT/SIGTERM); raises CliError for a
// bad scenario or an unusable output, after closing whatever was already open.
int RunSimulator(const RunOptions& options);

}  // namespace norvgpssim
