// The waypoint file: its exact layout, reading it back, and saves that fail without damage.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/TempDirTest.h"
#include "norv/model/ENorvNMEAException.h"
#include "norv/framework/Exception.h"
#include "norv/framework/SysUtils.h"
#include "norv/navigation/WayPoints.h"
#include "support/SeparatorGuard.h"

namespace norv {
namespace {

namespace fs = std::filesystem;

const char* const kExampleFile =
    "[WP1]\n"
    "Name=WP1\n"
    "Latitude_Degree=48\n"
    "Latitude_Minute=7\n"
    "Latitude_Second=3.5\n"
    "Latitude_Direction=N\n"
    "Longitude_Degree=11\n"
    "Longitude_Minute=31\n"
    "Longitude_Second=0\n"
    "Longitude_Direction=E\n"
    "[WP2]\n"
    "Name=WP2\n"
    "Latitude_Degree=0\n"
    "Latitude_Minute=0\n"
    "Latitude_Second=0\n"
    "Latitude_Direction=N\n"
    "Longitude_Degree=0\n"
    "Longitude_Minute=0\n"
    "Longitude_Second=0\n"
    "Longitude_Direction=E\n";

TWayPoint* NewWayPoint(const std::string& name, int latDeg, int latMin, Extended latSec,
                       TCardinalPoint latDir, int lonDeg, int lonMin, Extended lonSec,
                       TCardinalPoint lonDir) {
  auto* w = new TWayPoint(name);
  w->SetLatDeg(latDeg);
  w->SetLatMin(latMin);
  w->SetLatSec(latSec);
  w->SetLatDir(latDir);
  w->SetLongDeg(lonDeg);
  w->SetLongMin(lonMin);
  w->SetLongSec(lonSec);
  w->SetLongDir(lonDir);
  return w;
}

// Name and every value, for comparing whole lists.
std::string Describe(const TWayPoints& list) {
  std::string out;
  for (std::int32_t i = 0; i < list.GetCount(); ++i) {
    const TWayPoint* w = list.GetItem(i);
    out += w->Name() + ":" + std::to_string(w->Latitude_Degree()) + "," +
           std::to_string(w->Latitude_Minute()) + "," + FloatToStr(w->Latitude_Second()) +
           (w->Latitude_Direction() == cpNorth ? "N," : "S,") +
           std::to_string(w->Longitude_Degree()) + "," + std::to_string(w->Longitude_Minute()) +
           "," + FloatToStr(w->Longitude_Second()) +
           (w->Longitude_Direction() == cpEast ? "E;" : "W;");
  }
  return out;
}

class WayPointFileTest : public test::TempDirTest {
 protected:
  void FillExample() {
    list_.Add(NewWayPoint("WP1", 48, 7, 3.5L, cpNorth, 11, 31, 0, cpEast));
    list_.Add(new TWayPoint("WP2"));
  }
  void SetUp() override {
    TempDirTest::SetUp();
    file_ = dir_ / "waypoints.ini";
  }
  fs::path file_;
  TWayPoints list_;
};

TEST_F(WayPointFileTest, WritesTheExampleFileExactlyAndReadsItBack) {
  FillExample();
  list_.SaveToFile(file_);
  EXPECT_EQ(Read(file_), kExampleFile);
  EXPECT_EQ(Entries(), std::vector<std::string>{"waypoints.ini"});  // no temporary left

  const std::string saved = Describe(list_);
  list_.LoadFromFile(file_);  // into the same list: replaced, not appended
  EXPECT_EQ(list_.GetCount(), 2);
  EXPECT_EQ(Describe(list_), saved);
  EXPECT_EQ(saved, "WP1:48,7,3.5N,11,31,0E;WP2:0,0,0N,0,0,0E;");
}

TEST_F(WayPointFileTest, SecondsRoundTripWithEitherDecimalSeparator) {
  list_.Add(NewWayPoint("S", 1, 2, 3.5L, cpSouth, 4, 5, 20.0L / 3, cpWest));
  test::SeparatorGuard guard;
  FormatSettings.DecimalSeparator = ',';
  list_.SaveToFile(file_);
  const std::string text = Read(file_);
  EXPECT_NE(text.find("Latitude_Second=3,5\n"), std::string::npos);
  EXPECT_NE(text.find("Longitude_Second=6,66666666666667\n"), std::string::npos);  // 15 digits
  list_.LoadFromFile(file_);
  EXPECT_EQ(list_.GetItem(0)->Latitude_Second(), 3.5L);
  EXPECT_EQ(list_.GetItem(0)->Longitude_Second(), 6.66666666666667L);
  FormatSettings.DecimalSeparator = '.';
  list_.LoadFromFile(file_);  // a file written with ',' reads under '.' as well
  EXPECT_EQ(Describe(list_), "S:1,2,3.5S,4,5,6.66666666666667W;");
}

TEST_F(WayPointFileTest, MissingFileEmptiesTheList) {
  FillExample();
  list_.Add(new TWayPoint("WP3"));
  list_.LoadFromFile(dir_ / "absent.ini");
  EXPECT_EQ(list_.GetCount(), 0);
}

TEST_F(WayPointFileTest, SavingNoWayPointsRemovesTheFileAndWritesNone) {
  Write(file_, "[Old]\nName=Old\n");
  list_.SaveToFile(file_);
  EXPECT_FALSE(fs::exists(file_));
  list_.Add(new TWayPoint("A"));
  list_.SetItem(0, nullptr);  // only an empty slot: still nothing to write
  list_.SaveToFile(file_);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(WayPointFileTest, MissingKeysDefaultAndDirectionsCompareExactly) {
  Write(file_,
        "[Bare]\nName=Bare\n"
        "[SW]\nLatitude_Direction=S\nLongitude_Direction=W\n"
        "[Lower]\nLatitude_Direction=n\nLongitude_Direction=e\n"
        "[Section]\nName=Other\nLatitude_Degree=x\nLatitude_Second=1.5.2\n");
  list_.LoadFromFile(file_);
  EXPECT_EQ(Describe(list_),
            "Bare:0,0,0N,0,0,0E;SW:0,0,0S,0,0,0W;Lower:0,0,0S,0,0,0W;Section:0,0,0N,0,0,0E;");
}

TEST_F(WayPointFileTest, DuplicateSectionsMergeIntoOneWayPoint) {
  Write(file_, "[WP1]\nLatitude_Degree=48\n[B]\n[wp1]\nLatitude_Minute=7\n");
  list_.LoadFromFile(file_);
  EXPECT_EQ(Describe(list_), "WP1:48,7,0N,0,0,0E;B:0,0,0N,0,0,0E;");
}

TEST_F(WayPointFileTest, ARefusedValueStopsTheLoadAfterTheEarlierSections) {
  Write(file_,
        "[A]\nLatitude_Degree=1\n"
        "[B]\nLatitude_Minute=60\n"
        "[C]\nLatitude_Degree=3\n");
  try {
    list_.LoadFromFile(file_);
    ADD_FAILURE() << "no exception";
  } catch (const ENorvNMEAException& e) {
    EXPECT_EQ(e.Message(),
              file_.string() + ":4: [B] Latitude_Minute: Latitude Minute must be between 0 and 60.");
  }
  EXPECT_EQ(Describe(list_), "A:1,0,0N,0,0,0E;");
}

TEST_F(WayPointFileTest, ANameTheFileCannotCarryBackRefusesTheWholeSave) {
  FillExample();
  list_.SaveToFile(file_);
  for (const char* bad : {"WP=3", " WP3", "WP3 ", "[WP3]", ";WP3", "#WP3", "WP\n3"}) {
    SCOPED_TRACE(bad);
    list_.Add(new TWayPoint(bad));
    try {
      list_.SaveToFile(file_);
      ADD_FAILURE() << "saved";
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find("waypoint name"), std::string::npos);
    }
    EXPECT_EQ(Read(file_), kExampleFile);
    list_.Delete(bad);
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"waypoints.ini"});
}

TEST_F(WayPointFileTest, AFailedWriteLeavesThePreviousFileAsItWas) {
  FillExample();
  if (::geteuid() == 0) {
    // Root writes into read-only directories; a directory at the target makes the save fail.
    fs::create_directories(file_ / "inner");
    EXPECT_THROW(list_.SaveToFile(file_), Exception);
    EXPECT_TRUE(fs::is_directory(file_ / "inner"));
    list_.Clear();
    list_.SaveToFile(file_);  // nothing to write: a directory is not removed either
    EXPECT_TRUE(fs::is_directory(file_ / "inner"));
  } else {
    Write(file_, "[Old]\nName=Old\n");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(list_.SaveToFile(file_), Exception);
    EXPECT_EQ(Read(file_), "[Old]\nName=Old\n");
    list_.Clear();
    EXPECT_THROW(list_.SaveToFile(file_), Exception);  // the removal fails, and says so
    EXPECT_EQ(Read(file_), "[Old]\nName=Old\n");
  }
}

TEST_F(WayPointFileTest, AnEmptyNameSavesAndLoadsBack) {
  list_.Add(NewWayPoint("", 1, 2, 3, cpSouth, 4, 5, 6, cpWest));
  list_.Add(new TWayPoint("B"));
  list_.SaveToFile(file_);
  TWayPoints back;
  back.LoadFromFile(file_);
  EXPECT_EQ(Describe(back), ":1,2,3S,4,5,6W;B:0,0,0N,0,0,0E;");
}

TEST_F(WayPointFileTest, WhatIsNoWayPointFileRaisesAndKeepsTheList) {
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  fs::create_directories(dir_ / "folder");
  Write(dir_ / "keys.ini", "Latitude_Degree=5\n[A]\n");  // keys that belong to no waypoint
  for (const char* name : {"fifo", "folder", "keys.ini"}) {
    SCOPED_TRACE(name);
    FillExample();
    EXPECT_THROW(list_.LoadFromFile(dir_ / name), Exception);
    EXPECT_EQ(Describe(list_), "WP1:48,7,3.5N,11,31,0E;WP2:0,0,0N,0,0,0E;");
    list_.Clear();
  }
}

}  // namespace
}  // namespace norv
