#pragma once
// The one check of every numeric option: a finite number within the option's stated range.
#include <CLI/CLI.hpp>

namespace norvgpssim {

// Accepts a text that reads whole as a finite number from Lo to Hi (both included); the bounds
// are given as text so that the message shows them as written. Refuses "nan", "inf" and values
// beyond the range, e.g. a count past the largest 64-bit integer. The message tells a text that
// is no number from a number out of range.
CLI::Validator NumberIn(const char* Lo, const char* Hi);

// The same for an integer option: "2.5" is refused as not a whole number.
CLI::Validator WholeNumberIn(const char* Lo, const char* Hi);

}  // namespace norvgpssim
