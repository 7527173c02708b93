#include <gtest/gtest.h>

#include "norv/framework/Component.h"
#include "norv/framework/DateTime.h"
#include "norv/framework/Exception.h"
#include "norv/framework/NMEACommands.h"

namespace norv {
namespace {

TEST(DateTime, EncodeCountsDaysSince18991230) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2016, 3, 5), 42434.0);
  EXPECT_EQ(EncodeDate(2024, 2, 29), 45351.0);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateTime, DecodeRoundsToTheNearestMillisecond) {
  struct Case {
    int y, mo, d, h, mi, s, ms;
  };
  const Case cases[] = {{2016, 3, 5, 14, 7, 9, 45}, {2024, 3, 5, 12, 35, 19, 250},
                        {2025, 1, 1, 0, 0, 0, 0},   {1999, 12, 31, 23, 59, 59, 999},
                        {2000, 2, 29, 9, 5, 3, 0}};
  for (const auto& c : cases) {
    const TDateTime dt = EncodeDate(c.y, c.mo, c.d) + EncodeTime(c.h, c.mi, c.s, c.ms);
    int y, mo, d, h, mi, s, ms;
    DecodeDate(dt, y, mo, d);
    DecodeTime(dt, h, mi, s, ms);
    EXPECT_EQ((std::array{y, mo, d, h, mi, s, ms}),
              (std::array{c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms}));
  }
  // 0.4 ms before midnight rounds up into the next day.
  const TDateTime almost = EncodeDate(2020, 12, 31) + (86400000.0 - 0.4) / 86400000.0;
  int y, mo, d, h, mi, s, ms;
  DecodeDate(almost, y, mo, d);
  DecodeTime(almost, h, mi, s, ms);
  EXPECT_EQ((std::array{y, mo, d, h, mi, s, ms}), (std::array{2021, 1, 1, 0, 0, 0, 0}));
}

TEST(Component, OwnerFreesWhatItOwnsAndForgetsWhatIsFreedFirst) {
  static int alive = 0;
  struct Counted : TComponent {
    explicit Counted(TComponent* owner) : TComponent(owner) { ++alive; }
    ~Counted() override { --alive; }
  };
  {
    TComponent owner;
    auto* a = new Counted(&owner);
    new Counted(&owner);
    new Counted(a);  // owned by a, freed with it
    EXPECT_EQ(alive, 3);
    EXPECT_EQ(owner.ComponentCount(), 2);
    delete a;  // freeing early unlinks it from the owner
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(owner.ComponentCount(), 1);
  }
  EXPECT_EQ(alive, 0);
}

TEST(NMEACommands, SetOperationsOnSixteenBits) {
  TNMEACommands s{GPGGA, GPRMC};
  EXPECT_EQ(s.Bits(), (1u << 1) | (1u << 3));
  EXPECT_TRUE(s.Contains(GPGGA));
  EXPECT_FALSE(s.Contains(GPGLL));
  s.Include(AllNMEA);
  s.Exclude(GPGGA);
  EXPECT_EQ(s.Bits(), (1u << 3) | (1u << 10));
  EXPECT_EQ(TNMEACommands::All().Bits(), 0x7FF);
  EXPECT_EQ(TNMEACommands::FromBits(0xFFFF), TNMEACommands::All());
  EXPECT_TRUE(TNMEACommands{}.Empty());
}

}  // namespace
}  // namespace norv
