// Position fix sentences, one per constellation in use:
//   GGA  $--GGA,hhmmss.sss,ddmm.mmmmmm,N,dddmm.mmmmmm,E,fix,used,hdop,alt,M,geoid,M,,*hh
//   GLL  $--GLL,ddmm.mmmmmm,N,dddmm.mmmmmm,E,hhmmss.sss,status*hh
//   RMC  $--RMC,hhmmss.sss,status,ddmm.mmmmmm,N,dddmm.mmmmmm,E,knots,course,ddmmyy,var,E|W,A*hh
#include "norv/nmea/Generators.h"

namespace norv {

namespace {

// "A" (valid) for any fix quality but 0, which means no fix: "V".
std::string_view StatusLetter(std::int32_t FixQuality) { return FixQuality != 0 ? "A" : "V"; }

}  // namespace

void AppendGGA(TEpoch& Epoch) {
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    const TDateTime now = UTCNow(Epoch.State());
    Epoch.AppendSentence(talker, {"GGA", now}, [&] {
      AppendSentence(Epoch.Out(), talker, "GGA",
                     {Epoch.UTCTime(now), Epoch.Latitude(), Epoch.Longitude(), Epoch.FixQuality(),
                      Epoch.SatellitesUsed(), Epoch.HDOP(), Epoch.Altitude(), "M",
                      Epoch.GeoHeight(), "M", "", ""});
    });
  });
}

void AppendGLL(TEpoch& Epoch) {
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    const TDateTime now = UTCNow(Epoch.State());
    Epoch.AppendSentence(talker, {"GLL", now}, [&] {
      AppendSentence(Epoch.Out(), talker, "GLL",
                     {Epoch.Latitude(), Epoch.Longitude(), Epoch.UTCTime(now),
                      StatusLetter(Epoch.State().FixQuality)});
    });
  });
}

void AppendRMC(TEpoch& Epoch) {
  const std::string_view side = VariationSideText(Epoch.State().Magnetic_Variation_Direction);
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    // The time and the date each read the clock.
    const TDateTime time = UTCNow(Epoch.State());
    const TDateTime date = UTCNow(Epoch.State());
    Epoch.AppendSentence(talker, {"RMC", time, date}, [&] {
      AppendSentence(Epoch.Out(), talker, "RMC",
                     {Epoch.UTCTime(time), StatusLetter(Epoch.State().FixQuality),
                      Epoch.Latitude(), Epoch.Longitude(), Epoch.Speed(), Epoch.Course(),
                      Epoch.UTCDate(date), Epoch.MagneticVariation(), side, "A"});
    });
  });
}

}  // namespace norv
