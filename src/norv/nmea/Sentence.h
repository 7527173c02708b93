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

#include "norv/nmea/SentenceText.h"
#include "norv/satellites/SatelliteTable.h"

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

// The active satellites in ascending code order, and grouped by constellation in talker order.
// Held in fixed arrays, so building one allocates nothing.
class TConstellations {
 public:
  // From the table: one scan of its records.
  explicit TConstellations(const TSatelliteTable& Table);
  // From a list of active satellites in ascending code order.
  explicit TConstellations(std::span<TSatellite* const> Active);

  // Calls Emit(talker, activeSatellites) for each constellation, in the order GP, GL, BD, that
  // has at least one active satellite.
  template <class F>
  void ForEach(F&& Emit) const {
    for (std::size_t i = 0; i < kTalkers.size(); ++i)
      if (FCount[i] != 0) Emit(kTalkers[i].Id, OfTalker(i));
  }
  std::span<const TSatellite* const> Active() const { return {FActive.data(), FActiveCount}; }
  // Constellations with at least one active satellite.
  std::size_t TalkersInUse() const;

 private:
  static constexpr std::size_t kCapacity = TSatelliteTable::kTotalSatellitesCount;
  std::span<const TSatellite* const> OfTalker(std::size_t i) const {
    return {FByTalker[i].data(), FCount[i]};
  }
  void Group();

  std::array<const TSatellite*, kCapacity> FActive;
  std::array<std::array<const TSatellite*, kCapacity>, kTalkers.size()> FByTalker;
  std::size_t FActiveCount = 0;
  std::array<std::size_t, kTalkers.size()> FCount{};
};

}  // namespace norv
