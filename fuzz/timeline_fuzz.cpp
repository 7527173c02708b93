// Fuzzes the CLI's timeline: arbitrary bytes as the [Timeline] of a scenario beside valid
// satellite and waypoint files, loaded, read and checked as a run does before its first epoch.
// A bad timeline must be a CliError with the scenario exit code and a message; a timeline that
// passes must play over a few epochs (events, ramps, fix loss, faults on the sentences) without
// an exception.
#include <optional>

#include "EventPlayer.h"
#include "ExitCodes.h"
#include "FuzzSupport.h"
#include "Profile.h"
#include "Scenario.h"
#include "Timeline.h"

using namespace norv;

namespace {

constexpr int kEpochs = 4;
constexpr double kStepSeconds = 20;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  fuzz::WriteScratchFile("satellites.ini",
                         "[3]\nActive=1\nElevation=40\nAzimuth=10\nSNR=40\nType=GPS\n"
                         "[70]\nActive=1\nElevation=20\nAzimuth=200\nSNR=35\nType=GLONASS\n");
  fuzz::WriteScratchFile("waypoints.ini",
                         "[WP1]\nName=WP1\nLatitude_Degree=54\nLatitude_Minute=30\n"
                         "Latitude_Direction=N\nLongitude_Degree=10\nLongitude_Minute=15\n"
                         "Longitude_Direction=E\n");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const auto scenario = fuzz::WriteScratchFile(
      "scenario.ini", "[Receiver]\nSpeed=10\nFixQuality=1\n[Files]\nSatellites=satellites.ini\n"
                      "WayPoints=waypoints.ini\n[Timeline]\n" + fuzz::AsText(Data, Size));
  TNorvGPSSimulator sim;
  std::optional<norvgpssim::Motion> motion;
  norvgpssim::Timeline timeline;
  try {
    motion.emplace(sim, norvgpssim::LoadScenario(sim, scenario));
    timeline = norvgpssim::ReadTimeline(scenario);
    norvgpssim::CheckTimeline(timeline, scenario);
  } catch (const norvgpssim::CliError& e) {
    if (e.Code() != norvgpssim::kExitScenario || std::string(e.what()).empty())
      fuzz::Finding(std::string("timeline refused with exit code ") + std::to_string(e.Code()) +
                    " and message '" + e.what() + "'");
    return 0;
  }
  // A timeline that passed the check must play: an exception here would end the CLI mid-run.
  try {
    sim.SetUseSystemDateTime(false);
    norvgpssim::ProfileSettings profile;
    norvgpssim::EventPlayer player(timeline, 1, {}, false);
    for (int epoch = 0; epoch < kEpochs; ++epoch) {
      const double t = epoch * kStepSeconds;
      player.Fire(t, 0, sim, *motion, profile);
      player.HoldFix(t, sim, true);
      player.Faults().Apply(norvgpssim::EpochText(sim, profile), t);
      motion->Advance(kStepSeconds);
    }
  } catch (const std::exception& e) {
    fuzz::Finding(std::string("a checked timeline fails while playing: ") + e.what());
  }
  return 0;
}
