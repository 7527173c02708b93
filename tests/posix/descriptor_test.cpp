// TDescriptor closes what it owns exactly once, through the seam.
#include <gtest/gtest.h>

#include <vector>

#include "norv/posix/Descriptor.h"
#include "norv/posix/SystemCalls.h"

namespace norv::posix {
namespace {

std::vector<int>& Closed() {
  static std::vector<int> closed;
  return closed;
}

// Records the number and reports EINTR, as close may after it has released the descriptor.
int InterruptedClose(int fd) {
  Closed().push_back(fd);
  errno = EINTR;
  return -1;
}

class DescriptorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Closed().clear();
    SystemCalls().Close = InterruptedClose;
  }
  void TearDown() override { SystemCalls() = FSaved; }
  TSystemCalls FSaved = SystemCalls();
};

// Numbers far above any real descriptor: only the recording close ever sees them.
TEST_F(DescriptorTest, ClosesOnceWhateverHappensToIt) {
  {
    TDescriptor a(9001);
    TDescriptor b(std::move(a));  // moved: only b closes
    TDescriptor c(9002);
    c = std::move(b);  // c's own descriptor closes now, 9001 at the end
    EXPECT_EQ(Closed(), std::vector<int>{9002});
    TDescriptor released(9003);
    EXPECT_EQ(released.Release(), 9003);  // the caller's now
    TDescriptor none(-5);
    EXPECT_FALSE(none.IsOpen());
  }
  EXPECT_EQ(Closed(), (std::vector<int>{9002, 9001}));
}

TEST_F(DescriptorTest, CloseIsNotRepeatedAfterEintr) {
  TDescriptor d(9004);
  EXPECT_EQ(d.Close(), EINTR);
  EXPECT_FALSE(d.IsOpen());
  EXPECT_EQ(d.Close(), 0);
  EXPECT_EQ(Closed(), std::vector<int>{9004});
}

}  // namespace
}  // namespace norv::posix
