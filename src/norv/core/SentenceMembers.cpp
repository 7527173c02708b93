// The sentence members of TNorvGPSSimulator: each is a sentence function of nmea/ over a view
// of the component, or a field text of its state.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/nmea/FieldText.h"
#include "norv/nmea/Sentences.h"

namespace norv {

TReceiverView TNorvGPSSimulator::View() const {
  return {FState, FSatelliteTable, FWayPoints, FRoutes};
}

std::string TNorvGPSSimulator::GetGPGGA() const { return SentencesOfKind(View(), GPGGA); }
std::string TNorvGPSSimulator::GetGPGLL() const { return SentencesOfKind(View(), GPGLL); }
std::string TNorvGPSSimulator::GetGPRMC() const { return SentencesOfKind(View(), GPRMC); }
std::string TNorvGPSSimulator::GetGPVTG() const { return SentencesOfKind(View(), GPVTG); }
std::string TNorvGPSSimulator::GetGPZDA() const { return SentencesOfKind(View(), GPZDA); }
std::string TNorvGPSSimulator::GetGPGSA() const { return SentencesOfKind(View(), GPGSA); }
std::string TNorvGPSSimulator::GetGPGSV() const { return SentencesOfKind(View(), GPGSV); }
std::string TNorvGPSSimulator::GetGPWPL() const { return SentencesOfKind(View(), GPWPL); }
std::string TNorvGPSSimulator::GetGPRTE() const { return SentencesOfKind(View(), GPRTE); }
std::string TNorvGPSSimulator::GetGPAAM() const { return SentencesOfKind(View(), GPAAM); }
std::string TNorvGPSSimulator::GetNMEA() const { return NMEASentences(View(), FState.Commands); }

std::string TNorvGPSSimulator::GetLatitudeStr() const {
  const TDMSAngle& a = FState.Position.Latitude;
  return std::string(LatitudeText(a.Degree, a.Minute, a.Second, a.Direction));
}

std::string TNorvGPSSimulator::GetLongitudeStr() const {
  const TDMSAngle& a = FState.Position.Longitude;
  return std::string(LongitudeText(a.Degree, a.Minute, a.Second, a.Direction));
}

std::string TNorvGPSSimulator::GetUTCDateStr() const {
  return std::string(UTCDateText(GetUTCDateTime()));
}

std::string TNorvGPSSimulator::GetCommaSeparatedUTCDateStr() const {
  return std::string(CommaSeparatedUTCDateText(GetUTCDateTime()));
}

std::string TNorvGPSSimulator::GetUTCTimeStr() const {
  return std::string(UTCTimeText(GetUTCDateTime()));
}

std::string TNorvGPSSimulator::GetMagneticVariationDirectionStr() const {
  return std::string(VariationSideText(FState.Magnetic_Variation_Direction));
}

}  // namespace norv
