#include "norv/nmea/Epoch.h"

#include <algorithm>
#include <cstring>

#include "norv/framework/DigitText.h"
#include "norv/model/Geodesy.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/SentenceWriter.h"

namespace norv {

namespace {

// GGA reports at most twelve satellites used, counted over every constellation; GSA has twelve
// slots for their codes.
constexpr std::size_t kUsedSlots = 12;

// A sentence of fixed fields stays well below this (82 bytes in the standard); the decimal
// fields of extreme values may take more, which costs one more allocation, never bytes.
constexpr std::size_t kSentenceRoom = 96;
constexpr std::size_t kFixedKinds = 6;  // ZDA GGA GLL VTG RMC GSA
constexpr std::size_t kGSVRoomPerSatellite = 20;
// A WPL and an AAM sentence without their names, and the name's place in RTE.
constexpr std::size_t kRoomPerWayPoint = 2 * 50 + 1;

const TRoute* ActiveRouteOf(const TRoutes* Routes) {
  return Routes != nullptr ? Routes->ActiveRoute() : nullptr;
}

}  // namespace

TEpoch::TEpoch(const TReceiverView& View)
    : FView(View),
      FConstellations(View.Satellites),
      FRoute(ActiveRouteOf(View.Routes)),
      FOut(ExpectedSize()) {}

std::size_t TEpoch::ExpectedSize() const {
  std::size_t perTalker = kFixedKinds * kSentenceRoom;
  if (FRoute != nullptr) {
    perTalker += kSentenceRoom + FRoute->Name().size();
    for (const std::string& name : FRoute->WayPoints())
      perTalker += kRoomPerWayPoint + 3 * name.size();
  }
  return FConstellations.TalkersInUse() * perTalker +
         FConstellations.Active().size() * kGSVRoomPerSatellite;
}

std::string_view TEpoch::Latitude() {
  return Once(kLatitude, [&] {
    const TDMSAngle& a = State().Position.Latitude;
    return LatitudeText(a.Degree, a.Minute, a.Second, a.Direction);
  });
}

std::string_view TEpoch::Longitude() {
  return Once(kLongitude, [&] {
    const TDMSAngle& a = State().Position.Longitude;
    return LongitudeText(a.Degree, a.Minute, a.Second, a.Direction);
  });
}

std::string_view TEpoch::FixQuality() {
  return Once(kFixQuality, [&] { return IntegerText(State().FixQuality); });
}

std::string_view TEpoch::SatellitesUsed() {
  return Once(kSatellitesUsed, [&] {
    return IntegerText(
        static_cast<std::int64_t>(std::min(FConstellations.Active().size(), kUsedSlots)));
  });
}

// "prn" for each of the first twelve satellites, nothing for a slot left empty, joined by ",".
std::string_view TEpoch::SatelliteSlots() {
  return Once(kSatelliteSlots, [&] {
    const auto active = FConstellations.Active();
    TFieldText slots;
    slots.Make([&](char* p) {
      for (std::size_t i = 0; i < kUsedSlots; ++i) {
        if (i > 0) *p++ = ',';
        if (i < active.size()) p = WriteUnsigned(p, active[i]->PseudoRandomCode());
      }
      return p;
    });
    return slots;
  });
}

std::string_view TEpoch::HDOP() { return Decimal(kHDOP, State().HDOP); }
std::string_view TEpoch::PDOP() { return Decimal(kPDOP, State().PDOP); }
std::string_view TEpoch::VDOP() { return Decimal(kVDOP, State().VDOP); }
std::string_view TEpoch::Altitude() { return Decimal(kAltitude, State().Altitude); }
std::string_view TEpoch::GeoHeight() { return Decimal(kGeoHeight, State().Geo_Height); }
std::string_view TEpoch::Speed() { return Decimal(kSpeed, State().Speed); }
std::string_view TEpoch::Course() { return Decimal(kCourse, State().Heading); }
std::string_view TEpoch::MagneticHeading() {
  return Decimal(kMagneticHeading, State().Magnetic_Heading);
}
std::string_view TEpoch::MagneticVariation() {
  return Decimal(kMagneticVariation, State().Magnetic_Variation);
}

std::string_view TEpoch::TrueCourse() {
  return Once(kTrueCourse, [&] { return FullDecimalText(State().Heading); });
}

// The knots exactly as Speed shows them, converted: the two speeds always agree.
std::string_view TEpoch::SpeedKmh() {
  return Once(kSpeedKmh, [&] {
    return FullDecimalText(RRound(static_cast<double>(State().Speed)) / kKnotsPerKmh);
  });
}

void TEpoch::TClockTexts::Decode(TDateTime Reading) {
  FParts = DecodeDateTime(Reading);
  FReading = Reading;
  FDecoded = true;
  FMade.reset();
}

void TEpoch::TLastSentence::AppendFor(TSentenceText& Out, std::string_view Talker) const {
  TSentenceWriter sentence(Out, Talker, FKey.Kind, FLength);
  sentence.KeptFields({FFields.data(), FLength}, FXor);
  sentence.Close();
}

void TEpoch::TLastSentence::Keep(const TSentenceKey& Key, std::string_view Talker,
                                 const TSentenceText& Out, std::size_t FieldsStart) {
  const std::size_t length = Out.size() - kSentenceTrailerSize - FieldsStart;
  if (length > FFields.size()) {
    FLength = kNone;
    return;
  }
  std::memcpy(FFields.data(), Out.data() + FieldsStart, length);
  // The sentence's checksum without its talker and kind is that of its fields alone.
  FXor = Out.LastChecksum() ^ XorOfBytes(Talker) ^ XorOfBytes(Key.Kind);
  FLength = length;
  FKey = Key;
}

std::span<const TWayPoint* const> TEpoch::RouteWayPoints() {
  if (FRoute == nullptr) return {};
  if (!FRouteWayPoints) {
    if (FView.WayPoints == nullptr) {
      FRouteWayPoints.emplace(FRoute->WayPoints().size(), nullptr);
    } else {
      const std::vector<TWayPoint*> found = FView.WayPoints->GetByNames(FRoute->WayPoints());
      FRouteWayPoints.emplace(found.begin(), found.end());
    }
  }
  return *FRouteWayPoints;
}

}  // namespace norv
