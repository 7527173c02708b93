// The satellite sentences of the 4.11 profile:
//   GSA  $xxGSA,A,fix,n1,...,n12,pdop,hdop,vdop,system*hh   once per system in use, under its
//        own talker (readers that take a third GNGSA for a repeat still credit it), listing
//        that system's used satellites (fix 1, none listed, without a fix)
//   GSV  $xxGSV,total,number,inView,n,elev,azim,snr[,n,elev,azim,snr]x0..3,signal*hh
//        per system under its own talker (GP, GL, GB), four satellites per sentence
// Satellite numbers are those each system gives (Nmea4Systems.h). With no satellite in view the
// receiver still reports GPS: a GSA of fix 1 and a GSV of none.
#include <array>

#include "norv/nmea/Nmea4Builder.h"
#include "norv/nmea/SentenceWriter.h"
#include "norv/satellites/Satellite.h"

namespace norv {

namespace {

constexpr std::size_t kSatellitesPerGSV = 4;
// ",total,number,inView", four satellites of four numbers and the signal ID, each a number of
// at most 20 characters with its separator.
constexpr std::size_t kGSVFieldsRoom = (3 + 4 * kSatellitesPerGSV + 1) * 21;

// The systems to report: those with a satellite in view, or GPS alone when there is none.
template <class F>
void ForEachSystem(const TNmea4Builder& Epoch, F&& Report) {
  bool any = false;
  for (const TNmea4System& system : kNmea4Systems)
    if (!Epoch.InView(system.Type).empty()) {
      Report(system);
      any = true;
    }
  if (!any) Report(kNmea4Systems[GpsSatellite]);
}

void AppendGSAOf(TNmea4Builder& Epoch, const TNmea4System& System) {
  const auto inView = Epoch.InView(System.Type);
  const std::size_t used =
      Epoch.HasFix() ? std::min(inView.size(), TNmea4Builder::kUsedSlots) : 0;
  std::array<TFieldText, TNmea4Builder::kUsedSlots> numbers;
  for (std::size_t i = 0; i < used; ++i) numbers[i] = IntegerText(inView[i].Number);
  const TReceiverState& s = Epoch.State();
  const bool f = Epoch.HasFix();
  const TFieldText pdop = DecimalText(s.PDOP), hdop = DecimalText(s.HDOP),
                   vdop = DecimalText(s.VDOP), system = IntegerText(System.SystemId);
  std::array<std::string_view, 2 + TNmea4Builder::kUsedSlots + 4> fields;
  fields[0] = "A";
  fields[1] = f ? "3" : "1";
  for (std::size_t i = 0; i < TNmea4Builder::kUsedSlots; ++i) fields[2 + i] = numbers[i];
  fields[14] = When(f, pdop);
  fields[15] = When(f, hdop);
  fields[16] = When(f, vdop);
  fields[17] = system;
  Epoch.Append(System.Talker, "GSA", fields);
}

void AppendGSVOf(TNmea4Builder& Epoch, const TNmea4System& System) {
  const auto inView = Epoch.InView(System.Type);
  const std::size_t count = inView.size();
  const std::size_t total = count == 0 ? 1 : (count + kSatellitesPerGSV - 1) / kSatellitesPerGSV;
  for (std::size_t k = 0; k < total; ++k) {
    const std::size_t start = Epoch.Out().size();
    TSentenceWriter sentence(Epoch.Out(), System.Talker, "GSV", kGSVFieldsRoom);
    sentence.NumberFields([&](TSentenceWriter::TNumberFields& fields) {
      fields.Field(static_cast<std::int64_t>(total));
      fields.Field(static_cast<std::int64_t>(k + 1));
      fields.Field(static_cast<std::int64_t>(count));
      const std::size_t first = k * kSatellitesPerGSV;
      for (std::size_t i = first; i < count && i < first + kSatellitesPerGSV; ++i) {
        const TSatellite& s = *inView[i].Satellite;
        fields.Field(inView[i].Number);
        fields.Field(s.Elevation());
        fields.Field(s.Azimuth());
        fields.Field(s.SignalToNoiseRatio());
      }
      fields.Field(System.SignalId);
    });
    sentence.Close();
    Epoch.Check(start);
  }
}

}  // namespace

void AppendNmea4GSA(TNmea4Builder& Epoch) {
  ForEachSystem(Epoch, [&](const TNmea4System& system) { AppendGSAOf(Epoch, system); });
}

void AppendNmea4GSV(TNmea4Builder& Epoch) {
  ForEachSystem(Epoch, [&](const TNmea4System& system) { AppendGSVOf(Epoch, system); });
}

}  // namespace norv
