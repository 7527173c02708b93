#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <span>
#include <string>

#include "norv/NorvGPSSimulator.h"
#include "norv/package/PackageEntryPoints.h"

namespace norv {
namespace {

const char* const kLibrary = NORV_LIB_DIR "/libNorvGPSSimPack.so";
using TEntryPoint = void (*)();

// The package as a host sees it: opened with dlopen, entry points resolved by name.
class TLoadedLibrary {
 public:
  TLoadedLibrary() : FHandle(dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL)) {}
  ~TLoadedLibrary() {
    if (FHandle != nullptr) {
      EXPECT_EQ(dlclose(FHandle), 0) << dlerror();
    }
  }
  void* Handle() const { return FHandle; }
  TEntryPoint Entry(const char* name) const {
    return reinterpret_cast<TEntryPoint>(dlsym(FHandle, name));
  }

 private:
  void* FHandle;
};

// Frees itself with its owner and says so: shows that the owner freed the component it owns.
class TFreeProbe : public TComponent {
 public:
  TFreeProbe(TComponent* AOwner, bool& freed) : TComponent(AOwner), FFreed(freed) {}
  ~TFreeProbe() override { FFreed = true; }

 private:
  bool& FFreed;
};

std::uint32_t Read32(std::span<const std::uint8_t> b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t Read16(std::span<const std::uint8_t> b, size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void ExpectPaletteBitmap(std::span<const std::uint8_t> bmp) {
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Read32(bmp, 2), bmp.size());
  EXPECT_EQ(Read32(bmp, 14), 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(static_cast<std::int32_t>(Read32(bmp, 18)), 16);
  EXPECT_EQ(static_cast<std::int32_t>(Read32(bmp, 22)), 16);
  EXPECT_EQ(Read16(bmp, 26), 1);
  EXPECT_EQ(Read16(bmp, 28), 8);
  EXPECT_EQ(Read32(bmp, 30), 0u);  // uncompressed
  const std::uint32_t pixels = Read32(bmp, 10);
  EXPECT_GE(pixels, 54u + 256 * 4) << "room for a 256-colour palette";
  ASSERT_EQ(pixels + 16u * 16u, bmp.size());
  std::set<std::uint8_t> colours(bmp.begin() + pixels, bmp.end());
  EXPECT_GE(colours.size(), 3u) << "a picture, not a blank square";
}

class PackageEntryPoints : public ::testing::Test {
 protected:
  void TearDown() override {
    // Whatever a failed assertion left loaded must not leak into the next test.
    while (IsPackageLoaded(NorvGPSSimPackInfo())) PackageUnload(NorvGPSSimPackInfo());
  }
};

TEST_F(PackageEntryPoints, ResolveToTheLibraryTheProgramIsLinkedWith) {
  TLoadedLibrary lib;
  ASSERT_NE(lib.Handle(), nullptr) << dlerror();
  // Same handle, same globals: registrations must be undone by Finalize, not by dlclose.
  EXPECT_EQ(lib.Entry("Initialize"), &::Initialize);
  EXPECT_EQ(lib.Entry("Finalize"), &::Finalize);
  EXPECT_EQ(lib.Entry("Register"), &::Register);
  EXPECT_EQ(NorvGPSSimPackInfo().Description, "NorvGPSSimPack");
}

TEST_F(PackageEntryPoints, LoadRegisterCreateUnloadTwice) {
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE("load " + std::to_string(round));
    TLoadedLibrary lib;
    ASSERT_NE(lib.Handle(), nullptr) << dlerror();
    lib.Entry("Initialize")();
    EXPECT_TRUE(PaletteEntries().empty()) << "loading alone registers nothing";
    lib.Entry("Register")();

    ASSERT_EQ(PaletteEntries().size(), 1u);
    const auto classes = PaletteComponents("Norv Soft");
    ASSERT_EQ(classes.size(), 1u);
    const TComponentClass& cls = *classes.front();
    EXPECT_EQ(cls.ClassName, "TNorvGPSSimulator");
    EXPECT_EQ(FindPaletteClass("TNorvGPSSimulator"), &cls);
    ExpectPaletteBitmap(PaletteIcon(cls));

    bool freed = false;
    {
      TComponent owner;
      TComponent* created = cls.Create(&owner);
      ASSERT_NE(dynamic_cast<TNorvGPSSimulator*>(created), nullptr);
      EXPECT_EQ(owner.ComponentCount(), 1);
      EXPECT_EQ(owner.Components(0), created);
      new TFreeProbe(created, freed);
    }
    EXPECT_TRUE(freed);

    lib.Entry("Finalize")();
    EXPECT_TRUE(PaletteEntries().empty());
    EXPECT_TRUE(PaletteIcon(cls).empty());
  }
}

TEST_F(PackageEntryPoints, NestedLoadsRegisterOnceAndUnloadWithTheLast) {
  TLoadedLibrary first;
  TLoadedLibrary second;
  ASSERT_EQ(first.Handle(), second.Handle());
  for (const TLoadedLibrary* lib : {&first, &second}) {
    lib->Entry("Initialize")();
    lib->Entry("Register")();
  }
  EXPECT_EQ(PaletteEntries().size(), 1u);
  second.Entry("Finalize")();
  EXPECT_EQ(PaletteComponents("Norv Soft").size(), 1u) << "still loaded once";
  EXPECT_FALSE(PaletteIcon(*PaletteComponents("Norv Soft").front()).empty());
  first.Entry("Finalize")();
  EXPECT_TRUE(PaletteEntries().empty());
  first.Entry("Finalize")();  // unbalanced: nothing to undo
  EXPECT_FALSE(IsPackageLoaded(NorvGPSSimPackInfo()));
}

TEST(PackageBitmap, IsTheResourceNamedAfterTheClass) {
  ExpectPaletteBitmap(NorvGPSSimulatorBitmap());
  const auto found = FindResource(NorvGPSSimPackInfo().Resources, "TNORVGPSSIMULATOR");
  EXPECT_EQ(found.data(), NorvGPSSimulatorBitmap().data());
}

TEST(Generation, VersionMatchesTheBuild) {
  TNorvGPSSimulator sim;
#ifdef NORV_EARLIER_GENERATION
  EXPECT_EQ(sim.Version(), 2.0);
#else
  EXPECT_EQ(sim.Version(), 2.01);
#endif
  EXPECT_EQ(ComponentClassOf<TNorvGPSSimulator>().FindProperty("Version"), nullptr)
      << "public, not published";
}

}  // namespace
}  // namespace norv
