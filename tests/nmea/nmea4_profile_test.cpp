// The 4.11 profile read back by a small reader of its own: framing, lengths, checksums and the
// fields against the state that made them, over thousands of random states.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "norv/NorvGPSSimulator.h"
#include "norv/nmea/Nmea4Epoch.h"
#include "nmea/SentenceTestSupport.h"

namespace norv {
namespace {

struct Parsed {
  std::string Talker, Kind;
  std::vector<std::string> Fields;
};

// "$TTKKK,f1,...*hh\r\n": checks the frame and the checksum, splits the fields.
Parsed Read(const std::string& s) {
  EXPECT_LE(s.size(), 82u) << s;
  EXPECT_EQ(s.substr(0, 1), "$") << s;
  EXPECT_EQ(s.substr(s.size() - 2), "\r\n") << s;
  const std::size_t star = s.rfind('*');
  EXPECT_EQ(star, s.size() - 5) << s;
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(s[i]);
  EXPECT_EQ(std::stoul(s.substr(star + 1, 2), nullptr, 16), sum) << s;
  Parsed p{s.substr(1, 2), s.substr(3, 3), {}};
  std::stringstream body(s.substr(7, star - 7));
  for (std::string f; std::getline(body, f, ',');) p.Fields.push_back(f);
  if (s[star - 1] == ',') p.Fields.emplace_back();
  return p;
}

// Degrees of "ddmm.mmmmm" with its side.
double Angle(const std::string& Value, const std::string& Side, int DegreeDigits) {
  const double v =
      std::stod(Value.substr(0, DegreeDigits)) + std::stod(Value.substr(DegreeDigits)) / 60;
  return Side == "S" || Side == "W" ? -v : v;
}

// The number each system gives a code, as the 4.11 tables have it; 0 for none.
int ExpectedNumber(TSatelliteType Type, int Code) {
  if (Type == GpsSatellite) return Code <= 64 ? Code : 0;
  if (Type == GlonassSatellite) return Code >= 65 && Code <= 96 ? Code : Code <= 32 ? Code + 64 : 0;
  return Code >= 201 && Code <= 263 ? Code - 200 : Code <= 63 ? Code : 0;
}

const std::map<std::string, TSatelliteType> kGsvTalkers{
    {"GP", GpsSatellite}, {"GL", GlonassSatellite}, {"GB", BeidouSatellite}};
const std::map<std::string, TSatelliteType> kSystemIds{
    {"1", GpsSatellite}, {"2", GlonassSatellite}, {"4", BeidouSatellite}};

class RandomState {
 public:
  explicit RandomState(unsigned Seed) : FRandom(Seed) {}

  void Apply(TNorvGPSSimulator& Sim) {
    test::SetFixedTime(Sim, 2024, 1 + Int(0, 11), 1 + Int(0, 27), Int(0, 23), Int(0, 59),
                       Int(0, 59), Int(0, 999));
    Sim.SetLatDeg(Int(0, 89));
    Sim.SetLatMin(Int(0, 59));
    Sim.SetLatSec(Real(0, 59.999));
    Sim.SetLatDir(Int(0, 1) ? cpNorth : cpSouth);
    Sim.SetLongDeg(Int(0, 179));
    Sim.SetLongMin(Int(0, 59));
    Sim.SetLongSec(Real(0, 59.999));
    Sim.SetLongDir(Int(0, 1) ? cpEast : cpWest);
    Sim.SetFixQuality(Int(-1, 9));
    Sim.SetHDOP(Real(0, 99.9));
    Sim.SetPDOP(Real(0, 99.9));
    Sim.SetVDOP(Real(0, 99.9));
    Sim.SetHeading(Real(0, 359.99));
    Sim.SetMagneticHeading(Real(0, 359.99));
    Sim.SetMagneticVariation(Real(0, 99.9));
    // Now and then a value far beyond any receiver's, which must not break the frame.
    Sim.SetSpeed(Int(0, 20) == 0 ? 1e12L : Real(0, 999));
    Sim.SetAltitude(Int(0, 20) == 0 ? -123456789012.3L : Real(-500, 20000));
    Sim.SetGeo_Height(Real(-110, 110));
    AddRoute(Sim);
    Sim.ResetSatellites();
    for (int n = Int(0, 40); n > 0; --n)
      Sim.SetSatellite(static_cast<std::uint16_t>(Int(1, 235)), Int(0, 4) != 0, Int(0, 90),
                       Int(0, 359), Int(0, 99), static_cast<TSatelliteType>(Int(0, 2)));
  }

