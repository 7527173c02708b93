#include "norv/nmea/SentenceCycle.h"

namespace norv {

namespace {

// A sentence of fixed fields stays well below this (82 bytes in the standard); the decimal
// fields of extreme values may take more, which costs one more allocation, never bytes.
constexpr std::size_t kSentenceRoom = 96;
constexpr std::size_t kFixedKinds = 6;  // ZDA GGA GLL VTG RMC GSA
constexpr std::size_t kGSVRoomPerSatellite = 20;

}  // namespace

std::size_t TSentenceCycle::ExpectedSize() const {
  return FConstellations.TalkersInUse() * kFixedKinds * kSentenceRoom +
         FConstellations.Active().size() * kGSVRoomPerSatellite;
}

}  // namespace norv
