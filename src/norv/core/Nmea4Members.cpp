// The 4.11 profile's member of TNorvGPSSimulator: the profile's sentences over a view of the
// component.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/Nmea4Sentences.h"

namespace norv {

TNmea4Epoch TNorvGPSSimulator::GetNMEA4(std::string_view Talker) const {
  return Nmea4Sentences(View(), FState.Commands, Talker);
}

}  // namespace norv
