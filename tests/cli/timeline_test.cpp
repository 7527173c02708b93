// The timeline's refusals (file, line, key, before the run), the faults' effect on an epoch's
// text and their dependence on the seed, and the events as a run plays them.
#include <gtest/gtest.h>

#include <functional>

#include "EventPlayer.h"
#include "ExitCodes.h"
#include "Faults.h"
#include "Options.h"
#include "Scenario.h"
#include "Timeline.h"
#include "cli/ParseArgs.h"
#include "e2e/NmeaText.h"
#include "norv/navigation/Routes.h"
#include "support/TempDir.h"

namespace norvgpssim {
namespace {

// Three sentences of one epoch with good checksums.
const std::string kEpoch =
    "$GPGGA,120000.000,5429.666667,N,01016.500000,E,1,12,0.9,14.2,M,39.6,M,,*66\r\n"
    "$GPGSV,1,1,01,03,61,040,45*49\r\n"
    "$GPRMC,120000.000,A,5429.666667,N,01016.500000,E,12.5,84.3,010324,0.6,W,A*17\r\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t at = 0, nl; (nl = text.find("\r\n", at)) != std::string::npos; at = nl + 2)
    out.push_back(text.substr(at, nl - at));
  return out;
}

FaultRule Rule(const std::string& text) {
  std::string why;
  const auto rule = ParseFault(text, why);
  EXPECT_TRUE(rule.has_value()) << text << ": " << why;
  return rule.value_or(FaultRule{});
}

TEST(Timeline, ABadLineIsRefusedWithItsFileLineAndKey) {
  norv::test::TempDir dir{"timeline"};
  dir.Write("sats.ini", "[3]\nActive=1\nElevation=40\nAzimuth=10\nSNR=40\nType=GPS\n");
  const struct {
    const char* line;
    const char* says;
  } cases[] = {
      {"5 = explode", "explode: unknown action"},
      {"5 = Sped=3", "Sped: unknown key"},
      {"1 = Speed=2", "goes back in time"},
      {"soon = stop", "soon: not a time"},
      {"5 = HDOP=fast", "'fast' is not a value for HDOP"},
      {"5 = Latitude_Degree=95", "Latitude"},
      {"5 = Sat3.SNR=120", "SignalToNoiseRatio"},
      {"5 = Sat999.Active=0", "no satellite 999"},
      {"5 = Latitude_Direction=cpNorth over 3", "only a number can be ramped"},
      {"5 = Model=orbits", "cannot change during it"},
      {"5 = follow NOWHERE", "no route 'NOWHERE'"},
      {"5 = goto", "needs a name"},
      {"5 = fault checksum:2", "fraction"},
      {"5 = fault drop:G5V for 3", "three letters"},
      {"5 = fault stall for -1", "'for SECONDS' or 'count N'"},
      {"5 = UTCDateTime=1", "virtual clock"},
      {"5 = Profile=modern", "Profile must be classic or nmea4"},
  };
  for (const auto& c : cases) {
    const auto file = dir.Write("s.ini", std::string("[Files]\nSatellites=sats.ini\n[Timeline]\n"
                                                     "2 = Speed=1\n") + c.line + "\n");
    try {
      CheckTimeline(ReadTimeline(file), file);
      ADD_FAILURE() << c.line << " was accepted";
    } catch (const CliError& e) {
      EXPECT_EQ(e.Code(), kExitScenario);
      const std::string m = e.what();
      EXPECT_NE(m.find(file.string() + ":5: [Timeline] "), std::string::npos) << m;
      EXPECT_NE(m.find(c.says), std::string::npos) << c.line << " -> " << m;
    }
  }
}

TEST(Timeline, ReadsTimesActionsAndAnEventsFile) {
  norv::test::TempDir dir{"timeline"};
  dir.Write("events.txt", "40 = fault drop:GSV count 2\n2024-03-01T12:01:00Z = stop\n");
  const auto file = dir.Write("s.ini", "[Receiver]\nSpeed=3\n[Timeline]\nSeed=9\n"
                                       "10 = Speed=20 over 30\nFile=events.txt\n"
                                       "50 = Sat3.SNR=20\n");
  const Timeline t = ReadTimeline(file);
  EXPECT_EQ(t.seed, 9u);
  ASSERT_EQ(t.events.size(), 4u);
  EXPECT_EQ(t.events[0].over, 30);
  EXPECT_EQ(t.events[1].fault.hits, 2u);
  EXPECT_EQ(t.events[1].fault.rule.sentences, std::vector<std::string>{"GSV"});
  EXPECT_EQ(t.events[2].atUnixMs, 1709294460000);
  EXPECT_EQ(t.events[3].satellite, 3);
  EXPECT_NE(t.events[1].place.find("events.txt:1:"), std::string::npos);
}

// Each sentence fault, applied to every sentence: what is left of the epoch.
TEST(Faults, EachSentenceFaultDoesWhatItSays) {
  const struct {
    const char* rule;
    std::function<void(const std::vector<std::string>&)> check;
  } cases[] = {
      {"checksum", [](const auto& l) {
         ASSERT_EQ(l.size(), 3u);
         for (const auto& s : l) EXPECT_FALSE(norv::test::ChecksumValid(s)) << s;
       }},
      {"flip", [](const auto& l) {
         ASSERT_EQ(l.size(), 3u);
         for (std::size_t i = 0; i < 3; ++i) {
           EXPECT_FALSE(norv::test::ChecksumValid(l[i])) << l[i];
           EXPECT_EQ(l[i].size(), Lines(kEpoch)[i].size());
         }
       }},
      {"truncate", [](const auto& l) {
         ASSERT_EQ(l.size(), 3u);
         for (std::size_t i = 0; i < 3; ++i) EXPECT_LT(l[i].size(), Lines(kEpoch)[i].size() - 2);
       }},
      {"drop:GSV,RMC", [](const auto& l) {
         ASSERT_EQ(l.size(), 1u);
         EXPECT_EQ(l[0].substr(0, 6), "$GPGGA");
       }},
      {"garbage", [](const auto& l) {
         ASSERT_EQ(l.size(), 3u);
         for (const auto& s : l) EXPECT_NE(s[0], '$');
       }},
  };
  for (const std::string& s : Lines(kEpoch)) ASSERT_TRUE(norv::test::ChecksumValid(s)) << s;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    FaultInjector faults(1);
    faults.Add({Rule(c.rule), 0, {}, {}});
    c.check(Lines(faults.Apply(kEpoch, 0)));
  }
}

