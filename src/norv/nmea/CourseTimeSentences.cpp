// Course and time sentences, one per constellation in use:
//   VTG  $--VTG,true,T,magnetic,M,knots,N,kmh,K,A*hh
//   ZDA  $--ZDA,hhmmss.sss,dd,mm,yyyy,00,00*hh
#include "norv/nmea/Generators.h"

namespace norv {

void AppendVTG(TEpoch& Epoch) {
  // The true course keeps every digit of the heading; the km/h field converts the knots
  // exactly as the knots field shows them, so the two speeds always agree with each other.
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    Epoch.AppendSentence(talker, {"VTG"}, [&] {
      AppendSentence(Epoch.Out(), talker, "VTG",
                     {Epoch.TrueCourse(), "T", Epoch.MagneticHeading(), "M", Epoch.Speed(), "N",
                      Epoch.SpeedKmh(), "K", "A"});
    });
  });
}

void AppendZDA(TEpoch& Epoch) {
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    // The time and the date each read the clock.
    const TDateTime time = UTCNow(Epoch.State());
    const TDateTime date = UTCNow(Epoch.State());
    // Local zone hours and minutes are 00,00: the sentence always reports UTC.
    Epoch.AppendSentence(talker, {"ZDA", time, date}, [&] {
      AppendSentence(Epoch.Out(), talker, "ZDA",
                     {Epoch.UTCTime(time), Epoch.CommaSeparatedUTCDate(date), "00", "00"});
    });
  });
}

}  // namespace norv
