#pragma once
// TEpoch: one reporting epoch's text and everything its sentences share: the active satellites,
// found by one scan of the table, each field text formatted once however many sentences carry
// it, the clock texts of each reading and the waypoints of the active route. This is the only
// cache the sentence functions keep, and it lives exactly as long as one epoch.
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "norv/nmea/FieldText.h"
#include "norv/nmea/ReceiverView.h"
#include "norv/nmea/Sentence.h"
#include "norv/nmea/SentenceText.h"

namespace norv {

class TRoute;
class TWayPoint;

// What the fields of one sentence depend on besides the epoch's own field texts: its kind, the
// clock readings it carries and the route entry it reports. Equal keys mean equal fields.
struct TSentenceKey {
  std::string_view Kind;
  TDateTime Time = 0;
  TDateTime Date = 0;
  std::size_t Entry = 0;
  bool operator==(const TSentenceKey&) const = default;
};

class TEpoch {
 public:
  explicit TEpoch(const TReceiverView& View);
  TEpoch(const TEpoch&) = delete;
  TEpoch& operator=(const TEpoch&) = delete;

  const TReceiverState& State() const { return FView.State; }
  const TConstellations& Constellations() const { return FConstellations; }
  // Where the sentences go; Release hands the text over at the end.
  TSentenceText& Out() { return FOut; }
  std::string Release() && { return std::move(FOut).Release(); }

  // The field texts of the state. Each accessor formats its own value of the view on first use
  // and no other, so a text can never stand for another value.
  std::string_view Latitude();
  std::string_view Longitude();
  std::string_view FixQuality();
  std::string_view SatellitesUsed();   // active satellites of every constellation, at most 12
  std::string_view SatelliteSlots();   // the twelve GSA slots
  std::string_view HDOP();
  std::string_view PDOP();
  std::string_view VDOP();
  std::string_view Altitude();
  std::string_view GeoHeight();
  std::string_view Speed();            // knots, two decimals
  std::string_view Course();           // heading, two decimals
  std::string_view TrueCourse();       // heading with every digit
  std::string_view SpeedKmh();         // the knots as Speed shows them, in km/h
  std::string_view MagneticHeading();
  std::string_view MagneticVariation();

  // The clock texts of a reading. Every sentence reads the clock for itself; a reading equal
  // to the previous one reuses its texts, and the three texts of one reading share its decoding.
  std::string_view UTCTime(TDateTime Reading) { return FClock.Text(Reading, kTime, UTCTimeText); }
  std::string_view UTCDate(TDateTime Reading) { return FClock.Text(Reading, kDate, UTCDateText); }
  std::string_view CommaSeparatedUTCDate(TDateTime Reading) {
    return FClock.Text(Reading, kCommaDate, CommaSeparatedUTCDateText);
  }

  // The sentence of Key.Kind for Talker: Frame() appends exactly that sentence to Out(), with
  // fields read from nothing but this epoch's field texts and what Key holds. The first
  // talker's sentence is framed by Frame(); the next talker with an equal key gets the same kind
  // and fields, framed with its own talker, without Frame() being called.
  template <class F>
  void AppendSentence(std::string_view Talker, const TSentenceKey& Key, F&& Frame) {
    if (FLastSentence.Holds(Key)) {
      FLastSentence.AppendFor(FOut, Talker);
      return;
    }
    const std::size_t start = FOut.size();
    Frame();
    FLastSentence.Keep(Key, Talker, FOut, start + 1 + Talker.size() + Key.Kind.size());
  }

  // The active route of the view, or null.
  const TRoute* ActiveRoute() const { return FRoute; }
  // The waypoint each entry of the active route names (null where the list holds none), as the
  // waypoint list finds it by name; resolved on first use.
  std::span<const TWayPoint* const> RouteWayPoints();

 private:
  enum TSlot : std::uint8_t {
    kLatitude, kLongitude, kFixQuality, kSatellitesUsed, kSatelliteSlots, kHDOP, kPDOP, kVDOP,
    kAltitude, kGeoHeight, kSpeed, kCourse, kTrueCourse, kSpeedKmh, kMagneticHeading,
    kMagneticVariation, kSlotCount
  };
  template <class F>
  std::string_view Once(TSlot Slot, F&& Make) {
    if (!FMade[Slot]) {
      FFields[Slot] = Make();
      FMade[Slot] = true;
    }
    return FFields[Slot];
  }
  std::string_view Decimal(TSlot Slot, Extended Value) {
    return Once(Slot, [&] { return DecimalText(Value); });
  }

  enum TClockTextKind : std::uint8_t { kTime, kDate, kCommaDate, kClockTextKinds };
  // The texts of the last reading only: a new reading drops them all.
  class TClockTexts {
   public:
    std::string_view Text(TDateTime Reading, TClockTextKind Kind,
                          TFieldText (*Make)(const TDateTimeParts&)) {
      if (!FDecoded || Reading != FReading) Decode(Reading);
      if (!FMade[Kind]) {
        FTexts[Kind] = Make(FParts);
        FMade[Kind] = true;
      }
      return FTexts[Kind];
    }

   private:
    void Decode(TDateTime Reading);

    TDateTime FReading = 0;
    bool FDecoded = false;
    TDateTimeParts FParts;
    std::array<TFieldText, kClockTextKinds> FTexts;
    std::bitset<kClockTextKinds> FMade;
  };

  // The fields of the last sentence framed, joined, and the key they were made for.
  class TLastSentence {
   public:
    bool Holds(const TSentenceKey& Key) const { return FLength != kNone && Key == FKey; }
    void AppendFor(TSentenceText& Out, std::string_view Talker) const;
    // The fields of the sentence of Talker that ends Out, from FieldsStart to its trailer; none
    // are kept when they do not fit.
    void Keep(const TSentenceKey& Key, std::string_view Talker, const TSentenceText& Out,
              std::size_t FieldsStart);

   private:
    static constexpr std::size_t kNone = SIZE_MAX;
    TSentenceKey FKey;
    std::array<char, 256> FFields;
    std::size_t FLength = kNone;
    std::uint8_t FXor = 0;  // of the kept fields
  };

  std::size_t ExpectedSize() const;

  const TReceiverView FView;
  const TConstellations FConstellations;
  const TRoute* const FRoute;
  TSentenceText FOut;
  std::array<TFieldText, kSlotCount> FFields;
  std::bitset<kSlotCount> FMade;
  TClockTexts FClock;
  TLastSentence FLastSentence;
  std::optional<std::vector<const TWayPoint*>> FRouteWayPoints;
};

}  // namespace norv
