#pragma once
// TNmea4Builder: what the 4.11 profile's generators share for one epoch (the fix it reports,
// the satellites each system numbers, the clock reading) and the length-checked framing of each
// sentence. Internal to nmea/.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "norv/framework/DateTime.h"
#include "norv/nmea/FieldText.h"
#include "norv/nmea/Nmea4Epoch.h"
#include "norv/nmea/Nmea4Systems.h"
#include "norv/nmea/ReceiverView.h"
#include "norv/nmea/SentenceText.h"
#include "norv/satellites/SatelliteTable.h"

namespace norv {

// An active satellite with the number its system gives it.
struct TNumberedSatellite {
  std::uint8_t Number;
  const TSatellite* Satellite;
};

class TNmea4Builder {
 public:
  // GSA lists at most this many used satellites of a system.
  static constexpr std::size_t kUsedSlots = 12;

  // Raises ENorvNMEAException unless Talker is two capital letters.
  TNmea4Builder(const TReceiverView& View, std::string_view Talker);

  const TReceiverView& View() const { return FView; }
  const TReceiverState& State() const { return FView.State; }
  // The talker of every sentence but GSV.
  std::string_view Talker() const { return FTalker; }
  // The fix quality reported: the state's 1 to 8 while a satellite is active, else 0 (no fix).
  std::int32_t Quality() const { return FQuality; }
  bool HasFix() const { return FQuality != 0; }
  // The epoch's one clock reading, shared by every sentence.
  const TDateTimeParts& Clock() const { return FClock; }
  // The active satellites of a system that it can number, in ascending code order.
  std::span<const TNumberedSatellite> InView(TSatelliteType Type) const {
    return {FInView[Type].data(), FInViewCount[Type]};
  }
  // Satellites used in the fix: at most kUsedSlots of each system, none without a fix.
  std::size_t UsedCount() const;

  // "$", Talker, Kind, the fields, checksum, CR LF.
  void Append(std::string_view Talker, std::string_view Kind,
              std::span<const std::string_view> Fields);
  void Append(std::string_view Kind, std::initializer_list<std::string_view> Fields) {
    Append(FTalker, Kind, std::span(Fields.begin(), Fields.size()));
  }
  // As Append, but while the sentence would be longer than the limit the fields at the
  // positions Optional lists are sent empty, in that order (a value too long to fit is
  // reported as not available, never cut).
  void AppendFitted(std::string_view Kind, std::span<std::string_view> Fields,
                    std::initializer_list<std::size_t> Optional);
  // For a sentence framed directly into Out(): marks its start, then checks its length.
  TSentenceText& Out() { return FOut; }
  void Check(std::size_t Start) const;

  TNmea4Epoch Finish() &&;

 private:
  const TReceiverView FView;
  const std::string_view FTalker;
  TDateTimeParts FClock;
  // Fixed arrays, as many as the table has records: building an epoch allocates only its text.
  std::array<std::array<TNumberedSatellite, TSatelliteTable::kTotalSatellitesCount>,
             kNmea4Systems.size()>
      FInView;
  std::array<std::size_t, kNmea4Systems.size()> FInViewCount{};
  std::int32_t FQuality = 0;
  TSentenceText FOut;
};

// Text, or an empty field when Present is false.
inline std::string_view When(bool Present, std::string_view Text) {
  return Present ? Text : std::string_view{};
}

// The length of a sentence of these fields, from "$" to CR LF.
std::size_t SentenceLength(std::string_view Talker, std::string_view Kind,
                           std::span<const std::string_view> Fields);

// The generators of the profile, each appending its sentences of the epoch.
void AppendNmea4GGA(TNmea4Builder& Epoch);
void AppendNmea4GLL(TNmea4Builder& Epoch);
void AppendNmea4RMC(TNmea4Builder& Epoch);
void AppendNmea4VTG(TNmea4Builder& Epoch);
void AppendNmea4ZDA(TNmea4Builder& Epoch);
void AppendNmea4GSA(TNmea4Builder& Epoch);
void AppendNmea4GSV(TNmea4Builder& Epoch);
void AppendNmea4WPL(TNmea4Builder& Epoch);
void AppendNmea4RTE(TNmea4Builder& Epoch);
void AppendNmea4AAM(TNmea4Builder& Epoch);

}  // namespace norv
