#pragma once
// Warnings about a satellites file that the library's loader would accept without a word.
#include <filesystem>
#include <string>
#include <vector>

namespace norvgpssim {

// One line per problem, "<file>:<line>: [<section>] <key>: <what>": an unknown key, a number
// that is not a whole number (the loader reads it as 0) or an unknown Type (read as GPS).
std::vector<std::string> CheckSatelliteFile(const std::filesystem::path& file);

}  // namespace norvgpssim
