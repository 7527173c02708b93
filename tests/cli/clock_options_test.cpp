// The virtual clock's instants, ISO 8601 start times, sentence-kind lists and INI line lookup.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Clock.h"
#include "Options.h"
#include "TimeText.h"
#include "support/TempDir.h"

namespace norvgpssim {
namespace {

TEST(TimeText, ParsesTheIso8601FormsAUserTypes) {
  const struct {
    const char* text;
    std::int64_t ms;
  } cases[] = {
      {"2024-03-01T12:00:00Z", 1709294400000},
      {"2024-03-01 12:00:00", 1709294400000},
      {"2024-03-01t12:00:00.25z", 1709294400250},
      {"2024-03-01T12:00:00,5Z", 1709294400500},
      {"2024-03-01T14:00:00+02:00", 1709294400000},
      {"2024-03-01T06:30:00-0530", 1709294400000},
      {"2024-03-01T12:00", 1709294400000},
      {"2024-03-01", 1709251200000},
      {"2000-02-29T23:59:59.9996Z", 951868800000},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIso8601(c.text), c.ms) << c.text;
  for (const char* bad : {"", "2024-3-1", "2024-02-30", "2024-03-01T25:00:00Z",
                          "2024-03-01T12:00:00Q", "2024-03-01T12:00:00.Z", "now"})
    EXPECT_THROW(ParseIso8601(bad), std::invalid_argument) << bad;
  EXPECT_EQ(FormatIso8601(1709294400250), "2024-03-01T12:00:00.250Z");
}

TEST(EpochSchedule, InstantsComeFromTheEpochNumberWithoutDrift) {
  const EpochSchedule thirds(1709294400000, 3);
  EXPECT_EQ(thirds.InstantMs(1), 1709294400333);
  EXPECT_EQ(thirds.InstantMs(3), 1709294401000);
  EXPECT_EQ(thirds.InstantMs(3'000'000), 1709294400000 + 1'000'000'000);
  double total = 0;
  for (std::uint64_t k = 0; k < 300; ++k) total += thirds.StepSeconds(k);
  EXPECT_DOUBLE_EQ(total, 100.0);  // the steps add up to the instants exactly
  EXPECT_EQ(EpochSchedule(0, 0.5).InstantMs(2), 4000);
}

TEST(Options, SentenceKindListsMapToTheCommandSet) {
  using norv::TNMEACommands;
  EXPECT_EQ(ParseCommands("GGA,rmc"), (TNMEACommands{norv::GPGGA, norv::GPRMC}));
  EXPECT_EQ(ParseCommands("GPZDA,gpgll,AAM"),
            (TNMEACommands{norv::GPZDA, norv::GPGLL, norv::GPAAM}));
  EXPECT_TRUE(ParseCommands("all").Contains(norv::AllNMEA));
  for (const char* bad : {"", "GGA,,RMC", "GGAX", "XXGGA", "GGA RMC"})
    EXPECT_THROW(ParseCommands(bad), std::invalid_argument) << bad;
}

}  // namespace
}  // namespace norvgpssim
