// Satellite sentences:
//   GSA  $--GSA,A,3,prn1,...,prn12,pdop,hdop,vdop*hh   one per constellation in use; the twelve
//        slots hold the lowest codes of all constellations together, the rest stay empty
//   GSV  $--GSV,total,number,inView,prn,elev,azim,snr[,prn,elev,azim,snr]x0..3*hh
//        four satellites per sentence, each constellation describing its own satellites
#include <variant>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/DigitText.h"
#include "norv/nmea/Sentence.h"
#include "norv/nmea/SentenceCycle.h"
#include "norv/nmea/SentenceWriter.h"
#include "norv/satellites/Satellite.h"
#include "norv/satellites/SatelliteNumbers.h"

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

// ",total,number,inView", then ",prn,elevation,azimuth,snr" for each of up to four satellites:
// nineteen numbers of at most 20 characters, each with its separator.
constexpr std::size_t kGSVFieldsRoom = (3 + 4 * kSatellitesPerGSV) * 21;

// The GSV group of one constellation; a last sentence with fewer than four satellites simply
// ends early, without empty fields for the missing ones.
void AppendSatellitesInView(TSentenceText& Out, std::string_view Talker,
                            std::span<TSatellite* const> InView) {
  const std::size_t count = InView.size();
  const std::size_t total = (count + kSatellitesPerGSV - 1) / kSatellitesPerGSV;
  for (std::size_t first = 0; first < count; first += kSatellitesPerGSV) {
    TSentenceWriter sentence(Out, Talker, "GSV", kGSVFieldsRoom);
    sentence.WrittenFields([&](char* p) {
      *p++ = ',';
      p = WriteUnsigned(p, total);
      *p++ = ',';
      p = WriteUnsigned(p, first / kSatellitesPerGSV + 1);
      *p++ = ',';
      return WriteUnsigned(p, count);
    });
    // ",prn,elevation,azimuth,snr" of each, as the satellite keeps it.
    for (std::size_t i = first; i < count && i < first + kSatellitesPerGSV; ++i) {
      const TSatellite& s = *InView[i];
      sentence.KeptFields(TSatelliteNumbers::Room(s), TSatelliteNumbers::Text(s).size(),
                          TSatelliteNumbers::Xor(s));
    }
    sentence.Close();
  }
}

}  // namespace

void TNorvGPSSimulator::AppendGPGSA(TSentenceText& Out, TSentenceCycle& Cycle) const {
  const auto slots = Cycle.Field(cfSatelliteSlots, [&] {
    return SatellitesUsedSlots(Cycle.Constellations().Active());
  });
  const auto pdop = Cycle.Decimal(cfPDOP, FPDOP);
  const auto hdop = Cycle.Decimal(cfHDOP, FHDOP);
  const auto vdop = Cycle.Decimal(cfVDOP, FVDOP);
  TTalkerSentences<std::monostate> sentences(Out);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    sentences.Append(talker, {}, [&] {
      AppendSentence(Out, talker, "GSA", {"A", "3", slots, pdop, hdop, vdop});
    });
  });
}

void TNorvGPSSimulator::AppendGPGSV(TSentenceText& Out, TSentenceCycle& Cycle) const {
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
