#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "norv/framework/DateTime.h"
#include "norv/framework/MessageDialog.h"
#include "support/SimulatorProbe.h"

namespace norv {
namespace {

using test::SimulatorProbe;

double SystemUtcNow() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return ms / 86400000.0 + 25569.0;
}

constexpr double kOneSecond = 1.0 / 86400.0;

TEST(SimulatorState, FreshComponentHoldsItsInitialValues) {
  TNorvGPSSimulator sim;
  EXPECT_EQ(sim.Latitude_Degree(), 0);
  EXPECT_EQ(sim.Latitude_Minute(), 0);
  EXPECT_EQ(sim.Latitude_Second(), 0);
  EXPECT_EQ(sim.Latitude_Direction(), cpNorth);
  EXPECT_EQ(sim.Longitude_Degree(), 0);
  EXPECT_EQ(sim.Longitude_Minute(), 0);
  EXPECT_EQ(sim.Longitude_Second(), 0);
  EXPECT_EQ(sim.Longitude_Direction(), cpEast);
  for (long double v : {sim.Speed(), sim.Heading(), sim.Altitude(), sim.Magnetic_Variation(),
                        sim.Magnetic_Heading(), sim.PDOP(), sim.HDOP(), sim.VDOP(),
                        sim.Geo_Height()})
    EXPECT_EQ(v, 0);
  EXPECT_EQ(sim.Magnetic_Variation_Direction(), cpWest);
  EXPECT_EQ(sim.FixQuality(), 0);
  EXPECT_EQ(sim.Commands().Bits(), 0x7FF);
  EXPECT_TRUE(sim.UseSystemDateTime());
  EXPECT_FALSE(sim.MessageAlert());
  EXPECT_EQ(sim.Port(), "");
  EXPECT_EQ(sim.BaudRate(), 4800);
#ifdef NORV_EARLIER_GENERATION
  EXPECT_EQ(sim.Version(), 2.0);
#else
  EXPECT_EQ(sim.Version(), 2.01);
#endif
  EXPECT_EQ(sim.TotalSatellitesCount(), 235);
  EXPECT_NEAR(sim.UTCDateTime(), SystemUtcNow(), kOneSecond);
}

// One validating setter: how to call it, how to read the field back, and its boundaries.
struct SetterCase {
  const char* name;
  std::function<void(TNorvGPSSimulator&, long double)> set;
  std::function<long double(const TNorvGPSSimulator&)> get;
  std::vector<long double> accepted;
  std::vector<long double> refused;
  const char* message;
};

std::vector<SetterCase> SetterCases() {
  using S = TNorvGPSSimulator;
  auto i32 = [](void (S::*f)(std::int32_t)) {
    return [f](S& s, long double v) { (s.*f)(static_cast<std::int32_t>(v)); };
  };
  auto ext = [](void (S::*f)(Extended)) { return [f](S& s, long double v) { (s.*f)(v); }; };
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double inf = std::numeric_limits<long double>::infinity();
  // The first and the last millisecond a four-digit year can show.
  const long double first = EncodeDate(1, 1, 1) - EncodeTime(23, 59, 59, 999);
  const long double last = EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999);
  return {
      {"LatDeg", i32(&S::SetLatDeg), [](const S& s) { return s.Latitude_Degree(); }, {0, 90}, {91, -1},
       "Latitude Degree must be between 0 and 90."},
      {"LatMin", i32(&S::SetLatMin), [](const S& s) { return s.Latitude_Minute(); }, {0, 59}, {60, -1},
       "Latitude Minute must be between 0 and 60."},
      {"LatSec", ext(&S::SetLatSec), [](const S& s) { return s.Latitude_Second(); }, {0, 59.999L},
       {60, -0.001L, nan}, "Latitude Second must be between 0 and 60."},
      {"LongDeg", i32(&S::SetLongDeg), [](const S& s) { return s.Longitude_Degree(); }, {0, 180},
       {181, -1}, "Longitude Degree must be between 0 and 180."},
      {"LongMin", i32(&S::SetLongMin), [](const S& s) { return s.Longitude_Minute(); }, {0, 59},
       {60, -1}, "Longitude Minute must be between 0 and 60."},
      {"LongSec", ext(&S::SetLongSec), [](const S& s) { return s.Longitude_Second(); }, {0, 59.999L},
       {60, -0.001L, nan}, "Longitude Second must be between 0 and 60."},
      {"Heading", ext(&S::SetHeading), [](const S& s) { return s.Heading(); }, {0, 359.99L},
       {360, -0.01L, nan}, "Heading must be between 0 and 360."},
      {"MagneticHeading", ext(&S::SetMagneticHeading), [](const S& s) { return s.Magnetic_Heading(); },
       {0, 359.99L}, {360, -0.01L, nan}, "Magnetic Heading must be between 0 and 360."},
      {"MagneticVariation", ext(&S::SetMagneticVariation),
       [](const S& s) { return s.Magnetic_Variation(); }, {0, 99.95L}, {100, -0.01L, nan},
       "Magnetic Variation must be between 0 and 99.9."},
      {"HDOP", ext(&S::SetHDOP), [](const S& s) { return s.HDOP(); }, {0, 99.95L}, {100, -0.01L, nan},
       "HDOP must be between 0 and 99.9."},
      {"VDOP", ext(&S::SetVDOP), [](const S& s) { return s.VDOP(); }, {0, 99.95L}, {100, -0.01L, nan},
       "VDOP must be between 0 and 99.9."},
      {"PDOP", ext(&S::SetPDOP), [](const S& s) { return s.PDOP(); }, {0, 99.95L}, {100, -0.01L, nan},
       "PDOP must be between 0 and 99.9."},
      {"Altitude", ext(&S::SetAltitude), [](const S& s) { return s.Altitude(); }, {-430.5L, 1e30L},
       {nan, inf, -inf, 1e4000L}, "Altitude must be a finite number."},
      {"Speed", ext(&S::SetSpeed), [](const S& s) { return s.Speed(); }, {-5, 1e30L},
       {nan, inf, 1e4000L, 1.7e308L}, "Speed must be a finite number."},
      {"Geo_Height", ext(&S::SetGeo_Height), [](const S& s) { return s.Geo_Height(); }, {-20, 1e30L},
       {nan, -inf, -1e4000L}, "Geo_Height must be a finite number."},
      {"UTCDateTime", [](S& s, long double v) { s.SetUTCDateTime(static_cast<TDateTime>(v)); },
       [](const S& s) { return s.UTCDateTime(); },
       {first, last, -1.25L}, {first - 1, last + 1e-8L, 1e18L, 1e300L, -1e300L, nan, inf},
       "UTCDateTime must be a date from 0001-01-01 to 9999-12-31."},
  };
}

