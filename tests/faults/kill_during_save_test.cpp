// A save killed at a random moment leaves the complete old file or the complete new one.
#include <gtest/gtest.h>

#include <random>

#include "faults/SaveKinds.h"

namespace norv::test {
namespace {

class KillDuringSave : public ::testing::TestWithParam<TSaveKind> {};

TEST_P(KillDuringSave, LeavesTheCompleteOldOrNewFile) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "single-threaded processes: the default and ASan builds run the kill rounds";
#endif
  const TSaveKind& kind = GetParam();
  TempDir dir("kill-" + kind.Name);
  ASSERT_FALSE(dir.Path().empty());
  const std::vector<std::string> versions = VersionBytes(kind, dir.Path());
  ASSERT_NE(versions[0], versions[1]);

  const int rounds = KillRoundsWanted(500);
  const std::uint32_t seed = std::random_device{}();
  const TKillRoundsResult r =
      RunKillRounds(dir.Path(), kind.FileName, kind.MakeSaver, versions[0], versions[1], rounds, seed);

  std::cout << "[ kill rounds ] " << kind.Name << ": " << r.Rounds << " rounds, old file " << r.OldFile
            << ", new file " << r.NewFile << ", damaged " << r.Damaged << ", stray temporary files "
            << r.StrayTemporary << " (seed " << seed << ")\n";
  EXPECT_EQ(r.Rounds, rounds);
  EXPECT_EQ(r.ChildFailed, 0) << "a save in the child raised";
  EXPECT_EQ(r.Damaged, 0) << r.FirstDamage;
  // Both outcomes occur, so the kills did land inside the saves and across the rename.
  EXPECT_GT(r.OldFile, 0);
  EXPECT_GT(r.NewFile, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryFileKind, KillDuringSave, ::testing::ValuesIn(SaveKinds()),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace norv::test
