#pragma once
// Plain one-line messages for a refused command line, in place of the parser's own wording.
#include <CLI/CLI.hpp>
#include <string>

namespace norvgpssim {

// The line to print for a parse error of `app` (after parse() threw): it names the option and
// the value and says what is accepted or where the option belongs.
std::string UsageMessage(const CLI::ParseError& error, CLI::App& app);

}  // namespace norvgpssim
