// The route file: its exact layout, reading it back, and saves that fail without damage.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/TempDirTest.h"
#include "norv/framework/Exception.h"
#include "norv/navigation/Route.h"

namespace norv {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

class RouteFileTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    file_ = dir_ / "route.ini";
  }
  // Loads text into a route that already holds a name and names of its own.
  TRoute Load(const std::string& text) {
    Write(file_, text);
    TRoute r("before");
    r.WayPoints() = {"X"};
    r.LoadFromFile(file_);
    return r;
  }
  fs::path file_;
};

TEST_F(RouteFileTest, WritesTheExampleFileExactlyAndReadsItBack) {
  TRoute r("Harbour");
  r.WayPoints() = {"WP1", "WP2"};
  r.SaveToFile(file_);
  EXPECT_EQ(Read(file_), "[Route]\nName=Harbour\n[WP1]\nName=WP1\n[WP2]\nName=WP2\n");
  TRoute back("other");
  back.LoadFromFile(file_);
  EXPECT_EQ(back.Name(), "Harbour");
  EXPECT_EQ(back.WayPoints(), (Names{"WP1", "WP2"}));
}

TEST_F(RouteFileTest, RepeatedNamesShareOneSection) {
  TRoute r("R1");
  r.WayPoints() = {"A", "B", "A"};
  r.SaveToFile(file_);
  TRoute back;
  back.LoadFromFile(file_);
  EXPECT_EQ(back.Name(), "R1");
  EXPECT_EQ(back.WayPoints(), (Names{"A", "B"}));
}

TEST_F(RouteFileTest, TheNamesComeFromTheKeysAndTheRouteSectionMayBeMissing) {
  TRoute r = Load("[Route]\nName=R\n[S1]\nName=WP9\n[S2]\nOther=1\n");
  EXPECT_EQ(r.Name(), "R");
  EXPECT_EQ(r.WayPoints(), (Names{"WP9", ""}));

  r = Load("[A]\nName=A\n[ROUTE]\nName=R\n[B]\nName=B\n");  // not first: the name is "0"
  EXPECT_EQ(r.Name(), "0");
  EXPECT_EQ(r.WayPoints(), (Names{"A", "B"}));

  r = Load("[route]\n[A]\nName=A\n");
  EXPECT_EQ(r.Name(), "0");
  EXPECT_EQ(r.WayPoints(), Names{"A"});
}

TEST_F(RouteFileTest, DuplicateSectionsMerge) {
  TRoute r = Load("[Route]\nName=R\n[A]\nName=A\n[B]\nName=B\n[a]\nOther=1\n");
  EXPECT_EQ(r.WayPoints(), (Names{"A", "B"}));
}

TEST_F(RouteFileTest, AMissingFileChangesNothing) {
  TRoute r("R");
  r.WayPoints() = {"A"};
  r.LoadFromFile(dir_ / "absent.ini");
  EXPECT_EQ(r.Name(), "R");
  EXPECT_EQ(r.WayPoints(), Names{"A"});
}

TEST_F(RouteFileTest, AFileWithoutSectionsRaisesAndChangesNothing) {
  for (const char* text : {"", "; only a comment\n\n"}) {
    SCOPED_TRACE(text);
    Write(file_, text);
    TRoute r("R");
    r.WayPoints() = {"A"};
    try {
      r.LoadFromFile(file_);
      ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), file_.string() + ": the file has no sections");
    }
    EXPECT_EQ(r.Name(), "R");
    EXPECT_EQ(r.WayPoints(), Names{"A"});
  }
}

TEST_F(RouteFileTest, ANameTheFileCannotCarryBackRefusesTheWholeSave) {
  TRoute good("Harbour");
  good.WayPoints() = {"WP1", "WP2"};
  good.SaveToFile(file_);
  const std::string before = Read(file_);

  struct Case {
    std::string Route;
    Names WayPoints;
    const char* Named;  // what the message names
  };
  for (const Case& c : std::vector<Case>{{"a\nb", {"WP1"}, "route name \"a\\nb\""},
                                          {"R ", {"WP1"}, "route name \"R \""},
                                          {"R", {"WP1", " WP2"}, "waypoint name \" WP2\""},
                                          {"R", {"WP1", "x\r\n"}, "waypoint name \"x\\r\\n\""},
                                          {"R", {"WP1", "route"}, "waypoint name \"route\""}}) {
    SCOPED_TRACE(c.Named);
    TRoute r(c.Route);
    r.WayPoints() = c.WayPoints;
    try {
      r.SaveToFile(file_);
      ADD_FAILURE() << "saved";
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(c.Named), std::string::npos) << e.Message();
    }
    EXPECT_EQ(Read(file_), before);
  }
  EXPECT_EQ(Entries(), Names{"route.ini"});
}

TEST_F(RouteFileTest, AFailedWriteLeavesThePreviousFileAsItWas) {
  TRoute r("R");
  r.WayPoints() = {"A"};
  if (::geteuid() == 0) {
    // Root writes into read-only directories; a directory at the target makes the save fail.
    fs::create_directories(file_ / "inner");
    EXPECT_THROW(r.SaveToFile(file_), Exception);
    EXPECT_TRUE(fs::is_directory(file_ / "inner"));
  } else {
    Write(file_, "[Route]\nName=Old\n");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(r.SaveToFile(file_), Exception);
    EXPECT_EQ(Read(file_), "[Route]\nName=Old\n");
  }
}

TEST_F(RouteFileTest, AnyNameAValueCarriesSavesAndLoadsBack) {
  // The route's name is only ever a value; a waypoint name may be empty ("[]", "Name=").
  for (const char* name : {"", "a=b", "[R]", ";R", "#R"}) {
    SCOPED_TRACE(name);
    TRoute r(name);
    r.WayPoints() = {"WP1", "", "WP2"};
    r.SaveToFile(file_);
    TRoute back("other");
    back.LoadFromFile(file_);
    EXPECT_EQ(back.Name(), name);
    EXPECT_EQ(back.WayPoints(), (Names{"WP1", "", "WP2"}));
  }
}

}  // namespace
}  // namespace norv
