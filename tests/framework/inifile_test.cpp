#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"
#include "norv/framework/SysUtils.h"
#include "support/TempDirTest.h"

namespace norv {
namespace {

namespace fs = std::filesystem;

using IniFileTest = test::TempDirTest;

TEST_F(IniFileTest, SectionsInFileOrderCaseInsensitiveLookupAndTypedDefaults) {
  const fs::path file = dir_ / "a.ini";
  Write(file, "[Zeta]\nCount=12\nReal=2,5\nFlag=3\n[alpha]\nName=x\r\n[ZETA]\nExtra=7\n");
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Zeta", "alpha"}));  // duplicates merge
  EXPECT_EQ(ini.ReadInteger("zeta", "COUNT", 0), 12);
  EXPECT_EQ(ini.ReadInteger("Zeta", "Extra", 0), 7);
  EXPECT_EQ(ini.ReadFloat("Zeta", "Real", 0), 2.5L);
  EXPECT_TRUE(ini.ReadBool("Zeta", "Flag", false));
  EXPECT_EQ(ini.ReadString("ALPHA", "name", "?"), "x");
  EXPECT_EQ(ini.ReadInteger("alpha", "Name", -1), -1);  // not a number
  EXPECT_EQ(ini.ReadFloat("alpha", "Name", 4.25L), 4.25L);
  EXPECT_EQ(ini.ReadString("missing", "k", "def"), "def");
  EXPECT_FALSE(ini.ReadBool("missing", "k", false));
}

TEST_F(IniFileTest, ReadSectionListsKeysInFileOrderAcrossMergedSections) {
  const fs::path file = dir_ / "keys.ini";
  Write(file, "[Receiver]\nSpeed=1\nheading=2\n[Other]\nX=1\n[RECEIVER]\nAltitude=3\nSPEED=4\n");
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadSection("receiver"), (std::vector<std::string>{"Speed", "heading", "Altitude"}));
  EXPECT_EQ(ini.ReadString("Receiver", "Speed", ""), "4");  // the later value of a repeated key
  EXPECT_TRUE(ini.ReadSection("Missing").empty());
}

TEST_F(IniFileTest, ASectionWithManyKeysKeepsTheRulesOfAFewKeys) {
  const fs::path file = dir_ / "many.ini";
  std::string text = "[S]\n";
  std::vector<std::string> names;
  for (int i = 0; i < 40; ++i) {
    names.push_back("Key" + std::to_string(i));
    text += names.back() + "=" + std::to_string(i) + "\n";
  }
  Write(file, text + "KEY3=again\nkey39=last\n");
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadSection("s"), names);  // a repeated key keeps its first place and spelling
  EXPECT_EQ(ini.ReadString("S", "key3", ""), "again");
  EXPECT_EQ(ini.ValueLine("S", "Key3"), 42);
  EXPECT_EQ(ini.ReadString("S", "KEY39", ""), "last");
  EXPECT_EQ(ini.ReadInteger("S", "key20", -1), 20);
  ini.WriteString("s", "key20", "written");
  ini.WriteString("S", "New", "n");
  EXPECT_EQ(ini.ReadString("S", "KEY20", ""), "written");
  EXPECT_EQ(ini.ReadSection("S").size(), 41u);
}

TEST_F(IniFileTest, WritesKeepOrderAndReplaceInPlace) {
  const fs::path file = dir_ / "b.ini";
  TIniFile ini(file);
  ini.WriteString("Route", "Name", "Harbour");
  ini.WriteString("WP1", "Name", "WP1");
  ini.WriteInteger("route", "NAME", 5);  // same section and key, other case
  ini.WriteFloat("WP1", "Sec", 3.5L);
  ini.WriteBool("WP1", "On", false);
  ini.WriteBool("wp1", "ON", true);  // the section just written, named in other case
  ini.UpdateFile();
  EXPECT_EQ(Read(file), "[Route]\nName=5\n[WP1]\nName=WP1\nSec=3.5\nOn=1\n");
  TIniFile again(file);
  EXPECT_EQ(again.ReadFloat("wp1", "sec", 0), 3.5L);
  again.WriteString("ROUTE", "Name", "Bay");  // after a load, into the first section
  again.WriteString("WP2", "Name", "WP2");
  again.UpdateFile();
  EXPECT_EQ(Read(file), "[Route]\nName=Bay\n[WP1]\nName=WP1\nSec=3.5\nOn=1\n[WP2]\nName=WP2\n");
}

TEST_F(IniFileTest, FailedSaveLeavesThePreviousFileAndNoTemporaryBehind) {
  if (::geteuid() == 0) {
    // Root ignores directory permissions; make the rename fail by putting a directory in the way.
    const fs::path target = dir_ / "blocked";
    fs::create_directories(target / "inner");
    TIniFile ini(target);
    ini.WriteString("S", "K", "V");
    EXPECT_THROW(ini.UpdateFile(), Exception);
    EXPECT_TRUE(fs::is_directory(target / "inner"));
  } else {
    const fs::path file = dir_ / "c.ini";
    Write(file, "[Old]\nK=1\n");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    TIniFile ini(file);
    ini.WriteString("New", "K", "2");
    EXPECT_THROW(ini.UpdateFile(), Exception);
    EXPECT_EQ(Read(file), "[Old]\nK=1\n");
  }
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) entries += e.path().filename().string()[0] == '.';
  EXPECT_EQ(entries, 0);
}

