#pragma once
// `norvgpssim skyplot`: the scenario's satellites drawn to a PNG or SVG file.
#include "Options.h"

namespace norvgpssim {

// Raises CliError: bad scenario, or an image that cannot be written (unusable output).
int DrawSkyPlot(const SkyPlotOptions& options);

}  // namespace norvgpssim
