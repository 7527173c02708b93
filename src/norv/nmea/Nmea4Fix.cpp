// The fix sentences of the 4.11 profile, once per epoch under the profile's talker:
//   GGA  $--GGA,hhmmss.ss,ddmm.mmmmm,N,dddmm.mmmmm,E,quality,used,hdop,alt,M,geoid,M,,*hh
//   GLL  $--GLL,ddmm.mmmmm,N,dddmm.mmmmm,E,hhmmss.ss,status,mode*hh
//   RMC  $--RMC,hhmmss.ss,status,ddmm.mmmmm,N,dddmm.mmmmm,E,knots,course,ddmmyy,var,E|W,mode,
//        navstatus*hh
//   VTG  $--VTG,course,T,magnetic,M,knots,N,kmh,K,mode*hh
//   ZDA  $--ZDA,hhmmss.ss,dd,mm,yyyy,00,00*hh
// Without a fix the position and motion fields are empty, as a receiver sends them.
#include <array>

#include "norv/model/Geodesy.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Nmea4Builder.h"

namespace norv {

namespace {

// The mode indicator of each fix quality 0 to 8: no fix, autonomous, differential, precise,
// RTK, float RTK, estimated, manual input, simulator.
constexpr std::array<std::string_view, 9> kModeLetters{"N", "A", "D", "P", "R",
                                                       "F", "E", "M", "S"};

std::string_view Mode(const TNmea4Builder& Epoch) { return kModeLetters[Epoch.Quality()]; }
std::string_view Status(const TNmea4Builder& Epoch) { return Epoch.HasFix() ? "A" : "V"; }

// The texts of the fix every sentence shares; empty without a fix.
struct TFixTexts {
  explicit TFixTexts(const TNmea4Builder& Epoch) : Time(CentisecondTimeText(Epoch.Clock())) {
    if (!Epoch.HasFix()) return;
    const TGeoPoint& p = Epoch.State().Position;
    Latitude = ShortLatitudeText(p.Latitude.Degree, p.Latitude.Minute, p.Latitude.Second,
                                 p.Latitude.Direction);
    Longitude = ShortLongitudeText(p.Longitude.Degree, p.Longitude.Minute, p.Longitude.Second,
                                   p.Longitude.Direction);
    Speed = DecimalText(Epoch.State().Speed);
    Course = DecimalText(Epoch.State().Heading);
  }
  // "ddmm.mmmmm,N" fills two fields: without a fix both are empty.
  std::string_view LatitudeOr() const { return Latitude.View().empty() ? "," : Latitude.View(); }
  std::string_view LongitudeOr() const { return Longitude.View().empty() ? "," : Longitude.View(); }

  TFieldText Time, Latitude, Longitude, Speed, Course;
};

}  // namespace

void AppendNmea4GGA(TNmea4Builder& Epoch) {
  const TFixTexts fix(Epoch);
  const TReceiverState& s = Epoch.State();
  const bool f = Epoch.HasFix();
  const TFieldText quality = IntegerText(Epoch.Quality());
  const TFieldText used = IntegerText(static_cast<std::int64_t>(Epoch.UsedCount()));
  const TFieldText hdop = DecimalText(s.HDOP), altitude = DecimalText(s.Altitude),
                   geoid = DecimalText(s.Geo_Height);
  std::array<std::string_view, 12> fields{
      fix.Time, fix.LatitudeOr(), fix.LongitudeOr(), quality, used,
      When(f, hdop), When(f, altitude), "M", When(f, geoid), "M", "", ""};
  Epoch.AppendFitted("GGA", fields, {8, 6});
}

void AppendNmea4GLL(TNmea4Builder& Epoch) {
  const TFixTexts fix(Epoch);
  Epoch.Append("GLL", {fix.LatitudeOr(), fix.LongitudeOr(), fix.Time, Status(Epoch), Mode(Epoch)});
}

void AppendNmea4RMC(TNmea4Builder& Epoch) {
  const TFixTexts fix(Epoch);
  const TReceiverState& s = Epoch.State();
  const TFieldText date = UTCDateText(Epoch.Clock());
  const TFieldText variation = DecimalText(s.Magnetic_Variation);
  std::array<std::string_view, 11> fields{
      fix.Time, Status(Epoch), fix.LatitudeOr(), fix.LongitudeOr(), fix.Speed, fix.Course, date,
      variation, VariationSideText(s.Magnetic_Variation_Direction), Mode(Epoch),
      Epoch.HasFix() ? "S" : "V"};
  // The variation goes first, then the speed: neither is part of the fix itself.
  Epoch.AppendFitted("RMC", fields, {7, 8, 4});
}

void AppendNmea4VTG(TNmea4Builder& Epoch) {
  const TFixTexts fix(Epoch);
  const TReceiverState& s = Epoch.State();
  const bool f = Epoch.HasFix();
  // The kilometres per hour of the knots as the knots field shows them.
  const TFieldText magnetic = DecimalText(s.Magnetic_Heading);
  const TFieldText kmh =
      DecimalText(static_cast<Extended>(RRound(static_cast<double>(s.Speed))) * kKmPerNauticalMile);
  std::array<std::string_view, 9> fields{
      fix.Course, "T", When(f, magnetic), "M", fix.Speed, "N", When(f, kmh), "K", Mode(Epoch)};
  Epoch.AppendFitted("VTG", fields, {6, 4});
}

void AppendNmea4ZDA(TNmea4Builder& Epoch) {
  const TFieldText time = CentisecondTimeText(Epoch.Clock());
  const TFieldText date = CommaSeparatedUTCDateText(Epoch.Clock());
  Epoch.Append("ZDA", {time, date, "00", "00"});
}

}  // namespace norv
