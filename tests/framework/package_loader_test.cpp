#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>

#include "norv/framework/Exception.h"
#include "norv/framework/PackageLoader.h"
#include "norv/framework/Palette.h"

namespace norv {
namespace {

// Units record their initialization and finalization here.
std::string gLog;
bool gFailSecondInit = false;

void Init1() { gLog += "i1 "; }
void Init2() {
  if (gFailSecondInit) throw std::runtime_error("unit 2 cannot start");
  gLog += "i2 ";
}
void Init3() { gLog += "i3 "; }
void Fin1() { gLog += "f1 "; }
void Fin2() { gLog += "f2 "; }
void Fin3() { gLog += "f3 "; }

const std::array<TUnitInfo, 4> kUnits = {{
    {"UnitOne", Init1, Fin1},
    {"UnitQuiet", nullptr, nullptr},
    {"UnitTwo", Init2, Fin2},
    {"UnitThree", Init3, Fin3},
}};
const std::uint8_t kIconBytes[] = {'B', 'M', 1, 2};
const std::array<TResource, 1> kResources = {{{"TPROBE", kIconBytes}}};
const TPackageInfo kPackage{"ProbePack", "Probe package", kUnits, kResources};

class TProbe : public TComponent {
 public:
  using TComponent::TComponent;
};

const TComponentClass& ProbeClass(const char* unit) {
  static TComponentClass cls = MakeComponentClass<TProbe>("TProbe", "", {});
  cls.UnitName = unit;
  return cls;
}

class PackageLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    gFailSecondInit = false;
  }
  void TearDown() override {
    while (IsPackageLoaded(kPackage)) PackageUnload(kPackage);
    UnregisterUnitComponents("UnitTwo");
    UnregisterUnitComponents("Elsewhere");
  }
};

TEST_F(PackageLoader, InitializesInOrderOnceAndFinalizesInReverseWithTheLastUnload) {
  PackageLoad(kPackage);
  PackageLoad(kPackage);
  EXPECT_EQ(gLog, "i1 i2 i3 ");
  PackageUnload(kPackage);
  EXPECT_EQ(gLog, "i1 i2 i3 ") << "one load still outstanding";
  EXPECT_TRUE(IsPackageLoaded(kPackage));
  PackageUnload(kPackage);
  EXPECT_EQ(gLog, "i1 i2 i3 f3 f2 f1 ");
  PackageUnload(kPackage);
  EXPECT_EQ(gLog, "i1 i2 i3 f3 f2 f1 ") << "an unbalanced unload does nothing";
}

TEST_F(PackageLoader, AFailedInitializationUndoesTheUnitsBeforeIt) {
  gFailSecondInit = true;
  EXPECT_THROW(PackageLoad(kPackage), std::runtime_error);
  EXPECT_EQ(gLog, "i1 f1 ");
  EXPECT_FALSE(IsPackageLoaded(kPackage));
  gFailSecondInit = false;
  gLog.clear();
  PackageLoad(kPackage);
  EXPECT_EQ(gLog, "i1 i2 i3 ");
}

TEST_F(PackageLoader, ResourcesAndPaletteClassesLiveWhileThePackageIsLoaded) {
  const TComponentClass& probe = ProbeClass("UnitTwo");
  EXPECT_TRUE(FindLoadedResource("TPROBE").empty());
  PackageLoad(kPackage);
  RegisterComponents("Probes", {&probe});
  EXPECT_EQ(FindLoadedResource("tprobe").data(), kIconBytes);
  EXPECT_EQ(PaletteIcon(probe).size(), sizeof kIconBytes);
  PackageUnload(kPackage);
  EXPECT_EQ(FindPaletteClass("TProbe"), nullptr) << "its unit belongs to the unloaded package";
  EXPECT_TRUE(FindLoadedResource("TPROBE").empty());
}

TEST_F(PackageLoader, RegisteringAgainMovesTheClassInsteadOfAddingIt) {
  const TComponentClass& probe = ProbeClass("Elsewhere");
  RegisterComponents("Probes", {&probe});
  RegisterComponents("Probes", {&probe});
  RegisterComponents("Other", {&probe});
  EXPECT_TRUE(PaletteComponents("Probes").empty());
  ASSERT_EQ(PaletteComponents("Other").size(), 1u);
  EXPECT_EQ(PaletteComponents("Other").front(), &probe);

  const TComponentClass impostor = MakeComponentClass<TProbe>("TPROBE", "Elsewhere", {});
  EXPECT_THROW(RegisterComponents("Other", {&impostor}), Exception);
  EXPECT_EQ(FindPaletteClass("TProbe"), &probe);
}

}  // namespace
}  // namespace norv
