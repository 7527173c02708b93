#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/Exception.h"
#include "norv/satellites/Satellite.h"
#include "support/TempDirTest.h"

namespace norv {
namespace {

namespace fs = std::filesystem;

struct SatelliteValues {
  bool Active;
  std::int32_t Elevation, Azimuth, SNR;
  TSatelliteType Type;
  friend bool operator==(const SatelliteValues&, const SatelliteValues&) = default;
};

std::ostream& operator<<(std::ostream& os, const SatelliteValues& v) {
  return os << "{" << v.Active << ", " << v.Elevation << ", " << v.Azimuth << ", " << v.SNR
            << ", type " << int(v.Type) << "}";
}

std::vector<SatelliteValues> Table(const TNorvGPSSimulator& sim) {
  std::vector<SatelliteValues> table;
  for (const TSatellite* s : sim.GetSatellitesList())
    table.push_back(
        {s->Active(), s->Elevation(), s->Azimuth(), s->SignalToNoiseRatio(), s->SatelliteType()});
  return table;
}

SatelliteValues At(const TNorvGPSSimulator& sim, std::uint16_t code) {
  return Table(sim)[code - 1];
}

class SatelliteFileTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    file_ = dir_ / "sky.ini";
  }
  void Write(const std::string& text) { test::WriteWholeFile(file_, text); }
  std::string Read() const { return test::ReadWholeFile(file_); }
  fs::path file_;
};

std::string Section(int code, const std::string& active, int elevation, int azimuth, int snr,
                    const std::string& type) {
  return "[" + std::to_string(code) + "]\nActive=" + active +
         "\nElevation=" + std::to_string(elevation) + "\nAzimuth=" + std::to_string(azimuth) +
         "\nSNR=" + std::to_string(snr) + "\nType=" + type + "\n";
}

TEST_F(SatelliteFileTest, FreshComponentSavesEverySatelliteInCodeOrderReplacingAnOlderFile) {
  Write("[999]\nStale=1\n[1]\nOld=yes\n");
  TNorvGPSSimulator sim;
  sim.SaveSatellitesToFile(file_);
  std::string expected;
  for (int code = 1; code <= 235; ++code) expected += Section(code, "0", 0, 0, 0, "GPS");
  EXPECT_EQ(Read(), expected);
}

TEST_F(SatelliteFileTest, SavedTableLoadsIntoAnotherComponentUnchanged) {
  TNorvGPSSimulator sim;
  sim.SetSatellite(7, true, 30, 200, 45, GlonassSatellite);
  sim.SetSatellite(1, true, 90, 359, 99, GpsSatellite);
  sim.SetSatellite(235, false, 12, 34, 56, BeidouSatellite);  // inactive keeps its values
  sim.SaveSatellitesToFile(file_);
  EXPECT_NE(Read().find(Section(7, "1", 30, 200, 45, "GLONASS")), std::string::npos);
  EXPECT_NE(Read().find(Section(235, "0", 12, 34, 56, "Beidou")), std::string::npos);

  TNorvGPSSimulator other;
  other.SetSatellite(100, true, 5, 6, 7, GlonassSatellite);  // overwritten by section 100
  other.LoadSatellitesFromFile(file_);
  EXPECT_EQ(Table(other), Table(sim));
}

TEST_F(SatelliteFileTest, LoadAppliesOnlyTheSectionsInTheFile) {
  TNorvGPSSimulator sim;
  sim.SetSatellite(11, true, 1, 2, 3, BeidouSatellite);
  sim.SetSatellite(13, true, 4, 5, 6, GlonassSatellite);
  std::vector<SatelliteValues> expected = Table(sim);
  expected[12 - 1] = {true, 10, 20, 30, GlonassSatellite};
  Write(Section(12, "1", 10, 20, 30, "GLONASS"));
  sim.LoadSatellitesFromFile(file_);
  EXPECT_EQ(Table(sim), expected);
}

TEST_F(SatelliteFileTest, MissingOrUnreadableValuesTakeTheirDefaults) {
  struct Case {
    const char* Body;
    SatelliteValues Expected;
  };
  const Case cases[] = {
      {"Active=1\nElevation=5\nAzimuth=6\nSNR=7\nType=bd\n", {true, 5, 6, 7, BeidouSatellite}},
      {"Active=1\nElevation=5\nAzimuth=6\nSNR=7\n", {true, 5, 6, 7, GpsSatellite}},
      {"Elevation=5\nAzimuth=6\nSNR=7\nType=GLONASS\n", {false, 5, 6, 7, GlonassSatellite}},
      {"ACTIVE=2\nelevation=8\nType=glonass\n", {true, 8, 0, 0, GlonassSatellite}},
      {"Active=yes\nElevation=1e1\nAzimuth=4.5\nSNR=\nType=Galileo\n",
       {false, 0, 0, 0, GpsSatellite}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Body);
    TNorvGPSSimulator sim;
    sim.SetSatellite(20, true, 50, 50, 50, BeidouSatellite);  // every value is replaced
    Write(std::string("[20]\n") + c.Body);
    sim.LoadSatellitesFromFile(file_);
    EXPECT_EQ(At(sim, 20), c.Expected);
  }
}

