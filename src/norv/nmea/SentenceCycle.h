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
  // to the previous one reuses its text.
  std::string_view UTCTime(TDateTime Reading) { return FTime.Of(Reading, UTCTimeText); }
  std::string_view UTCDate(TDateTime Reading) { return FDate.Of(Reading, UTCDateText); }
  std::string_view CommaSeparatedUTCDate(TDateTime Reading) {
    return FCommaDate.Of(Reading, CommaSeparatedUTCDateText);
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
  struct TClockText {
    TDateTime Reading = 0;
    bool Made = false;
    TFieldText Text;
    std::string_view Of(TDateTime NewReading, TFieldText (*Make)(TDateTime)) {
      if (!Made || NewReading != Reading) {
        Text = Make(NewReading);
        Reading = NewReading;
        Made = true;
      }
      return Text;
    }
  };

  TConstellations FConstellations;
  std::array<TFieldText, cfFieldCount> FFields;
  std::bitset<cfFieldCount> FMade;
  TClockText FTime, FDate, FCommaDate;
  std::optional<TRouteWayPoints> FRouteWayPoints;
};

}  // namespace norv
