#pragma once
// What the generators of one reporting cycle share: the active satellites, found by one scan of
// the table, and each field text, formatted once however many sentences carry it.
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "norv/nmea/FieldText.h"
#include "norv/nmea/RouteWayPoints.h"
#include "norv/nmea/Sentence.h"

namespace norv {

// The fields a cycle formats once. Each slot always holds the text of the same state value.
enum TCycleField : std::uint8_t {
  cfLatitude,
  cfLongitude,
  cfFixQuality,
  cfSatellitesUsed,
  cfSatelliteSlots,
  cfHDOP,
  cfPDOP,
  cfVDOP,
  cfAltitude,
  cfGeoHeight,
  cfSpeed,
  cfHeading,
  cfTrueCourse,
  cfSpeedKmh,
  cfMagneticHeading,
  cfMagneticVariation,
  cfFieldCount
};

class TSentenceCycle {
 public:
  TSentenceCycle(const TSatellites& Table, std::int32_t TableSize)
      : FConstellations(Table, TableSize) {}

  const TConstellations& Constellations() const { return FConstellations; }

  // The text of Field, made by Make() -> TFieldText the first time it is asked for.
  template <class F>
  std::string_view Field(TCycleField Field, F&& Make) {
    if (!FMade[Field]) {
      FFields[Field] = Make();
      FMade[Field] = true;
    }
    return FFields[Field];
  }
  std::string_view Decimal(TCycleField Field, Extended Value) {
    return this->Field(Field, [&] { return DecimalText(Value); });
  }

  // The clock texts of a reading. Every sentence reads the clock for itself; a reading equal
  // to the previous one reuses its texts, and the three texts of one reading share its decoding.
  std::string_view UTCTime(TDateTime Reading) { return FClock.Text(Reading, kTime, UTCTimeText); }
  std::string_view UTCDate(TDateTime Reading) { return FClock.Text(Reading, kDate, UTCDateText); }
  std::string_view CommaSeparatedUTCDate(TDateTime Reading) {
    return FClock.Text(Reading, kCommaDate, CommaSeparatedUTCDateText);
  }

  // The waypoint of each entry of Route (null where WayPoints holds none), resolved on first use;
  // Route is the same active route for every call in one cycle.
  std::span<const TWayPoint* const> RouteWayPoints(const TRoute& Route,
                                                   const TWayPoints* WayPoints) {
    if (!FRouteWayPoints) FRouteWayPoints.emplace(Route, WayPoints);
    return FRouteWayPoints->Resolved();
  }

  // Room for the sentences of one cycle, the route sentences of Routes' active route included.
  std::size_t ExpectedSize(const TRoutes* Routes) const;

 private:
  enum TClockTextKind : std::uint8_t { kTime, kDate, kCommaDate, kClockTextKinds };
  class TClockTexts {
   public:
    std::string_view Text(TDateTime Reading, TClockTextKind Kind,
                          TFieldText (*Make)(const TDateTimeParts&)) {
      if (!FDecoded || Reading != FReading) {
        FParts = DecodeDateTime(Reading);
        FReading = Reading;
        FDecoded = true;
        FMade.reset();
      }
      if (!FMade[Kind]) {
        FTexts[Kind] = Make(FParts);
        FMade[Kind] = true;
      }
      return FTexts[Kind];
    }

   private:
    TDateTime FReading = 0;
    bool FDecoded = false;
    TDateTimeParts FParts;
    std::array<TFieldText, kClockTextKinds> FTexts;
    std::bitset<kClockTextKinds> FMade;
  };

  TConstellations FConstellations;
  std::array<TFieldText, cfFieldCount> FFields;
  std::bitset<cfFieldCount> FMade;
  TClockTexts FClock;
  std::optional<TRouteWayPoints> FRouteWayPoints;
};

}  // namespace norv
