#pragma once
// A test fixture with a fresh directory per test in dir_, removed when the test ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace norv::test {

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FTempDir.emplace(::testing::UnitTest::GetInstance()->current_test_info()->name());
    dir_ = FTempDir->Path();
  }
  void TearDown() override { FTempDir.reset(); }

  static void Write(const std::filesystem::path& File, const std::string& Text) {
    WriteWholeFile(File, Text);
  }
  static std::string Read(const std::filesystem::path& File) { return ReadWholeFile(File); }
  std::vector<std::string> Entries() const { return FTempDir->Entries(); }

  std::filesystem::path dir_;

 private:
  std::optional<TempDir> FTempDir;
};

}  // namespace norv::test