  // A route of up to 30 entries, most of them waypoints of the list, with names of any length
  // and any printable character (separators included).
  void AddRoute(TNorvGPSSimulator& Sim) {
    auto* route = new TRoute(Name());
    for (int n = Int(0, 30); n > 0; --n) {
      const std::string name = Name();
      route->WayPoints().push_back(name);
      if (Int(0, 5) == 0 || Sim.WayPoints()->GetByName(name) != nullptr) continue;
      auto* w = new TWayPoint(name);
      w->SetLatDeg(Int(0, 89));
      w->SetLatSec(Real(0, 59.9));
      w->SetLongDeg(Int(0, 179));
      w->SetLongSec(Real(0, 59.9));
      Sim.WayPoints()->Add(w);
    }
    Sim.Routes()->Add(route);
    Sim.Routes()->SetActiveRoute(route);
  }
  std::string Name() {
    std::string name(static_cast<std::size_t>(Int(0, 40)), ' ');
    for (char& c : name) c = static_cast<char>(Int(32, 126));
    return name;
  }

  int Int(int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(FRandom); }
  long double Real(double Low, double High) {
    return std::uniform_real_distribution<double>(Low, High)(FRandom);
  }

 private:
  std::mt19937 FRandom;
};

void CheckEpoch(const TNorvGPSSimulator& Sim) {
  // What the reader expects, from the state alone.
  std::set<std::pair<TSatelliteType, int>> inView;
  for (const TSatellite* s : Sim.GetSatellitesList())
    if (s->Active())
      if (const int n = ExpectedNumber(s->SatelliteType(), s->PseudoRandomCode()))
        inView.emplace(s->SatelliteType(), n);
  const bool fix = !inView.empty() && Sim.FixQuality() >= 1 && Sim.FixQuality() <= 8;
  const double lat = Sim.GetLatitudeAsDecimalDegrees(), lon = Sim.GetLongitudeAsDecimalDegrees();

  std::set<std::pair<TSatelliteType, int>> seenInView, used;
  std::size_t routeEntries = 0;
  const TNmea4Epoch epoch = Sim.GetNMEA4();
  for (std::string_view text : epoch.Sentences()) {
    const Parsed p = Read(std::string(text));
    const auto& f = p.Fields;
    SCOPED_TRACE(std::string(text));
    if (p.Kind == "GGA") {
      ASSERT_EQ(f.size(), 14u);
      EXPECT_EQ(f[5], fix ? std::to_string(Sim.FixQuality()) : "0");
      if (fix) {
        EXPECT_NEAR(Angle(f[1], f[2], 2), lat, 1e-6);
        EXPECT_NEAR(Angle(f[3], f[4], 3), lon, 1e-6);
        if (!f[8].empty()) {
          EXPECT_NEAR(std::stod(f[8]), static_cast<double>(Sim.Altitude()), 0.01);
        }
      } else {
        EXPECT_EQ(f[1] + f[2] + f[3] + f[4], "");
      }
    } else if (p.Kind == "RMC") {
      ASSERT_EQ(f.size(), 13u);
      EXPECT_EQ(f[1], fix ? "A" : "V");
      EXPECT_EQ(f[11], fix ? std::string(1, "NADPRFEMS"[Sim.FixQuality()]) : "N");
      EXPECT_EQ(f[12], fix ? "S" : "V");
      if (fix && !f[6].empty()) {
        EXPECT_NEAR(std::stod(f[6]), static_cast<double>(Sim.Speed()), 0.01);
      }
    } else if (p.Kind == "GSV") {
      const TSatelliteType type = kGsvTalkers.at(p.Talker);
      EXPECT_EQ(f.back(), "1");  // L1 signal
      for (std::size_t i = 3; i + 4 < f.size(); i += 4) seenInView.emplace(type, std::stoi(f[i]));
    } else if (p.Kind == "RTE") {
      routeEntries += f.size() - 4;
      for (std::size_t i = 3; i < f.size(); ++i) EXPECT_LE(f[i].size(), 24u);
    } else if (p.Kind == "GSA") {
      ASSERT_EQ(f.size(), 18u);
      EXPECT_EQ(f[1], fix ? "3" : "1");
      const TSatelliteType type = kSystemIds.at(f[17]);
      EXPECT_EQ(kGsvTalkers.at(p.Talker), type);
      for (std::size_t i = 2; i < 14; ++i)
        if (!f[i].empty()) used.emplace(type, std::stoi(f[i]));
    }
  }
  EXPECT_EQ(seenInView, inView);
  EXPECT_EQ(routeEntries, Sim.Routes()->ActiveRoute()->WayPoints().size());
  if (!fix) {
    EXPECT_TRUE(used.empty());
  }
  for (const auto& u : used) EXPECT_TRUE(inView.count(u)) << u.second;
}

TEST(Nmea4Profile, RandomStatesReadBack) {
  RandomState random(20241210);
  for (int round = 0; round < 3000; ++round) {
    TNorvGPSSimulator sim;
    random.Apply(sim);
    SCOPED_TRACE(round);
    ASSERT_NO_FATAL_FAILURE(CheckEpoch(sim));
    if (HasFailure()) return;
  }
}

TEST(Nmea4Profile, NoSatelliteStillReportsNoFix) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  sim.ResetSatellites();
  std::map<std::string, Parsed> byKind;
  const TNmea4Epoch epoch = sim.GetNMEA4();
  for (std::string_view s : epoch.Sentences()) {
    const Parsed p = Read(std::string(s));
    byKind.emplace(p.Kind, p);
  }
  EXPECT_EQ(byKind.at("GGA").Fields[5], "0");
  EXPECT_EQ(byKind.at("RMC").Fields[1], "V");
  EXPECT_EQ(byKind.at("RMC").Fields[11], "N");
  EXPECT_EQ(byKind.at("GSA").Fields[1], "1");
}

TEST(Nmea4Profile, OneFixPerEpochUnderTheChosenTalker) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  sim.SetSatellite(214, true, 40, 100, 33, BeidouSatellite);
  std::map<std::string, int> count;
  const TNmea4Epoch epoch = sim.GetNMEA4("GP");
  for (std::string_view s : epoch.Sentences()) ++count[std::string(s.substr(1, 5))];
  for (const char* kind : {"GPGGA", "GPRMC", "GPGLL", "GPVTG", "GPZDA"})
    EXPECT_EQ(count[kind], 1) << kind;
  EXPECT_EQ(count["GBGSV"], 1);
  EXPECT_EQ(count["GBGSA"], 1);
}