TEST_F(IniFileTest, ReplacedFileKeepsItsPermissions) {
  const fs::path file = dir_ / "d.ini";
  Write(file, "[A]\n");
  ::chmod(file.c_str(), 0600);
  TIniFile ini(file);
  ini.WriteString("A", "K", "V");
  ini.UpdateFile();
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(IniFileTest, EmptyDocumentIgnoresTheOldFileUntilItReplacesIt) {
  const fs::path file = dir_ / "e.ini";
  Write(file, "[Old]\nK=1\n");
  TIniFile ini(file, TIniFile::Empty);
  EXPECT_TRUE(ini.ReadSections().empty());
  ini.WriteString("New", "K", "2");
  EXPECT_EQ(Read(file), "[Old]\nK=1\n");
  ini.UpdateFile();
  EXPECT_EQ(Read(file), "[New]\nK=2\n");
}

TEST_F(IniFileTest, CheckNameRefusesWhatCannotBeReadBackUnchanged) {
  const std::vector<std::string> refused{"a\rb", "a\nb", "a[b", "a]b", "a=b", " a",
                                         "a ",  "\ta",  "a\t",  ";a",  "#a",
                                         std::string("a\0b", 3)};
  for (const std::string& bad : refused) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(TIniFile::CheckName(bad, "waypoint name"), Exception);
  }
  try {
    TIniFile::CheckName("A=B", "route name");
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Cannot save route name \"A=B\": an INI file cannot carry it back unchanged.");
  }
  // Everything else is carried back as written, which the round trip proves.
  const fs::path file = dir_ / "f.ini";
  const std::vector<std::string> good{"a b", "a;b", "x#", "\xC3\xA9t\xC3\xA9", "'q'", "\"q\"", ""};
  TIniFile ini(file, TIniFile::Empty);
  for (const auto& name : good) {
    EXPECT_NO_THROW(TIniFile::CheckName(name, "waypoint name"));
    ini.WriteString(name, "Name", name);
  }
  ini.UpdateFile();
  TIniFile back(file);
  EXPECT_EQ(back.ReadSections(), good);
  for (const auto& name : good) EXPECT_EQ(back.ReadString(name, "Name", ""), name);
}

TEST_F(IniFileTest, EverySectionAndKeyKnowsItsLine) {
  const fs::path file = dir_ / "lines.ini";
  Write(file, "\xEF\xBB\xBF; comment\r\n[A]\r\nK=1\r\n\r\n[b]\rX=2\n[a]\nk=3\n");
  const TIniFile ini(file);
  EXPECT_EQ(ini.SectionLine("a"), 2);  // the first header of a repeated section
  EXPECT_EQ(ini.ValueLine("A", "K"), 8);  // the value read last, which is the one kept
  EXPECT_EQ(ini.ValueLine("B", "x"), 6);  // a lone CR ends a line too
  EXPECT_EQ(ini.ValueLine("B", "Missing"), 5);
  EXPECT_EQ(ini.SectionLine("Missing"), 0);
  EXPECT_EQ(ini.Place("b", "X"), file.string() + ":6: [b] X: ");
  EXPECT_EQ(ini.Place("A"), file.string() + ":2: [A] ");
}

TEST_F(IniFileTest, LocatedRaisesTheSameClassWithThePlaceBeforeTheMessage) {
  const fs::path file = dir_ / "located.ini";
  Write(file, "[S]\nA=1\nB=x\n");
  const TIniFile ini(file);
  EXPECT_EQ(ini.Located("S", "A", [] { return 5; }), 5);
  try {
    ini.Located("S", "B", [&] { return StrToInt(ini.ReadString("S", "B", "")); });
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), file.string() + ":3: [S] B: 'x' is not a valid integer value");
  }
}

TEST_F(IniFileTest, TextNoIniFileHoldsIsRefusedWithItsLine) {
  const struct {
    std::string text;
    std::string message;  // after "<file>:"
  } cases[] = {
      // Ending the file there silently dropped the sections after it.
      {std::string("[A]\nK=1\nL=a\0b\n[B]\nK=2\n", 20), "3: [A] L: a NUL byte, which no INI text holds"},
      {std::string("[A]\n\0\n", 6), "2: a NUL byte, which no INI text holds"},
      // A key that belonged to no section became a section named "".
      {"; head\nK=1\n[A]\n", "2: K: a key before the first section header belongs to no section"},
      // The keys after it joined the section before it.
      {"[A]\nK=1\n[B\nK=2\n", "3: a section header without ']'"},
  };
  const fs::path file = dir_ / "bad.ini";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    Write(file, c.text);
    try {
      TIniFile ini(file);
      ADD_FAILURE() << "loaded";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), file.string() + ":" + c.message);
    }
  }
}

}  // namespace
}  // namespace norv
