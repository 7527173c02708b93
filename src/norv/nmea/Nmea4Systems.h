#pragma once
// The satellite systems of the 4.11 output profile: talker, system ID, signal ID and the number
// each system gives a satellite in GSA and GSV.
//
// Sources: the NMEA 0183 4.11 tables of system IDs (1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou,
// 5 QZSS, 6 NavIC), of signal IDs (1 for GPS L1 C/A, GLONASS L1 C/A and BeiDou B1I) and of
// satellite numbers per system (GPS 1-32 and its augmentation range 33-64, GLONASS 65-96 as
// slot + 64, BeiDou 1-63 as its own PRN under the GB talker), as receiver interface manuals
// commonly reproduce them.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "norv/model/NorvTypes.h"

namespace norv {

struct TNmea4System {
  TSatelliteType Type;
  std::string_view Talker;   // of its GSV sentences
  std::uint8_t SystemId;     // the last field of GSA
  std::uint8_t SignalId;     // the last field of GSV: the L1 signal the receiver tracks
};

// Indexed by the type's ordinal; GSA and GSV go out in this order.
inline constexpr std::array<TNmea4System, 3> kNmea4Systems{{
    {GpsSatellite, "GP", 1, 1}, {GlonassSatellite, "GL", 2, 1}, {BeidouSatellite, "GB", 4, 1}}};
static_assert(kNmea4Systems[GpsSatellite].Type == GpsSatellite &&
              kNmea4Systems[GlonassSatellite].Type == GlonassSatellite &&
              kNmea4Systems[BeidouSatellite].Type == BeidouSatellite);

// The number Type gives the component's code: GPS 1-64 as they are; GLONASS 65-96 as they are
// and a bare slot 1-32 as slot + 64; BeiDou 201-263 (the component's codes) as code - 200 and
// 1-63 as they are. None for a code outside its system's numbers: such a satellite is left out
// of GSA and GSV, where any number would name another satellite.
constexpr std::optional<std::uint8_t> Nmea4SatelliteNumber(TSatelliteType Type,
                                                           std::uint16_t Code) {
  const auto n = [](int v) { return std::optional<std::uint8_t>(static_cast<std::uint8_t>(v)); };
  switch (Type) {
    case GpsSatellite:
      if (Code >= 1 && Code <= 64) return n(Code);
      break;
    case GlonassSatellite:
      if (Code >= 65 && Code <= 96) return n(Code);
      if (Code >= 1 && Code <= 32) return n(Code + 64);
      break;
    case BeidouSatellite:
      if (Code >= 201 && Code <= 263) return n(Code - 200);
      if (Code >= 1 && Code <= 63) return n(Code);
      break;
  }
  return std::nullopt;
}

}  // namespace norv