TEST(Faults, AFractionIsDrawnFromTheSeed) {
  const auto corrupted = [](std::uint64_t seed) {
    FaultInjector faults(seed);
    faults.Add({Rule("checksum:0.1"), 0, {}, {}});
    std::string pattern;
    for (int k = 0; k < 300; ++k)
      for (const auto& s : Lines(faults.Apply(kEpoch, k)))
        pattern += norv::test::ChecksumValid(s) ? '.' : 'x';
    return pattern;
  };
  const std::string a = corrupted(7);
  EXPECT_EQ(a, corrupted(7));
  EXPECT_NE(a, corrupted(8));
  const auto hits = std::count(a.begin(), a.end(), 'x');
  EXPECT_GT(hits, 60);  // 10 % of 900 sentences, well inside chance
  EXPECT_LT(hits, 120);
}

TEST(Faults, WindowsCountsStallAndDuplicate) {
  FaultInjector faults(1);
  faults.Add({Rule("drop"), 2, 4, {}});          // epochs at 2 and 3
  faults.Add({Rule("stall"), 5, 7, {}});         // 5 and 6 held, sent with 7
  faults.Add({Rule("duplicate"), 8, {}, 1});     // once
  std::vector<std::size_t> sentences;
  for (int t = 0; t < 10; ++t) sentences.push_back(Lines(faults.Apply(kEpoch, t)).size());
  EXPECT_EQ(sentences, (std::vector<std::size_t>{3, 3, 0, 0, 3, 0, 0, 9, 6, 3}));
}

TEST(FaultOptions, AreReadAndBadOnesAreUsageErrors) {
  const CommandLine good =
      ParseArgs({"--fault", "checksum:0.01", "--fault", "drop:GSV", "--seed", "3"});
  ASSERT_EQ(good.command, Command::Run);
  ASSERT_EQ(good.run.faults.size(), 2u);
  EXPECT_EQ(good.run.faults[1].kind, FaultKind::DropKind);
  EXPECT_EQ(good.run.seed, 3u);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--fault", "bogus"}, {"--fault", "checksum:0"}, {"--fault", "stall:2"},
           {"--fault", "clock:x"}, {"--seed", "-1"}}) {
    EXPECT_EQ(ParseArgs(args).exitCode, kExitUsage) << args[1];
  }
}

TEST(EventPlayer, RampsTakesTheFixAwayAndJumpsTheClock) {
  norv::test::TempDir dir{"timeline"};
  const auto file = dir.Write("s.ini", "[Receiver]\nSpeed=10\nFixQuality=2\n[Timeline]\n"
                                       "0 = Speed=20 over 10\n3 = fault nofix for 2\n"
                                       "6 = fault clock:-2.5\n");
  norv::TNorvGPSSimulator sim;
  Motion motion(sim, LoadScenario(sim, file));
  ProfileSettings profile;
  EventPlayer player(ReadTimeline(file), 1, {}, false);
  std::vector<double> speeds;
  std::vector<int> fix;
  for (int t = 0; t <= 10; t += 1) {
    player.Fire(t, 0, sim, motion, profile);
    player.HoldFix(t, sim, true);
    speeds.push_back(static_cast<double>(sim.Speed()));
    fix.push_back(sim.FixQuality());
  }
  EXPECT_EQ(speeds[5], 15);
  EXPECT_EQ(speeds[10], 20);
  EXPECT_EQ(fix, (std::vector<int>{2, 2, 2, 0, 0, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(player.ClockOffsetMs(), -2500);
  EXPECT_NE(player.LastEvent().find("clock"), std::string::npos);
}

// A goto that comes again heads for the same one-waypoint route: one route, not one each time
// (the second used to be refused by the route list and left to leak).
TEST(EventPlayer, AGotoThatComesAgainReusesItsRoute) {
  norv::test::TempDir dir{"timeline"};
  dir.Write("wp.ini", "[WP1]\nName=WP1\nLatitude_Degree=54\nLatitude_Direction=N\n"
                      "Longitude_Degree=10\nLongitude_Direction=E\n");
  const auto file = dir.Write("s.ini", "[Files]\nWayPoints=wp.ini\n[Timeline]\n"
                                       "0 = goto WP1\n1 = stop\n2 = goto WP1\n");
  norv::TNorvGPSSimulator sim;
  Motion motion(sim, LoadScenario(sim, file));
  ProfileSettings profile;
  EventPlayer player(ReadTimeline(file), 1, {}, false);
  for (int t = 0; t <= 2; ++t) player.Fire(t, 0, sim, motion, profile);
  ASSERT_EQ(sim.Routes()->Count(), 1);
  EXPECT_EQ(sim.Routes()->ActiveRoute(), sim.Routes()->GetByName("goto WP1"));
  EXPECT_EQ(motion.Settings().mode, MotionMode::Route);
}

}  // namespace
}  // namespace norvgpssim
