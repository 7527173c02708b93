#pragma once
// The output profile of a run: the component's classic sentences or the NMEA 0183 4.11 profile,
// its talker, and whether an epoch of it fits a serial line.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "norv/core/TNorvGPSSimulator.h"

namespace norvgpssim {

enum class OutputProfile { Classic, Nmea4 };

struct ProfileSettings {
  OutputProfile profile = OutputProfile::Classic;
  std::string talker = "GN";  // of the nmea4 profile
};

// "classic" or "nmea4", any letter case.
std::optional<OutputProfile> ParseProfile(const std::string& text);
// Two capital letters.
bool IsTalker(const std::string& text);

// The [Output] section of a scenario file (Profile=, Talker=) over Settings. Raises CliError
// (bad scenario) with the file, line and key of a bad value.
void ReadOutputSection(const std::filesystem::path& scenario, ProfileSettings& Settings);

struct RunOptions;
// The scenario file's [Output], then the command line's --profile and --talker over it. Raises
// CliError for a talker given to the classic profile (its talkers are the constellations').
ProfileSettings ChooseProfile(const RunOptions& options);

// One epoch of the chosen profile from the component's current state.
std::string EpochText(const norv::TNorvGPSSimulator& sim, const ProfileSettings& settings);

// Empty when EpochBytes at RateHz epochs a wall-clock second fit a line of Baud (ten bits a
// byte: start, eight data bits, stop); else the figures and the smallest standard baud rate
// that fits.
std::string LineShortfall(std::size_t EpochBytes, double RateHz, std::int32_t Baud);

}  // namespace norvgpssim
