#pragma once
// TSatelliteNumbers: the text a satellite keeps of its numbers, for the sentence builders and
// the component's table.
// Internal: not included by the public headers.
#include <array>
#include <cstdint>
#include <string_view>

#include "norv/satellites/Satellite.h"

namespace norv {

struct TSatelliteNumbers {
  static constexpr std::size_t kRoom = TSatellite::kNumbersTextRoom;

  // ",prn,elevation,azimuth,snr" in decimal, as the satellites-in-view sentence lists them.
  static std::string_view Text(const TSatellite& S) {
    return {S.FNumbersText.data(), S.FNumbersLength};
  }
  // The room the text sits at the start of, to be copied whole.
  static const std::array<char, kRoom>& Room(const TSatellite& S) { return S.FNumbersText; }
  // The XOR of the text's bytes: its share of a sentence checksum.
  static std::uint8_t Xor(const TSatellite& S) { return S.FNumbersXor; }

  // Sets elevation, azimuth and ratio that the caller has already checked, making the text once
  // instead of once per value.
  static void SetChecked(TSatellite& S, std::int32_t Elevation, std::int32_t Azimuth,
                         std::int32_t SignalToNoiseRatio) {
    S.SetCheckedNumbers(Elevation, Azimuth, SignalToNoiseRatio);
  }
};

}  // namespace norv
