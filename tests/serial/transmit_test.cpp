#include <gtest/gtest.h>

#include "support/SimulatorProbe.h"
#include "support/Pseudoterminal.h"

namespace norv {
namespace {

using namespace std::chrono_literals;

// A receiver with a fixed clock and one satellite per constellation, so that every call of
// GetNMEA gives the same text.
class TransmitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gps.FixClock(2016, 3, 5, 14, 7, 9, 45);
    gps.SetSatellite(5, true, 45, 120, 38, GpsSatellite);
    gps.SetSatellite(70, true, 30, 200, 33, GlonassSatellite);
    expected = gps.GetNMEA();
    ASSERT_FALSE(expected.empty());
  }
  test::Pseudoterminal pty;
  test::SimulatorProbe gps;
  std::string expected;
};

TEST_F(TransmitTest, WritesTheWholeSentenceSet) {
  EXPECT_EQ(gps.Transmit(), 0u);
  ASSERT_TRUE(gps.Connect(pty.Path(), 4800));
  EXPECT_EQ(gps.Transmit(), expected.size());
  EXPECT_EQ(pty.Read(expected.size() + 1, 300ms), expected);
}

TEST_F(TransmitTest, OnNewThreadHandsTheSetToTheSender) {
  ASSERT_TRUE(gps.Connect(pty.Path(), 4800));
  gps.TransmitOnNewThread();
  EXPECT_EQ(pty.Read(expected.size(), 2s), expected);
  EXPECT_EQ(pty.ReadAll(150ms), "");
}

}  // namespace
}  // namespace norv