TEST(ValidatingSetters, AcceptTheBoundaryAndRefuseBeyondKeepingTheField) {
  for (const auto& c : SetterCases()) {
    TNorvGPSSimulator sim;
    for (long double v : c.accepted) {
      EXPECT_NO_THROW(c.set(sim, v)) << c.name << " " << double(v);
      EXPECT_EQ(c.get(sim), v) << c.name;
    }
    const long double kept = c.get(sim);
    for (long double v : c.refused) {
      try {
        c.set(sim, v);
        ADD_FAILURE() << c.name << " accepted " << double(v);
      } catch (const ENorvNMEAException& e) {
        EXPECT_EQ(e.Message(), c.message) << c.name;
      }
      EXPECT_EQ(c.get(sim), kept) << c.name;
    }
  }
}

TEST(ValidatingSetters, DirectionsMustBelongToTheirAxis) {
  TNorvGPSSimulator sim;
  struct Case {
    std::function<void(TNorvGPSSimulator&, TCardinalPoint)> set;
    std::function<TCardinalPoint(const TNorvGPSSimulator&)> get;
    TCardinalPoint ok1, ok2, bad1, bad2;
    const char* message;
  };
  const Case cases[] = {
      {&TNorvGPSSimulator::SetLatDir, &TNorvGPSSimulator::Latitude_Direction, cpSouth, cpNorth, cpEast,
       cpWest, "Latitude Direction must be north or south."},
      {&TNorvGPSSimulator::SetLongDir, &TNorvGPSSimulator::Longitude_Direction, cpWest, cpEast, cpNorth,
       cpSouth, "Longitude Direction must be east or west."},
      {&TNorvGPSSimulator::SetMagnetic_Variation_Direction,
       &TNorvGPSSimulator::Magnetic_Variation_Direction, cpEast, cpWest, cpNorth, cpSouth,
       "Magnetic Variation Direction must be east or west."},
  };
  for (const auto& c : cases) {
    c.set(sim, c.ok1);
    EXPECT_EQ(c.get(sim), c.ok1);
    c.set(sim, c.ok2);
    for (TCardinalPoint bad : {c.bad1, c.bad2, static_cast<TCardinalPoint>(7)}) {
      try {
        c.set(sim, bad);
        ADD_FAILURE() << c.message;
      } catch (const ENorvNMEAException& e) {
        EXPECT_EQ(e.Message(), c.message);
      }
      EXPECT_EQ(c.get(sim), c.ok2);
    }
  }
}

