#include "norv/satellites/Satellite.h"

#include "norv/core/ENorvNMEAException.h"
#include "norv/framework/DigitText.h"

namespace norv {

void TSatellite::CheckElevation(std::int32_t Value) {
  if (Value < 0 || Value > 90) throw ENorvNMEAException("Elevation must be between 0 and 90.");
}

void TSatellite::CheckAzimuth(std::int32_t Value) {
  if (Value < 0 || Value >= 360) throw ENorvNMEAException("Azimuth must be between 0 and 360.");
}

void TSatellite::CheckSignalToNoiseRatio(std::int32_t Value) {
  if (Value < 0 || Value > 99)
    throw ENorvNMEAException("SignalToNoiseRatio must be between 0 and 99.");
}

void TSatellite::SetAzimuth(std::int32_t Value) {
  CheckAzimuth(Value);
  FAzimuth = Value;
  UpdateNumbersText();
}

void TSatellite::SetElevation(std::int32_t Value) {
  CheckElevation(Value);
  FElevation = Value;
  UpdateNumbersText();
}

void TSatellite::SetSignalToNoiseRatio(std::int32_t Value) {
  CheckSignalToNoiseRatio(Value);
  FSignalToNoiseRatio = Value;
  UpdateNumbersText();
}

void TSatellite::UpdateNumbersText() {
  // The setters keep elevation, azimuth and ratio within two, three and two digits; the code has
  // at most five.
  static_assert(1 + 5 + 1 + 2 + 1 + 3 + 1 + 2 <= kNumbersTextRoom);
  char* const begin = FNumbersText.data();
  char* p = begin;
  for (std::int64_t number : {std::int64_t{FPseudoRandomCode}, std::int64_t{FElevation},
                              std::int64_t{FAzimuth}, std::int64_t{FSignalToNoiseRatio}}) {
    *p++ = ',';
    p = WriteInteger(p, number);
  }
  FNumbersLength = static_cast<std::uint8_t>(p - begin);
  std::uint8_t x = 0;
  for (const char* c = begin; c != p; ++c) x ^= static_cast<std::uint8_t>(*c);
  FNumbersXor = x;
}

}  // namespace norv