TEST_F(SatelliteFileTest, ABadSectionRaisesAfterTheSectionsBeforeItWereApplied) {
  const std::string codeMessage = "PseudoRandomCode must be between 1 and 235.";
  struct Case {
    const char* Bad;
    std::string Message;
    bool Conversion;
  };
  const Case cases[] = {
      {"[0]\nActive=1\n", ":7: [0] " + codeMessage, false},
      {"[236]\nActive=1\n", ":7: [236] " + codeMessage, false},
      {"[-1]\nActive=1\n", ":7: [-1] " + codeMessage, false},
      {"[65537]\nActive=1\n", ":7: [65537] " + codeMessage, false},  // must not wrap onto 1
      {"[5]\nElevation=95\n", ":8: [5] Elevation: Elevation must be between 0 and 90.", false},
      {"[5]\nAzimuth=360\n", ":8: [5] Azimuth: Azimuth must be between 0 and 360.", false},
      {"[5]\nSNR=100\n", ":8: [5] SNR: SignalToNoiseRatio must be between 0 and 99.", false},
      {"[GPS5]\nActive=1\n", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Bad);
    TNorvGPSSimulator sim;
    Write(Section(3, "1", 10, 10, 10, "GPS") + c.Bad + Section(4, "1", 20, 20, 20, "GPS"));
    try {
      sim.LoadSatellitesFromFile(file_);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError&) {
      EXPECT_TRUE(c.Conversion);
    } catch (const ENorvNMEAException& e) {
      EXPECT_FALSE(c.Conversion);
      EXPECT_EQ(e.Message(), file_.string() + c.Message);
    }
    EXPECT_EQ(At(sim, 3), (SatelliteValues{true, 10, 10, 10, GpsSatellite}));
    EXPECT_EQ(At(sim, 4), (SatelliteValues{false, 0, 0, 0, GpsSatellite}));
    EXPECT_EQ(At(sim, 1), (SatelliteValues{false, 0, 0, 0, GpsSatellite}));
    EXPECT_EQ(At(sim, 5), (SatelliteValues{false, 0, 0, 0, GpsSatellite}));
  }
}

TEST_F(SatelliteFileTest, ARefusalQuotesAHugeSectionNameOnlyInPart) {
  TNorvGPSSimulator sim;
  Write("[" + std::string(1 << 20, '9') + "]\nActive=1\n");
  try {
    sim.LoadSatellitesFromFile(file_);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    // The name stands in the place and in the conversion's message; each time cut short.
    EXPECT_LT(e.Message().size(), file_.string().size() + 200) << e.Message().substr(0, 300);
    EXPECT_EQ(e.Message().rfind(file_.string() + ":1: [999", 0), 0u);
  }
}

TEST_F(SatelliteFileTest, ACodeGivenTwiceTakesTheLaterSection) {
  TNorvGPSSimulator sim;
  Write(Section(9, "1", 1, 1, 1, "GPS") + Section(8, "1", 2, 2, 2, "GPS") +
        "[09]\nActive=1\nSNR=77\n");
  sim.LoadSatellitesFromFile(file_);
  EXPECT_EQ(At(sim, 9), (SatelliteValues{true, 0, 0, 77, GpsSatellite}));
  EXPECT_EQ(At(sim, 8), (SatelliteValues{true, 2, 2, 2, GpsSatellite}));
}

TEST_F(SatelliteFileTest, LoadingAMissingFileChangesNothing) {
  TNorvGPSSimulator sim;
  sim.SetSatellite(30, true, 40, 50, 60, GlonassSatellite);
  const auto before = Table(sim);
  EXPECT_NO_THROW(sim.LoadSatellitesFromFile(dir_ / "absent.ini"));
  EXPECT_EQ(Table(sim), before);
}

// Limits the size of files this process may write, for the lifetime of the object; writes past
// the limit fail with EFBIG (root included) instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit saved_{};
  void (*previous_handler_)(int);
};

TEST_F(SatelliteFileTest, AFailedSaveLeavesThePreviousFileAsItWas) {
  const std::string previous = Section(1, "1", 1, 2, 3, "GPS");
  Write(previous);
  TNorvGPSSimulator sim;
  {
    FileSizeLimit limit(1024);  // far below the ~14 KB of a whole table
    EXPECT_THROW(sim.SaveSatellitesToFile(file_), Exception);
  }
  EXPECT_EQ(Read(), previous);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
      << "a temporary file was left behind";

  if (::geteuid() != 0) {  // root may write into a read-only directory
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(sim.SaveSatellitesToFile(file_), Exception);
    EXPECT_EQ(Read(), previous);
  }
}

}  // namespace
}  // namespace norv
