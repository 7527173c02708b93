// The background sender: polls the pending text every 50 ms and writes it to the owner's port.
#include "norv/serial/SenderThread.h"

#include <algorithm>
#include <chrono>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/serial/LineWriter.h"

namespace norv {

namespace {

constexpr auto kPollPeriod = std::chrono::milliseconds(50);
// While the line is full the thread retries this often, with the lock released in between.
// At any usual rate the driver's buffer takes far longer than this to drain.
constexpr auto kRoomRetry = std::chrono::milliseconds(5);

}  // namespace

TSenderThread::TSenderThread(TNorvGPSSimulator* AOwner)
    : Owner(AOwner), FThread(&TSenderThread::Execute, this) {}

TSenderThread::~TSenderThread() {
  {
    std::lock_guard<std::mutex> lock(Owner->FCriticalSection);
    FTerminated = true;
  }
  FWake.notify_all();
  FThread.join();
}

std::string TSenderThread::Buffer() const {
  std::lock_guard<std::mutex> lock(Owner->FCriticalSection);
  return FBuffer;
}

void TSenderThread::SetBuffer(const std::string& Value) {
  std::lock_guard<std::mutex> lock(Owner->FCriticalSection);
  FBuffer = Value;
}

void TSenderThread::PortClosing() { FPortClosed = true; }

void TSenderThread::WaitUntilLineFree(std::unique_lock<std::mutex>& Lock) {
  FWake.wait(Lock, [this] { return !FWriting; });
}

void TSenderThread::Execute() {
  std::unique_lock<std::mutex> lock(Owner->FCriticalSection);
  while (!FTerminated) {
    // The text stays pending while no port name is set.
    if (!FBuffer.empty() && !Owner->FCommPort.empty()) {
      try {
        WritePending(lock);
      } catch (...) {
        // A failed background write is dropped, like any other write failure.
        FWriting = false;
        FWake.notify_all();
      }
    }
    FWake.wait_for(lock, kPollPeriod, [this] { return FTerminated; });
  }
}

void TSenderThread::WritePending(std::unique_lock<std::mutex>& Lock) {
  // Taken now rather than cleared after the write, so that a text handed over while a slow write
  // waits for room is kept for the next cycle instead of being wiped.
  std::string text = std::move(FBuffer);
  FBuffer.clear();
  text.resize(serial::LengthBeforeNul(text));
  FWriting = true;
  FPortClosed = false;
  const int fd = Owner->ComDevice;
  const auto deadline = serial::Clock::now() + serial::WriteAllowance(text.size());
  std::size_t done = 0;
  while (done < text.size() && !FTerminated && !FPortClosed) {
    const serial::TWriteResult step = serial::WriteSome(fd, text.data() + done, text.size() - done);
    done += step.written;
    if (step.error != 0 && step.error != EAGAIN) break;
    const auto left = deadline - serial::Clock::now();
    if (done == text.size() || left <= serial::Clock::duration::zero()) break;
    FWake.wait_for(Lock, std::min<serial::Clock::duration>(kRoomRetry, left));
  }
  FWriting = false;
  FWake.notify_all();
}

}  // namespace norv
