// Fuzzes the CLI's scenario loader: arbitrary bytes as a scenario file beside valid satellite,
// waypoint and route files, loaded into a fresh component; a scenario that loads then runs a few
// epochs as the CLI would (well-formed sentences, then motion), which must not fail. The loader reports a bad scenario as a
// CliError with the scenario exit code and a message.
#include "ExitCodes.h"
#include "FuzzSupport.h"
#include "Motion.h"
#include "Scenario.h"
#include "norv/NorvGPSSimulator.h"

using namespace norv;

namespace {

constexpr int kEpochs = 3;

// Files a scenario may name in [Files].
void WriteCompanionFiles() {
  std::string satellites;
  for (int code : {1, 5, 12, 70, 201})
    satellites += "[" + std::to_string(code) + "]\nActive=1\nElevation=" + std::to_string(code % 90) +
                  "\nAzimuth=" + std::to_string(code) + "\nSNR=40\nType=" +
                  (code < 65 ? "GPS" : code < 201 ? "GLONASS" : "Beidou") + "\n";
  fuzz::WriteScratchFile("satellites.ini", satellites);
  fuzz::WriteScratchFile("waypoints.ini",
                         "[WP1]\nName=WP1\nLatitude_Degree=54\nLatitude_Minute=30\n"
                         "Latitude_Second=1.5\nLatitude_Direction=N\nLongitude_Degree=10\n"
                         "Longitude_Minute=15\nLongitude_Second=0\nLongitude_Direction=E\n"
                         "[WP2]\nName=WP2\nLatitude_Degree=54\nLatitude_Minute=31\n"
                         "Latitude_Direction=N\nLongitude_Degree=10\nLongitude_Minute=16\n"
                         "Longitude_Direction=E\n");
  fuzz::WriteScratchFile("route.ini", "[Route]\nName=R1\n[WP1]\nName=WP1\n[WP2]\nName=WP2\n");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  WriteCompanionFiles();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const auto input = fuzz::WriteScratchFile("scenario.ini", fuzz::AsText(Data, Size));
  TNorvGPSSimulator sim;
  norvgpssim::MotionSettings settings;
  bool loaded = false;
  fuzz::LoadsOrRefuses("LoadScenarioFile", [&] {
    try {
      settings = norvgpssim::LoadScenarioFile(sim, input);
      loaded = true;
    } catch (const norvgpssim::CliError& e) {
      if (e.Code() != norvgpssim::kExitScenario || std::string(e.what()).empty())
        fuzz::Finding(std::string("scenario refused with exit code ") + std::to_string(e.Code()) +
                      " and message '" + e.what() + "'");
    }
  });
  if (!loaded) return 0;
  sim.SetUseSystemDateTime(false);
  norvgpssim::Motion motion(sim, settings);
  // A scenario that loads must run: an exception here would end the CLI mid-run.
  for (int epoch = 0; epoch < kEpochs; ++epoch) {
    fuzz::CheckSentences("loaded scenario", sim);
    try {
      motion.Advance(1.0);
    } catch (const std::exception& e) {
      fuzz::Finding(std::string("a loaded scenario fails while running: ") + e.what());
    }
  }
  return 0;
}
