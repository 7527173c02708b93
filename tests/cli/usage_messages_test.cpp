// What a new user meets: one plain line per refused argument, the short forms of a scenario,
// the warnings about a satellites file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "Options.h"
#include "SatelliteFileCheck.h"
#include "ShortForms.h"
#include "StatusLine.h"
#include "cli/ParseArgs.h"
#include "norv/core/PublishedProperties.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norvgpssim {
namespace {


TEST(UsageMessages, EachBadArgumentGetsOnePlainLine) {
  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{"--duration", "0"}, "--duration '0' is out of range (expected a number from 0.001 to "},
      {{"--rate", "abc"}, "--rate 'abc' is not a number (expected a number from 0.001 to 100)"},
      {{"--tcp", "70000"}, "--tcp '70000' is out of range (expected a whole number from 0 to 65535)"},
      {{"--count", "2.5"}, "--count '2.5' is not a whole number"},
      {{"-c", "5"}, "unknown option '-c'"},
      {{"7"}, "unexpected argument '7'"},
      {{"--commands", ""}, "--commands '': no sentence kind"},
      {{"--commands", "GGA,XYZ"}, "--commands 'GGA,XYZ': unknown sentence kind 'XYZ'"},
      {{"--rate", "1", "--rate", "2"}, "--rate is given more than once: give it once"},
      {{"--rate"}, "--rate needs a value"},
      {{"--radius", "20", "skyplot", "-o", "s.png"},
       "--radius is an option of skyplot: put it after 'skyplot'"},
      {{"--rate", "5", "skyplot", "-o", "s.png"}, "--rate is a run option, not used by skyplot"},
      {{"skyplot", "-o", "s.png", "--count", "3"}, "--count is a run option, not used by skyplot"},
      {{"--count", "3", "scenario", "--template"}, "--count is a run option, not used by scenario"},
  };
  for (const auto& c : cases) {
    std::string err;
    const CommandLine line = ParseArgs(c.args, &err);
    EXPECT_EQ(line.command, Command::Exit) << c.says;
    EXPECT_EQ(line.exitCode, 64) << c.says;
    EXPECT_NE(err.find("norvgpssim: " + c.says), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  }
}

TEST(UsageMessages, SkyplotTakesTheScenarioWhereverItStands) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--scenario", "a.ini", "skyplot", "-o", "s.png"},
           {"skyplot", "--scenario", "a.ini", "-o", "s.png"}}) {
    const CommandLine c = ParseArgs(args);
    ASSERT_EQ(c.command, Command::SkyPlot);
    EXPECT_EQ(c.skyplot.scenario, std::filesystem::path("a.ini"));
  }
}

TEST(UsageMessages, CommandsTakeSpacesAndLowerCase) {
  EXPECT_EQ(ParseArgs({"--commands", "gga, rmc"}).run.commands,
            (norv::TNMEACommands{norv::GPGGA, norv::GPRMC}));
  EXPECT_EQ(ParseArgs({"scenario", "--template"}).command, Command::Template);
}

TEST(ShortForms, ScenarioValuesTakeTheCommandLinesWording) {
  const norv::TComponentClass& cls = norv::ComponentClassOf<norv::TNorvGPSSimulator>();
  const struct {
    const char *property, *text, *becomes;
  } cases[] = {
      {"Latitude_Direction", "S", "cpSouth"},     {"Latitude_Direction", "north", "cpNorth"},
      {"Longitude_Direction", "W", "cpWest"},     {"Magnetic_Variation_Direction", "E", "cpEast"},
      {"Latitude_Direction", "cpSouth", "cpSouth"}, {"Latitude_Direction", "X", "X"},
      {"Commands", "GGA, rmc", "[GPGGA, GPRMC]"}, {"Commands", "[GPGGA]", "[GPGGA]"},
      {"Speed", "N", "N"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LongForm(*cls.FindProperty(c.property), c.text), c.becomes) << c.property << c.text;
}

TEST(SatelliteFileCheck, WarnsOfWhatTheLoaderAcceptsQuietly) {
  norv::test::TempDir dir("satcheck");
  const auto file = dir.Write("sats.ini",
                              "[3]\nActive=1\nTipe=GPS\nElevation=ten\n"
                              "Azimuth=90\nSNR=40\nType=Galileo\n[4]\nType=bd\n");
  const std::vector<std::string> warnings = CheckSatelliteFile(file);
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_NE(warnings[0].find("sats.ini:3: [3] Tipe: unknown key"), std::string::npos) << warnings[0];
  EXPECT_NE(warnings[1].find("sats.ini:4: [3] Elevation: 'ten' is not a whole number"),
            std::string::npos) << warnings[1];
  EXPECT_NE(warnings[2].find("sats.ini:7: [3] Type: 'Galileo'"), std::string::npos) << warnings[2];
}

TEST(StatusLine, DrawnOnlyInTheForegroundOfItsTerminal) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  EXPECT_FALSE(InTerminalForeground(fds[1]));  // not a terminal
  ::close(fds[0]);
  ::close(fds[1]);
  // A terminal, but not this process's controlling one: no foreground group of ours.
  norv::test::Pseudoterminal pty;
  const int slave = ::open(pty.Path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(slave, 0);
  EXPECT_FALSE(InTerminalForeground(slave));
  ::close(slave);
}

}  // namespace
}  // namespace norvgpssim
