// Satellite sentences:
//   GSA  $--GSA,A,3,prn1,...,prn12,pdop,hdop,vdop*hh   one per constellation in use; the twelve
//        slots hold the lowest codes of all constellations together, the rest stay empty
//   GSV  $--GSV,total,number,inView,prn,elev,azim,snr[,prn,elev,azim,snr]x0..3*hh
//        four satellites per sentence, each constellation describing its own satellites
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/SysUtils.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Sentence.h"
#include "norv/satellites/Satellite.h"

namespace norv {

namespace {

constexpr std::size_t kSatelliteSlots = 12;
constexpr std::size_t kSatellitesPerGSV = 4;

// "prn," for each of the first twelve satellites, "," for each slot left empty.
std::string SatellitesUsedSlots(const std::vector<TSatellite*>& Active) {
  std::string slots;
  for (std::size_t i = 0; i < kSatelliteSlots; ++i) {
    if (i < Active.size()) slots += IntToStr(Active[i]->PseudoRandomCode());
    slots += ',';
  }
  return slots;
}

void AppendSatelliteInView(std::string& Out, const TSatellite& Satellite) {
  Out += IntToStr(Satellite.PseudoRandomCode()) + ',';
  Out += IntToStr(Satellite.Elevation()) + ',';
  Out += IntToStr(Satellite.Azimuth()) + ',';
  Out += IntToStr(Satellite.SignalToNoiseRatio());
}

// The GSV group of one constellation; a last sentence with fewer than four satellites simply
// ends early, without empty fields for the missing ones.
void AppendSatellitesInView(std::string& Out, const std::vector<TSatellite*>& InView) {
  const std::size_t count = InView.size();
  const std::string total = IntToStr((count + kSatellitesPerGSV - 1) / kSatellitesPerGSV);
  const std::string inView = IntToStr(count);
  std::size_t start = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const TSatellite& satellite = *InView[i];
    if (i % kSatellitesPerGSV == 0) {
      start = BeginSentence(Out, TalkerOf(satellite.SatelliteType()), "GSV");
      Out += total + ',' + IntToStr(i / kSatellitesPerGSV + 1) + ',' + inView + ',';
    }
    AppendSatelliteInView(Out, satellite);
    if (i % kSatellitesPerGSV == kSatellitesPerGSV - 1 || i == count - 1)
      EndSentence(Out, start);
    else
      Out += ',';
  }
}

}  // namespace

std::string TNorvGPSSimulator::GetGPGSA() const {
  const auto active = GetActiveSatellitesList();
  const std::string fields = "A,3," + SatellitesUsedSlots(active) + DecimalField(FPDOP) + ',' +
                             DecimalField(FHDOP) + ',' + DecimalField(FVDOP);
  std::string out;
  TConstellations(active).ForEach(
      [&](std::string_view talker, const auto&) { AppendSentence(out, talker, "GSA", fields); });
  return out;
}

std::string TNorvGPSSimulator::GetGPGSV() const {
  std::string out;
  TConstellations(GetActiveSatellitesList())
      .ForEach([&](std::string_view, const std::vector<TSatellite*>& inView) {
        AppendSatellitesInView(out, inView);
      });
  return out;
}

}  // namespace norv
