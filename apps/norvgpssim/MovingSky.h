#pragma once
// The scenario's [Sky] section and the applier that moves the component's satellites along
// their orbits, epoch by epoch, through the component's public setters.
#include <filesystem>
#include <optional>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/orbits/Sky.h"

namespace norvgpssim {

// [Sky] Model=fixed|orbits, ElevationMask=<degrees, 0-90>, Systems=GPS,GLONASS,BeiDou, Seed=<n>.
// Fixed (the default, and the choice of a scenario without [Sky]): the satellites stay as
// the scenario set them.
struct SkySettings {
  bool orbits = false;
  norv::orbits::TSkySettings sky;
};

// Reads [Sky] of the scenario file; the built-in scenario (no file) has a fixed sky. Raises
// CliError (bad scenario) with "<file>:<line>: [Sky] <key>: <message>".
SkySettings LoadSkySettings(const std::optional<std::filesystem::path>& file);

// The receiver's place for the orbits: its latitude, longitude, and altitude plus geoid
// height as the height above the ellipsoid.
norv::orbits::TGeodetic ReceiverPlace(const norv::TNorvGPSSimulator& sim);

// Drives the component from the orbits. The satellites used (at most twelve of each system,
// the highest first) are the active ones, at their rounded elevation and azimuth; all others
// are inactive. The component's GSA lists the twelve lowest active codes, so the DOPs handed
// to it are those of exactly these satellites at the angles its GSV shows: its sentences agree
// with one another. Fewer than four, or no position from them: fix quality 0 and every DOP at
// 99.9, the largest the DOP setters accept (they refuse 100 and above); otherwise the
// scenario's fix quality (1 if it had none) and each DOP capped at 99.9 likewise.
class MovingSky {
 public:
  MovingSky(norv::TNorvGPSSimulator& sim, const norv::orbits::TSkySettings& settings);
  // Sets the satellites, DOPs and fix quality for Utc at the receiver's present position.
  void Apply(norv::TDateTime utc);

 private:
  norv::TNorvGPSSimulator& FSim;
  norv::orbits::TSkyModel FModel;
  std::int32_t FFixQuality;
};

}  // namespace norvgpssim
