#pragma once
// UTC instants as Unix milliseconds: ISO 8601 text in and out, and the library's TDateTime.
#include <cstdint>
#include <string>

#include "norv/framework/Types.h"

namespace norvgpssim {

// "2024-03-01", "2024-03-01T12:00:00", "2024-03-01 12:00:00.250Z", "...+02:00", "...-0530".
// A text without a zone is UTC. Raises std::invalid_argument naming what is wrong.
std::int64_t ParseIso8601(const std::string& text);
// "2024-03-01T12:00:00.250Z".
std::string FormatIso8601(std::int64_t unixMs);

norv::TDateTime UnixMsToDateTime(std::int64_t unixMs);

}  // namespace norvgpssim
