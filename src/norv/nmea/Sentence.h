#pragma once
// Framing of one sentence and the walk over the constellations in use. Every generator builds
// its sentences through these two, so the checksum and the talker order live in one place.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "norv/core/TNorvGPSSimulator.h"

namespace norv {

struct TTalker {
  TSatelliteType Type;
  std::string_view Id;  // "GP", "GL", "BD"
};

inline constexpr std::array<TTalker, 3> kTalkers{{
    {GpsSatellite, "GP"}, {GlonassSatellite, "GL"}, {BeidouSatellite, "BD"}}};

std::string_view TalkerOf(TSatelliteType Type);

// Starts a sentence at the end of Out: "$", talker, kind and ",". Returns where it starts.
std::size_t BeginSentence(std::string& Out, std::string_view Talker, std::string_view Kind);
// Closes the sentence begun at Start: "*", the checksum of that sentence alone, CR LF.
void EndSentence(std::string& Out, std::size_t Start);
// A whole sentence from its fields text (the fields already joined by ",").
void AppendSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                    std::string_view Fields);

// Calls Emit(talker, activeSatellites) for each constellation, in the order GP, GL, BD, that
// has at least one active satellite.
class TConstellations {
 public:
  explicit TConstellations(const std::vector<TSatellite*>& Active);
  template <class F>
  void ForEach(F&& Emit) const {
    for (std::size_t i = 0; i < kTalkers.size(); ++i)
      if (!FByType[i].empty()) Emit(kTalkers[i].Id, FByType[i]);
  }

 private:
  std::array<std::vector<TSatellite*>, 3> FByType;
};

}  // namespace norv