TEST(Nmea4Profile, RefusesATalkerThatIsNotTwoCapitals) {
  TNorvGPSSimulator sim;
  for (const char* talker : {"", "G", "gn", "GNX", "G1"})
    EXPECT_THROW(sim.GetNMEA4(talker), ENorvNMEAException) << talker;
}

TEST(Nmea4Profile, VtgConvertsKnotsAtTheNauticalMile) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  sim.SetCommands({GPVTG});
  EXPECT_EQ(Read(sim.GetNMEA4().Text()).Fields[6], "23.15");  // 12.5 kn * 1.852
}

TEST(Nmea4Profile, LongRouteSplitsIntoSentencesThatKeepItsOrder) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  sim.SetCommands({GPRTE});
  auto* route = new TRoute("COASTAL-PASSAGE");
  std::vector<std::string> names;
  for (int i = 1; i <= 20; ++i) names.push_back("WAYPT" + std::to_string(i));
  route->WayPoints() = names;
  sim.Routes()->Add(route);
  sim.Routes()->SetActiveRoute(route);
  std::vector<std::string> read;
  const TNmea4Epoch epoch = sim.GetNMEA4();
  const auto sentences = epoch.Sentences();
  ASSERT_GT(sentences.size(), 1u);
  for (std::size_t k = 0; k < sentences.size(); ++k) {
    const Parsed p = Read(std::string(sentences[k]));
    EXPECT_EQ(p.Fields[0], std::to_string(sentences.size()));
    EXPECT_EQ(p.Fields[1], std::to_string(k + 1));
    read.insert(read.end(), p.Fields.begin() + 4, p.Fields.end());
  }
  EXPECT_EQ(read, names);
}

}  // namespace
}  // namespace norv
