#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "norv/NorvGPSSimulator.h"

namespace norv {
namespace {

struct TDialogGuard {
  ~TDialogGuard() { SetMessageDialogHandler(nullptr); }
};

std::vector<std::string> StoredNames(const std::string& text) {
  std::vector<std::string> names;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (line.starts_with("  ")) names.push_back(line.substr(2, line.find(" = ") - 2));
  return names;
}

// Every published property away from its constructor value, each real distinct from the others.
void ChangeEveryProperty(TNorvGPSSimulator& s) {
  s.SetName("GPS1");
  s.SetLatDeg(48);
  s.SetLatMin(7);
  s.SetLatSec(std::nextafter(60.0L, 0.0L));  // the largest accepted second: needs every bit
  s.SetLatDir(cpSouth);
  s.SetLongDeg(11);
  s.SetLongMin(31);
  s.SetLongSec(1.0L / 3.0L);
  s.SetLongDir(cpWest);
  s.SetAltitude(-12.75L);
  s.SetHeading(359.99L);
  s.SetSpeed(0.1L);
  s.SetPDOP(1.5L);
  s.SetHDOP(0.9L);
  s.SetVDOP(99.95L);
  s.SetGeo_Height(47.3L);
  s.SetMagneticVariation(2.5L);
  s.SetMagnetic_Variation_Direction(cpEast);
  s.SetMagneticHeading(12.34L);
  s.SetUTCDateTime(EncodeDate(2016, 3, 1) + EncodeTime(12, 0, 0, 250));
  s.SetCommands({GPGLL, GPGGA});
  s.SetUseSystemDateTime(false);
  s.SetMessageAlert(true);
  s.SetFixQuality(2);
  s.SetPort("/dev/tty'S0\r\n\x80");
  s.SetBaudRate(115200);
}

TEST(Streaming, EveryChangedPropertyIsWrittenInDeclarationOrderAndReadsBackEqual) {
  TNorvGPSSimulator a;
  ChangeEveryProperty(a);
  const std::string text = ComponentToString(a);
  EXPECT_EQ(text, R"(object GPS1: TNorvGPSSimulator
  Latitude_Degree = 48
  Latitude_Minute = 7
  Latitude_Second = 59.999999999999999997
  Latitude_Direction = cpSouth
  Longitude_Degree = 11
  Longitude_Minute = 31
  Longitude_Second = 0.33333333333333333334
  Longitude_Direction = cpWest
  Altitude = -12.75
  Heading = 359.99
  Speed = 0.1
  PDOP = 1.5
  HDOP = 0.9
  VDOP = 99.95
  Geo_Height = 47.3
  Magnetic_Variation = 2.5
  Magnetic_Variation_Direction = cpEast
  Magnetic_Heading = 12.34
  UTCDateTime = 42430.50000289352
  Commands = [GPGLL, GPGGA]
  UseSystemDateTime = False
  MessageAlert = True
  FixQuality = 2
  Port = '/dev/tty''S0'#13#10#128
  BaudRate = 115200
end
)");

  // Every value is distinct, so a setter wired to the wrong field shows in the second text.
  TNorvGPSSimulator b;
  ComponentFromString(text, b);
  EXPECT_EQ(ComponentToString(b), text);
  EXPECT_EQ(b.Latitude_Second(), a.Latitude_Second()) << "every bit of the long double";
  EXPECT_EQ(b.Longitude_Second(), a.Longitude_Second());
  EXPECT_EQ(b.UTCDateTime(), a.UTCDateTime());
  EXPECT_EQ(b.Port(), a.Port());
}

TEST(Streaming, ValuesEqualToTheirDeclaredDefaultAreNotWritten) {
  TNorvGPSSimulator fresh;
  // Properties declared without a default are always written; zero reals and empty strings not.
  EXPECT_EQ(StoredNames(ComponentToString(fresh)),
            (std::vector<std::string>{"Latitude_Degree", "Latitude_Minute", "Latitude_Direction",
                                      "Longitude_Degree", "Longitude_Minute", "Longitude_Direction",
                                      "Magnetic_Variation_Direction", "UTCDateTime", "Commands",
                                      "BaudRate"}));
  EXPECT_TRUE(ComponentToString(fresh).starts_with("object TNorvGPSSimulator\n"));

  TNorvGPSSimulator changed;
  changed.SetFixQuality(1);
  changed.SetUseSystemDateTime(false);
  changed.SetMessageAlert(true);
  const std::string text = ComponentToString(changed);
  for (const char* line :
       {"  FixQuality = 1\n", "  UseSystemDateTime = False\n", "  MessageAlert = True\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  TNorvGPSSimulator back;
  ComponentFromString(text, back);
  EXPECT_TRUE(back.MessageAlert()) << "a streamed True survives the round trip";
  EXPECT_FALSE(back.UseSystemDateTime());
  EXPECT_EQ(back.FixQuality(), 1);
}

TEST(Streaming, CommandsRoundTripAsASet) {
  const struct {
    TNMEACommands set;
    const char* text;
  } cases[] = {
      {{}, "[]"},
      {{GPGLL, GPGGA}, "[GPGLL, GPGGA]"},
      {{GPAAM, GPZDA, GPRMC}, "[GPRMC, GPZDA, GPAAM]"},
      {TNMEACommands::All(),
       "[GPGLL, GPGGA, GPVTG, GPRMC, GPGSA, GPGSV, GPZDA, GPWPL, GPRTE, GPAAM, AllNMEA]"},
  };
  for (const auto& c : cases) {
    TNorvGPSSimulator a;
    a.SetCommands(c.set);
    const std::string text = ComponentToString(a);
    EXPECT_NE(text.find(std::string("  Commands = ") + c.text + "\n"), std::string::npos) << text;
    TNorvGPSSimulator b;
    b.SetCommands({GPWPL});
    ComponentFromString(text, b);
    EXPECT_EQ(b.Commands().Bits(), c.set.Bits()) << c.text;
  }
}

TEST(Streaming, ARefusedValueRaisesTheSettersExceptionNamingItsLine) {
  std::vector<std::string> dialogs;
  TDialogGuard guard;
  SetMessageDialogHandler([&](const std::string& msg) { dialogs.push_back(msg); });
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"Latitude_Degree = 95", "Line 4: Latitude_Degree: Latitude Degree must be between 0 and 90."},
      {"Latitude_Direction = cpEast",
       "Line 4: Latitude_Direction: Latitude Direction must be north or south."},
      {"HDOP = 100", "Line 4: HDOP: HDOP must be between 0 and 99.9."},
      {"Longitude_Second = nan", "Line 4: Longitude_Second: Longitude Second must be between 0 and 60."},
  };
  for (const auto& c : cases) {
    dialogs.clear();
    TNorvGPSSimulator sim;
    const std::string text =
        std::string("object GPS1: TNorvGPSSimulator\n  MessageAlert = True\n") +
        "  FixQuality = 3\n  " + c.line + "\n  BaudRate = 9600\nend\n";
    try {
      ComponentFromString(text, sim);
      ADD_FAILURE() << c.line << " was accepted";
    } catch (const ENorvNMEAException& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    // The dialog shows the setter's own message, which the exception's ends with; the lines
    // before it were applied, not after.
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(std::string(c.message).ends_with(": " + dialogs[0])) << dialogs[0];
    EXPECT_EQ(sim.FixQuality(), 3);
    EXPECT_EQ(sim.BaudRate(), 4800);
    EXPECT_EQ(sim.Latitude_Degree(), 0);
  }
}

TEST(Streaming, MalformedStreamsRaiseNamingTheLineAndChangeNothing) {
  const std::string head = "object GPS1: TNorvGPSSimulator\n  FixQuality = 7\n";
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {"", "Line 1: 'object TNorvGPSSimulator' expected"},
      {"\nTNorvGPSSimulator\nend\n", "Line 2: 'object TNorvGPSSimulator' expected"},
      {"object GPS1: TTimer\nend\n",
       "Line 1: an object of class TNorvGPSSimulator expected, found 'TTimer'"},
      {"object 1st: TNorvGPSSimulator\nend\n", "Line 1: '1st' is not a valid component name"},
      {head + "  Altitud = 5\nend\n", "Line 3: unknown property 'Altitud' of TNorvGPSSimulator"},
      {head + "  Version = 2\nend\n", "Line 3: unknown property 'Version' of TNorvGPSSimulator"},
      {head + "  Altitude 5\nend\n", "Line 3: 'Altitude 5' is not of the form 'Name = value'"},
      {head + "  object Inner: TNorvGPSSimulator\nend\n",
       "Line 3: 'object Inner: TNorvGPSSimulator' is not of the form 'Name = value'"},
      {head + "  Latitude_Degree = 4x\nend\n",
       "Line 3: invalid value '4x' for Latitude_Degree: a 32-bit integer expected"},
      {head + "  BaudRate = 2147483648\nend\n",
       "Line 3: invalid value '2147483648' for BaudRate: a 32-bit integer expected"},
      {head + "  Altitude = 1,5\nend\n",
       "Line 3: invalid value '1,5' for Altitude: a real number expected"},
      {head + "  Latitude_Direction = cpUp\nend\n",
       "Line 3: invalid value 'cpUp' for Latitude_Direction: one of cpNorth, cpSouth, cpEast, "
       "cpWest expected"},
      {head + "  MessageAlert = yes\nend\n",
       "Line 3: invalid value 'yes' for MessageAlert: one of False, True expected"},
      {head + "  Commands = [GPGLL, GPXXX]\nend\n",
       "Line 3: invalid value '[GPGLL, GPXXX]' for Commands: a set of [GPGLL, GPGGA, GPVTG, "
       "GPRMC, GPGSA, GPGSV, GPZDA, GPWPL, GPRTE, GPAAM, AllNMEA] expected"},
      {head + "  Port = 'COM1\nend\n",
       "Line 3: invalid value ''COM1' for Port: a quoted string expected"},
      {head, "Line 3: 'end' expected before the end of the stream"},
      {head + "end\n\nobject GPS2: TNorvGPSSimulator\n", "Line 5: nothing may follow 'end'"},
  };
  for (const auto& c : cases) {
    TNorvGPSSimulator sim;
    sim.SetName("Before");
    try {
      ComponentFromString(c.text, sim);
      ADD_FAILURE() << "accepted:\n" << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(sim.FixQuality(), 0) << c.message;
    EXPECT_EQ(sim.Name(), "Before");
  }
}

TEST(Streaming, ReadsWithoutRegardToCaseBlankLinesOrLineEndings) {
  TNorvGPSSimulator sim;
  ComponentFromString(
      "\r\nOBJECT gps2 : tnorvgpssimulator\r\n\r\n\tlatitude_direction=CPSOUTH\r\n"
      "  commands = [ gpgga ,gpzda ]\r\n  PORT = '/dev/pts/3'#0\r\nEnd\r\n\r\n",
      sim);
  EXPECT_EQ(sim.Name(), "gps2");
  EXPECT_EQ(sim.Latitude_Direction(), cpSouth);
  EXPECT_EQ(sim.Commands(), (TNMEACommands{GPGGA, GPZDA}));
  EXPECT_EQ(sim.Port(), std::string("/dev/pts/3\0", 11));
}

TEST(Streaming, WritingRefusesANameThatCouldNotBeReadBack) {
  TNorvGPSSimulator sim;
  for (const char* name : {"my gps", "1st", "gps:1", "a=b"}) {
    sim.SetName(name);
    EXPECT_THROW(ComponentToString(sim), Exception) << name;
  }
  TComponent plain;
  std::ostringstream out;
  EXPECT_THROW(WriteComponent(out, plain, ComponentClassOf<TNorvGPSSimulator>()), Exception);
}

}  // namespace
}  // namespace norv
