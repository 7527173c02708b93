// Satellite sentences:
//   GSA  $--GSA,A,3,prn1,...,prn12,pdop,hdop,vdop*hh   one per constellation in use; the twelve
//        slots hold the lowest codes of all constellations together, the rest stay empty
//   GSV  $--GSV,total,number,inView,prn,elev,azim,snr[,prn,elev,azim,snr]x0..3*hh
//        four satellites per sentence, each constellation describing its own satellites
#include "norv/nmea/Generators.h"
#include "norv/nmea/SentenceWriter.h"

namespace norv {

namespace {

constexpr std::size_t kSatellitesPerGSV = 4;

// ",total,number,inView", then ",prn,elevation,azimuth,snr" for each of up to four satellites:
// nineteen numbers of at most 20 characters, each with its separator.
constexpr std::size_t kGSVFieldsRoom = (3 + 4 * kSatellitesPerGSV) * 21;

// The GSV group of one constellation; a last sentence with fewer than four satellites simply
// ends early, without empty fields for the missing ones.
void AppendSatellitesInView(TSentenceText& Out, std::string_view Talker,
                            std::span<const TSatellite* const> InView) {
  const std::size_t count = InView.size();
  const std::size_t total = (count + kSatellitesPerGSV - 1) / kSatellitesPerGSV;
  for (std::size_t first = 0; first < count; first += kSatellitesPerGSV) {
    TSentenceWriter sentence(Out, Talker, "GSV", kGSVFieldsRoom);
    sentence.NumberFields([&](TSentenceWriter::TNumberFields& fields) {
      fields.Field(static_cast<std::int64_t>(total));
      fields.Field(static_cast<std::int64_t>(first / kSatellitesPerGSV + 1));
      fields.Field(static_cast<std::int64_t>(count));
      for (std::size_t i = first; i < count && i < first + kSatellitesPerGSV; ++i) {
        const TSatellite& s = *InView[i];
        fields.Field(s.PseudoRandomCode());
        fields.Field(s.Elevation());
        fields.Field(s.Azimuth());
        fields.Field(s.SignalToNoiseRatio());
      }
    });
    sentence.Close();
  }
}

}  // namespace

void AppendGSA(TEpoch& Epoch) {
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    Epoch.AppendSentence(talker, {"GSA"}, [&] {
      AppendSentence(Epoch.Out(), talker, "GSA",
                     {"A", "3", Epoch.SatelliteSlots(), Epoch.PDOP(), Epoch.HDOP(), Epoch.VDOP()});
    });
  });
}

void AppendGSV(TEpoch& Epoch) {
  Epoch.Constellations().ForEach([&](std::string_view talker, auto inView) {
    AppendSatellitesInView(Epoch.Out(), talker, inView);
  });
}

}  // namespace norv
