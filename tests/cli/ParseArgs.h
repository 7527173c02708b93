#pragma once
// The command line parsed as main() parses it, from the arguments after the program's name.
#include <sstream>
#include <string>
#include <vector>

#include "Options.h"

namespace norvgpssim {

// Err, when given, receives what the parser wrote to stderr.
inline CommandLine ParseArgs(std::vector<std::string> args, std::string* err = nullptr) {
  args.insert(args.begin(), "norvgpssim");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  std::ostringstream out, errors;
  CommandLine c = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), out, errors);
  if (err != nullptr) *err = errors.str();
  return c;
}

}  // namespace norvgpssim