TEST(ValidatingSetters, PlainPropertiesStoreAnyValue) {
  TNorvGPSSimulator sim;
  sim.SetSpeed(-5);
  sim.SetFixQuality(-1);
  sim.SetAltitude(-430.5L);
  sim.SetGeo_Height(-20);
  sim.SetBaudRate(-9600);
  EXPECT_EQ(sim.Speed(), -5);
  EXPECT_EQ(sim.FixQuality(), -1);
  EXPECT_EQ(sim.Altitude(), -430.5L);
  EXPECT_EQ(sim.Geo_Height(), -20);
  EXPECT_EQ(sim.BaudRate(), -9600);
}

class DialogRecorder {
 public:
  DialogRecorder() {
    SetMessageDialogHandler([this](const std::string& m) { shown.push_back(m); });
  }
  ~DialogRecorder() { SetMessageDialogHandler(nullptr); }
  std::vector<std::string> shown;
};

TEST(MessageAlert, DialogComesFirstAndOnlyWhenEnabled) {
  DialogRecorder dialogs;
  TNorvGPSSimulator sim;
  EXPECT_THROW(sim.SetLatDeg(91), ENorvNMEAException);
  EXPECT_TRUE(dialogs.shown.empty());

  sim.SetMessageAlert(true);
  std::vector<std::string> shownWhenRaised;
  try {
    sim.SetHeading(360);
  } catch (const ENorvNMEAException& e) {
    shownWhenRaised = dialogs.shown;  // the dialog was closed before the exception arrived
    EXPECT_EQ(e.Message(), "Heading must be between 0 and 360.");
  }
  EXPECT_EQ(shownWhenRaised, std::vector<std::string>{"Heading must be between 0 and 360."});

  sim.SetHeading(10);  // accepted values show nothing
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(UTCClock, StoredValueIsReturnedExactly) {
  SimulatorProbe sim;
  const TDateTime when = EncodeDate(2016, 3, 1) + EncodeTime(12, 0, 0, 0);
  sim.SetUseSystemDateTime(false);
  sim.SetUTCDateTime(when);
  EXPECT_EQ(sim.GetUTCDateTime(), when);
  EXPECT_EQ(sim.GetUTCDateTime(), when);
}

TEST(UTCClock, SystemClockGivesUtcWhateverTheLocalZone) {
  const char* saved = std::getenv("TZ");
  const std::string savedTz = saved ? saved : "";
  for (const char* tz : {"UTC0", "CET-1", "NPT-5:45", "HST10", "CET-1CEST,M3.5.0,M10.5.0/3"}) {
    setenv("TZ", tz, 1);
    tzset();
    SimulatorProbe sim;
    EXPECT_NEAR(sim.GetUTCDateTime(), SystemUtcNow(), kOneSecond) << tz;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_NEAR(sim.GetUTCDateTime(), Now() - local.tm_gmtoff / 86400.0, kOneSecond) << tz;
  }
  if (saved)
    setenv("TZ", savedTz.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

TEST(Ownership, OwnerFreesTheComponent) {
  TComponent owner;
  auto* sim = new TNorvGPSSimulator(&owner);
  EXPECT_EQ(sim->Owner(), &owner);
  EXPECT_EQ(owner.ComponentCount(), 1);
  // Freed by the owner's destructor; the sanitizer build reports a leak otherwise.
}

}  // namespace
}  // namespace norv
