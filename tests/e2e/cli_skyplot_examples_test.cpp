// The sky plot subcommand and the example scenarios shipped in examples/.
#include <gtest/gtest.h>

#include <set>

#include "support/CliProcess.h"
#include "e2e/NmeaText.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using test::RunCli;

const std::string kExamples = NORV_SOURCE_DIR "/examples/";

TEST(CliSkyPlot, WritesAPngOrAnSvgOfTheScenario) {
  test::TempDir dir("cli-sky");
  const auto png = dir / "sky.png";
  auto r = RunCli({"skyplot", "-o", png.string(), "--radius", "120"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string image = test::ReadWholeFile(png);
  ASSERT_GT(image.size(), 24u);
  EXPECT_EQ(image.substr(1, 3), "PNG");
  // Width and height (big-endian, at 16 and 20): the plot of radius 120 plus room for the
  // discs of satellites on the horizon.
  const auto be32 = [&](std::size_t at) {
    return (static_cast<unsigned char>(image[at]) << 24) |
           (static_cast<unsigned char>(image[at + 1]) << 16) |
           (static_cast<unsigned char>(image[at + 2]) << 8) | static_cast<unsigned char>(image[at + 3]);
  };
  EXPECT_EQ(be32(16), 273);
  EXPECT_EQ(be32(20), 273);
  EXPECT_NE(r.err.find("17 satellites"), std::string::npos) << r.err;

  const auto svg = dir / "sky.SVG";
  r = RunCli({"skyplot", "--scenario", kExamples + "harbour-route.ini", "-o", svg.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string vector = test::ReadWholeFile(svg);
  EXPECT_NE(vector.find("<svg"), std::string::npos);
  EXPECT_NE(r.err.find("12 satellites"), std::string::npos) << r.err;

  r = RunCli({"skyplot", "-o", (dir / "no-such-dir" / "sky.png").string()});
  EXPECT_EQ(r.exitCode, 74) << r.err;
}

TEST(CliExamples, TheStaticSurveyStaysPutAndSendsItsSentenceKinds) {
  const auto r = RunCli({"--scenario", kExamples + "survey-static.ini", "--deterministic",
                         "--count", "3"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::set<std::string> kinds, positions;
  for (const auto& s : test::SplitSentences(r.out)) {
    kinds.insert(test::SentenceKind(s));
    if (s.rfind("$GPGGA", 0) == 0) {
      const auto f = test::SentenceFields(s);
      positions.insert(f[2] + f[3] + f[4] + f[5] + "," + f[6]);
    }
  }
  EXPECT_EQ(kinds, (std::set<std::string>{"ZDA", "GGA", "RMC", "GSA", "GSV"}));
  EXPECT_EQ(positions, (std::set<std::string>{"3351.598333S15112.296667E,2"}));
}

// 20-second epochs: the whole passage in about 170 epochs.
TEST(CliExamples, TheHarbourRouteArrivesAtEachWaypointInTurnAndStopsAtTheLast) {
  const auto r = RunCli({"--scenario", kExamples + "harbour-route.ini", "--deterministic",
                         "--rate", "0.05", "--count", "220", "--commands", "GGA,RMC,AAM"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> arrivals;
  std::string lastGga, lastRmc;
  for (const auto& s : test::SplitSentences(r.out)) {
    if (s.rfind("$GPAAM", 0) == 0) {
      const std::string name = test::SentenceFields(s).back();
      if (arrivals.empty() || arrivals.back() != name) arrivals.push_back(name);
    }
    if (s.rfind("$GPGGA", 0) == 0) lastGga = s;
    if (s.rfind("$GPRMC", 0) == 0) lastRmc = s;
  }
  EXPECT_EQ(arrivals, (std::vector<std::string>{"SPITBK", "NOMANS", "STHELN"}));
  const auto gga = test::SentenceFields(lastGga);
  EXPECT_EQ(gga[2] + gga[3] + gga[4] + gga[5], "5042.500000N00059.500000W") << lastGga;
  EXPECT_EQ(test::SentenceFields(lastRmc)[7], "0") << "stopped at the end: " << lastRmc;
}

}  // namespace
}  // namespace norv
