#pragma once
// Framing of one sentence and the walk over the constellations in use. Every generator builds
// its sentences through these two, so the checksum and the talker order live in one place.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/SentenceText.h"

namespace norv {

struct TTalker {
  TSatelliteType Type;
  std::string_view Id;  // "GP", "GL", "BD"
};

// Indexed by the type's ordinal.
inline constexpr std::array<TTalker, 3> kTalkers{{
    {GpsSatellite, "GP"}, {GlonassSatellite, "GL"}, {BeidouSatellite, "BD"}}};
static_assert(kTalkers[GpsSatellite].Type == GpsSatellite &&
              kTalkers[GlonassSatellite].Type == GlonassSatellite &&
              kTalkers[BeidouSatellite].Type == BeidouSatellite);

// A whole sentence at the end of Out: "$", talker, kind, ",", the fields joined by ",", "*",
// the checksum of that sentence alone, CR LF.
void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::span<const std::string_view> Fields);
void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::initializer_list<std::string_view> Fields);
// The same with the fields already joined by ",".
void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::string_view Fields);
// Fields, then one more field for each of MoreFields.
void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::span<const std::string_view> Fields,
                    const std::vector<std::string>& MoreFields);
// A copy of the Length bytes of the sentence at Start, with Talker (of the same length) in
// place of its talker and the checksum that goes with it.
void RepeatSentence(TSentenceText& Out, std::size_t Start, std::size_t Length,
                    std::string_view Talker);

// The sentence of one kind for each constellation in use, when its fields are the same for
// every talker. The first is framed from its fields; each next one copies it with its own
// talker, unless the key its fields come from (the clock reading, in a sentence that carries
// the time) has changed since, in which case it is framed again.
template <class TKey>
class TTalkerSentences {
 public:
  explicit TTalkerSentences(TSentenceText& Out) : FOut(Out) {}

  // Frame() appends exactly one sentence, for Talker and Key.
  template <class F>
  void Append(std::string_view Talker, const TKey& Key, F&& Frame) {
    if (FLength != 0 && Key == FKey && Talker.size() == FTalkerSize) {
      RepeatSentence(FOut, FStart, FLength, Talker);
      return;
    }
    FStart = FOut.size();
    Frame();
    FLength = FOut.size() - FStart;
    FTalkerSize = Talker.size();
    FKey = Key;
  }

 private:
  TSentenceText& FOut;
  std::size_t FStart = 0;
  std::size_t FLength = 0;
  std::size_t FTalkerSize = 0;
  TKey FKey{};
};

// The active satellites in ascending code order, and grouped by constellation in talker order.
// Held in fixed arrays, so building one allocates nothing.
class TConstellations {
 public:
  // From the component's table: one scan of its first TableSize codes.
  TConstellations(const TSatellites& Table, std::int32_t TableSize);
  // From a list of active satellites in ascending code order.
  explicit TConstellations(std::span<TSatellite* const> Active);

  // Calls Emit(talker, activeSatellites) for each constellation, in the order GP, GL, BD, that
  // has at least one active satellite.
  template <class F>
  void ForEach(F&& Emit) const {
    for (std::size_t i = 0; i < kTalkers.size(); ++i)
      if (FCount[i] != 0) Emit(kTalkers[i].Id, OfTalker(i));
  }
  std::span<TSatellite* const> Active() const { return {FActive.data(), FActiveCount}; }
  // Constellations with at least one active satellite.
  std::size_t TalkersInUse() const;

 private:
  static constexpr std::size_t kCapacity = std::tuple_size_v<TSatellites>;
  std::span<TSatellite* const> OfTalker(std::size_t i) const {
    return {FByTalker[i].data(), FCount[i]};
  }
  void Group();

  std::array<TSatellite*, kCapacity> FActive;
  std::array<std::array<TSatellite*, kCapacity>, kTalkers.size()> FByTalker;
  std::size_t FActiveCount = 0;
  std::array<std::size_t, kTalkers.size()> FCount{};
};

}  // namespace norv
