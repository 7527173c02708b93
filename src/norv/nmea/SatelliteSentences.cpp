// Satellite sentences:
//   GSA  $--GSA,A,3,prn1,...,prn12,pdop,hdop,vdop*hh   one per constellation in use; the twelve
//        slots hold the lowest codes of all constellations together, the rest stay empty
//   GSV  $--GSV,total,number,inView,prn,elev,azim,snr[,prn,elev,azim,snr]x0..3*hh
//        four satellites per sentence, each constellation describing its own satellites
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/DigitText.h"
#include "norv/nmea/Sentence.h"
#include "norv/nmea/SentenceCycle.h"
#include "norv/satellites/Satellite.h"

namespace norv {

namespace {

constexpr std::size_t kSatelliteSlots = 12;
constexpr std::size_t kSatellitesPerGSV = 4;

// "prn" for each of the first twelve satellites, nothing for a slot left empty, joined by ",".
TFieldText SatellitesUsedSlots(std::span<TSatellite* const> Active) {
  TFieldText slots;
  slots.Make([&](char* p) {
    for (std::size_t i = 0; i < kSatelliteSlots; ++i) {
      if (i > 0) *p++ = ',';
      if (i < Active.size()) p = WriteUnsigned(p, Active[i]->PseudoRandomCode());
    }
    return p;
  });
  return slots;
}

// The GSV group of one constellation; a last sentence with fewer than four satellites simply
// ends early, without empty fields for the missing ones.
void AppendSatellitesInView(std::string& Out, std::string_view Talker,
                            std::span<TSatellite* const> InView) {
  const std::size_t count = InView.size();
  const TFieldText total = IntegerText((count + kSatellitesPerGSV - 1) / kSatellitesPerGSV);
  const TFieldText inView = IntegerText(static_cast<std::int64_t>(count));
  for (std::size_t first = 0; first < count; first += kSatellitesPerGSV) {
    const TFieldText number = IntegerText(first / kSatellitesPerGSV + 1);
    // prn,elevation,azimuth,snr of each satellite of this sentence: up to 16 numbers of
    // at most 11 characters each, and their separators.
    char satellites[kSatellitesPerGSV * 4 * 12];
    char* p = satellites;
    for (std::size_t i = first; i < count && i < first + kSatellitesPerGSV; ++i) {
      if (i > first) *p++ = ',';
      p = WriteInteger(p, InView[i]->PseudoRandomCode());
      *p++ = ',';
      p = WriteInteger(p, InView[i]->Elevation());
      *p++ = ',';
      p = WriteInteger(p, InView[i]->Azimuth());
      *p++ = ',';
      p = WriteInteger(p, InView[i]->SignalToNoiseRatio());
    }
    AppendSentence(Out, Talker, "GSV",
                   {total, number, inView, std::string_view(satellites, p - satellites)});
  }
}

}  // namespace

void TNorvGPSSimulator::AppendGPGSA(std::string& Out, TSentenceCycle& Cycle) const {
  const auto slots = Cycle.Field(cfSatelliteSlots, [&] {
    return SatellitesUsedSlots(Cycle.Constellations().Active());
  });
  const auto pdop = Cycle.Decimal(cfPDOP, FPDOP);
  const auto hdop = Cycle.Decimal(cfHDOP, FHDOP);
  const auto vdop = Cycle.Decimal(cfVDOP, FVDOP);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    AppendSentence(Out, talker, "GSA", {"A", "3", slots, pdop, hdop, vdop});
  });
}

void TNorvGPSSimulator::AppendGPGSV(std::string& Out, TSentenceCycle& Cycle) const {
  Cycle.Constellations().ForEach([&](std::string_view talker, auto inView) {
    AppendSatellitesInView(Out, talker, inView);
  });
}

std::string TNorvGPSSimulator::GetGPGSA() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPGSA);
}

std::string TNorvGPSSimulator::GetGPGSV() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPGSV);
}

}  // namespace norv
