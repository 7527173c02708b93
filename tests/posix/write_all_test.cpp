// WriteAll through the system-call seam (scripted outcomes) and on real pipes (waiting for room,
// the deadline, the wake-up descriptor).
#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "norv/posix/SystemCalls.h"
#include "norv/posix/WriteAll.h"

namespace norv::posix {
namespace {

using namespace std::chrono_literals;

constexpr ssize_t kAll = 1 << 30;  // a step that takes everything offered

struct TStep {
  ssize_t taken;  // bytes the call takes (at most what is offered), or -1
  int error = 0;  // errno when taken is -1
};

struct TScript {
  std::vector<TStep> steps;
  std::size_t next = 0;
  std::string out;
  int polls = 0;
};

TScript& Script() {
  static TScript script;
  return script;
}

ssize_t ScriptedWrite(int, const void* data, std::size_t count) {
  TScript& s = Script();
  const TStep step = s.next < s.steps.size() ? s.steps[s.next++] : TStep{kAll};
  if (step.taken < 0) {
    errno = step.error;
    return -1;
  }
  const std::size_t n = std::min(count, static_cast<std::size_t>(step.taken));
  s.out.append(static_cast<const char*>(data), n);
  return static_cast<ssize_t>(n);
}

// Always reports room on the written descriptor, nothing on the wake-up one.
int RoomAtOnce(pollfd* fds, nfds_t count, int) {
  ++Script().polls;
  for (nfds_t i = 0; i < count; ++i) fds[i].revents = i == 0 ? POLLOUT : 0;
  return 1;
}

class WriteAllSeam : public ::testing::Test {
 protected:
  void SetUp() override {
    Script() = {};
    SystemCalls().Write = ScriptedWrite;
    SystemCalls().Poll = RoomAtOnce;
  }
  void TearDown() override { SystemCalls() = FSaved; }
  TSystemCalls FSaved = SystemCalls();
};

TEST_F(WriteAllSeam, OutcomesOfTheWriteCalls) {
  struct Case {
    const char* name;
    std::vector<TStep> steps;
    std::size_t written;
    int error;
    int polls;
  };
  const Case cases[] = {
      {"interrupted calls are repeated", {{-1, EINTR}, {-1, EINTR}, {kAll}}, 8, 0, 0},
      {"short writes go on with the rest", {{2}, {1}, {3}, {kAll}}, 8, 0, 0},
      {"no room: waits, then goes on", {{3}, {-1, EAGAIN}, {kAll}}, 8, 0, 1},
      {"EWOULDBLOCK is no room too", {{-1, EWOULDBLOCK}, {kAll}}, 8, 0, 1},
      {"a call taking nothing waits", {{0}, {kAll}}, 8, 0, 1},
      {"a full disk stops with the count", {{5}, {-1, ENOSPC}}, 5, ENOSPC, 0},
      {"an I/O error stops at once", {{-1, EIO}}, 0, EIO, 0},
  };
  const std::string data = "abcdefgh";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Script() = {};
    Script().steps = c.steps;
    const TWriteResult r = WriteAll(7, data.data(), data.size(), Clock::now() + 10s);
    EXPECT_EQ(r.written, c.written);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(Script().out, data.substr(0, c.written)) << "bytes lost or repeated";
    EXPECT_EQ(Script().polls, c.polls);
  }
}

TEST_F(WriteAllSeam, APastDeadlineStillWritesWhatFitsNow) {
  Script().steps = {{4}, {-1, EAGAIN}};
  SystemCalls().Poll = ::poll;  // never reached: the deadline has passed
  const TWriteResult r = WriteAll(7, "abcdefgh", 8, Clock::now() - 1ms);
  EXPECT_EQ(r.written, 4u);
  EXPECT_EQ(r.error, ETIMEDOUT);
}

// A pipe whose non-blocking write end is full.
class FullPipe : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::pipe2(FEnds, O_CLOEXEC | O_NONBLOCK), 0);
    const std::string chunk(4096, 'f');
    while (::write(FEnds[1], chunk.data(), chunk.size()) > 0) {
    }
    FWake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    ASSERT_GE(FWake, 0);
  }
  void TearDown() override {
    ::close(FEnds[0]);
    ::close(FEnds[1]);
    ::close(FWake);
  }
  // Reads count bytes from the pipe after a pause, from another thread.
  std::thread DrainLater(std::size_t count) {
    return std::thread([this, count] {
      std::this_thread::sleep_for(30ms);
      std::string buffer(count, '\0');
      EXPECT_GT(::read(FEnds[0], buffer.data(), count), 0);
    });
  }
  int FEnds[2] = {-1, -1};
  int FWake = -1;
  const std::string FText = std::string(100, 't');
};

TEST_F(FullPipe, WaitsForRoomThenWritesEverything) {
  std::thread reader = DrainLater(1 << 16);
  const TWriteResult r = WriteAll(FEnds[1], FText.data(), FText.size(), Clock::now() + 5s, FWake);
  reader.join();
  EXPECT_EQ(r.written, FText.size());
  EXPECT_EQ(r.error, 0);
}

TEST_F(FullPipe, GivesUpAtTheDeadline) {
  const auto start = Clock::now();
  const TWriteResult r = WriteAll(FEnds[1], FText.data(), FText.size(), start + 60ms, FWake);
  EXPECT_EQ(r.written, 0u);
  EXPECT_EQ(r.error, ETIMEDOUT);
  EXPECT_GE(Clock::now() - start, 60ms);
}

TEST_F(FullPipe, AWakeUpFromAnotherThreadEndsTheWait) {
  std::thread waker([this] {
    std::this_thread::sleep_for(30ms);
    ::eventfd_write(FWake, 1);
  });
  const auto start = Clock::now();
  const TWriteResult r = WriteAll(FEnds[1], FText.data(), FText.size(), start + 10s, FWake);
  waker.join();
  EXPECT_EQ(r.error, ECANCELED);
  EXPECT_EQ(r.written, 0u);
  EXPECT_LT(Clock::now() - start, 2s);
}

TEST_F(FullPipe, AWakeUpMattersOnlyWhileWaiting) {
  ::eventfd_write(FWake, 1);
  std::string room(1 << 16, '\0');
  ASSERT_GT(::read(FEnds[0], room.data(), room.size()), 0);
  const TWriteResult r = WriteAll(FEnds[1], FText.data(), FText.size(), Clock::now() + 5s, FWake);
  EXPECT_EQ(r.written, FText.size());
  EXPECT_EQ(r.error, 0);
}

}  // namespace
}  // namespace norv::posix
