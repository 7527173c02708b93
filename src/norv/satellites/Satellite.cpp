#include "norv/satellites/Satellite.h"

#include "norv/model/ENorvNMEAException.h"
#include "norv/framework/DigitText.h"
#include "norv/nmea/FieldFormat.h"

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

void TSatellite::SetCheckedNumbers(std::int32_t Elevation, std::int32_t Azimuth,
                                   std::int32_t SignalToNoiseRatio) {
  FElevation = Elevation;
  FAzimuth = Azimuth;
  FSignalToNoiseRatio = SignalToNoiseRatio;
  UpdateNumbersText();
}

void TSatellite::UpdateNumbersText() {
  // The setters keep elevation, azimuth and ratio within two, three and two digits; the code has
  // at most five.
  static_assert(1 + 5 + 1 + 2 + 1 + 3 + 1 + 2 <= kNumbersTextRoom);
  std::array<char, kNumbersTextRoom> text{};
  char* p = text.data();
  *p++ = ',';
  p = WriteUnsigned(p, FPseudoRandomCode);
  for (std::int32_t number : {FElevation, FAzimuth, FSignalToNoiseRatio}) {
    *p++ = ',';
    p = WriteInteger(p, number);
  }
  FNumbersText = text;
  FNumbersLength = static_cast<std::uint8_t>(p - text.data());
  FNumbersXor = XorOfBytes({text.data(), FNumbersLength});
}

}  // namespace norv
