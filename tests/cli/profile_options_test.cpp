// The output profile's options and the start-up check of a serial line's room.
#include <gtest/gtest.h>

#include "ExitCodes.h"
#include "Options.h"
#include "Profile.h"
#include "cli/ParseArgs.h"

namespace norvgpssim {
namespace {


TEST(ProfileOptions, ProfileAndTalkerAreRead) {
  const CommandLine c = ParseArgs({"--profile", "NMEA4", "--talker", "GP"});
  ASSERT_EQ(c.command, Command::Run);
  EXPECT_EQ(c.run.profile, OutputProfile::Nmea4);
  EXPECT_EQ(c.run.talker, "GP");
  EXPECT_FALSE(ParseArgs({}).run.profile.has_value());
}

TEST(ProfileOptions, BadValuesAreUsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--profile", "modern"}, {"--talker", "gn"}, {"--talker", "GNX"}, {"--talker", "G1"}}) {
    std::string err;
    const CommandLine c = ParseArgs(args, &err);
    EXPECT_EQ(c.command, Command::Exit) << args[1];
    EXPECT_EQ(c.exitCode, 64) << args[1];
    EXPECT_NE(err.find(args[1]), std::string::npos) << err;
  }
}

TEST(ProfileOptions, ATalkerNeedsTheNmea4Profile) {
  RunOptions o;
  o.talker = "GP";
  EXPECT_THROW(ChooseProfile(o), CliError);
  o.profile = OutputProfile::Nmea4;
  EXPECT_EQ(ChooseProfile(o).talker, "GP");
}

TEST(LineShortfall, NamesTheSmallestStandardBaudThatFits) {
  const struct {
    std::size_t bytes;
    double rate;
    std::int32_t baud;
    std::string says;  // empty: it fits
  } cases[] = {
      {480, 1, 4800, ""},                  // exactly the line's 480 bytes a second
      {481, 1, 4800, "--baud 9600"},
      {1900, 1, 4800, "--baud 19200"},     // the classic epoch of three constellations
      {1900, 10, 115200, "--baud 230400"},
      {1900, 100, 921600, "no standard baud rate fits"},
  };
  for (const auto& c : cases) {
    const std::string text = LineShortfall(c.bytes, c.rate, c.baud);
    if (c.says.empty()) {
      EXPECT_EQ(text, "") << c.bytes;
    } else {
      EXPECT_NE(text.find(c.says), std::string::npos) << text;
      EXPECT_NE(text.find(std::to_string(c.bytes) + " bytes"), std::string::npos) << text;
    }
  }
}

}  // namespace
}  // namespace norvgpssim
