// The scenario's [Sky] section.
#include <array>
#include <sstream>
#include <string>

#include "ExitCodes.h"
#include "MovingSky.h"
#include "norv/framework/IniFile.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

class SkyReader {
 public:
  explicit SkyReader(const std::filesystem::path& file) : FIni(file) {}

  SkySettings Read() const {
    SkySettings s;
    for (const std::string& key : FIni.ReadSection("Sky")) {
      const std::string name = norv::UpperCase(key), text = FIni.ReadString("Sky", key, "");
      if (name == "MODEL") s.orbits = Model(key, text);
      else if (name == "ELEVATIONMASK") s.sky.ElevationMaskDeg = Mask(key, text);
      else if (name == "SYSTEMS") s.sky.Systems = Systems(key, text);
      else if (name == "SEED") s.sky.Seed = Seed(key, text);
      else Fail(key, "unknown key (expected Model, ElevationMask, Systems, Seed)");
    }
    return s;
  }

 private:
  [[noreturn]] void Fail(const std::string& key, const std::string& message) const {
    throw CliError(kExitScenario, FIni.Place("Sky", key) + message);
  }

  bool Model(const std::string& key, const std::string& text) const {
    const std::string name = norv::UpperCase(std::string(norv::Trim(text)));
    if (name != "FIXED" && name != "ORBITS")
      Fail(key, "Model must be fixed or orbits, not '" + norv::Excerpt(text) + "'");
    return name == "ORBITS";
  }

  double Mask(const std::string& key, const std::string& text) const {
    norv::Extended value = 0;
    if (!norv::TryStrToFloat(text, value) || !(value >= 0 && value <= 90))
      Fail(key, "ElevationMask must be between 0 and 90 degrees, not '" + norv::Excerpt(text) + "'");
    return static_cast<double>(value);
  }

  std::array<bool, 3> Systems(const std::string& key, const std::string& text) const {
    std::array<bool, 3> systems{false, false, false};
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
      const std::string name = norv::UpperCase(std::string(norv::Trim(item)));
      if (name == "GPS") systems[norv::GpsSatellite] = true;
      else if (name == "GLONASS") systems[norv::GlonassSatellite] = true;
      else if (name == "BEIDOU") systems[norv::BeidouSatellite] = true;
      else Fail(key, "unknown system '" + norv::Excerpt(item) + "' (expected GPS, GLONASS, BeiDou)");
    }
    if (!systems[0] && !systems[1] && !systems[2]) Fail(key, "Systems needs at least one system");
    return systems;
  }

  std::uint64_t Seed(const std::string& key, const std::string& text) const {
    const std::string digits(norv::Trim(text));
    std::size_t end = 0;
    std::uint64_t value = 0;
    try {
      if (!digits.empty() && digits[0] != '-') value = std::stoull(digits, &end);
    } catch (const std::exception&) {
      end = 0;
    }
    if (end == 0 || end != digits.size())
      Fail(key, "Seed must be a whole number from 0 to 2^64-1, not '" + norv::Excerpt(text) + "'");
    return value;
  }

  norv::TIniFile FIni;
};

}  // namespace

SkySettings LoadSkySettings(const std::optional<std::filesystem::path>& file) {
  if (!file) return {};
  try {
    return SkyReader(*file).Read();
  } catch (const CliError&) {
    throw;
  } catch (const norv::Exception& e) {
    throw CliError(kExitScenario, e.Message());
  }
}

}  // namespace norvgpssim
