#include "Profile.h"

#include <array>
#include <cmath>
#include <sstream>

#include "ExitCodes.h"
#include "Options.h"
#include "norv/framework/IniFile.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

constexpr double kBitsPerByte = 10;
constexpr std::array<std::int32_t, 10> kStandardBauds{4800,   9600,   19200,  38400,  57600,
                                                      115200, 230400, 460800, 921600, 1000000};

}  // namespace

std::optional<OutputProfile> ParseProfile(const std::string& text) {
  const std::string name = norv::UpperCase(text);
  if (name == "CLASSIC") return OutputProfile::Classic;
  if (name == "NMEA4") return OutputProfile::Nmea4;
  return std::nullopt;
}

bool IsTalker(const std::string& text) {
  return text.size() == 2 && text[0] >= 'A' && text[0] <= 'Z' && text[1] >= 'A' && text[1] <= 'Z';
}

void ReadOutputSection(const std::filesystem::path& scenario, ProfileSettings& Settings) {
  const norv::TIniFile ini(scenario);
  for (const std::string& key : ini.ReadSection("Output")) {
    const std::string name = norv::UpperCase(key), text = ini.ReadString("Output", key, "");
    if (name == "PROFILE") {
      const auto profile = ParseProfile(text);
      if (!profile)
        throw CliError(kExitScenario, ini.Place("Output", key) + "Profile must be classic or "
                                          "nmea4, not '" + norv::Excerpt(text) + "'");
      Settings.profile = *profile;
    } else if (name == "TALKER") {
      if (!IsTalker(text))
        throw CliError(kExitScenario, ini.Place("Output", key) +
                                          "Talker must be two capital letters, not '" +
                                          norv::Excerpt(text) + "'");
      Settings.talker = text;
    } else {
      throw CliError(kExitScenario,
                     ini.Place("Output", key) + "unknown key (expected Profile, Talker)");
    }
  }
}

ProfileSettings ChooseProfile(const RunOptions& options) {
  ProfileSettings settings;
  if (options.scenario) ReadOutputSection(*options.scenario, settings);
  if (options.profile) settings.profile = *options.profile;
  if (options.talker) {
    if (settings.profile == OutputProfile::Classic)
      throw CliError(kExitUsage, "--talker applies to --profile nmea4 only");
    settings.talker = *options.talker;
  }
  return settings;
}

std::string EpochText(const norv::TNorvGPSSimulator& sim, const ProfileSettings& settings) {
  if (settings.profile == OutputProfile::Nmea4) return sim.GetNMEA4(settings.talker).Text();
  return sim.GetNMEA();
}

std::string LineShortfall(std::size_t EpochBytes, double RateHz, std::int32_t Baud) {
  const double needed = static_cast<double>(EpochBytes) * kBitsPerByte * RateHz;
  if (needed <= Baud) return {};
  std::ostringstream text;
  text << "an epoch is " << EpochBytes << " bytes; at " << RateHz << " epochs a second that is "
       << std::ceil(needed) << " baud, but " << Baud << " baud carries "
       << std::floor(Baud / kBitsPerByte / RateHz) << " bytes an epoch: ";
  for (std::int32_t b : kStandardBauds)
    if (b >= needed) return text.str() + "use --baud " + std::to_string(b) + " or more";
  return text.str() + "no standard baud rate fits; lower --rate or choose fewer --commands";
}

}  // namespace norvgpssim
