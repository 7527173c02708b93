#pragma once
// TSatelliteNumbers: the text a satellite keeps of its numbers, for the sentence builders.
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
};

}  // namespace norv
