// The background sender: polls the pending text every 50 ms and writes it to its line.
#include "norv/serial/SenderThread.h"

#include <chrono>

#include "norv/serial/SerialLine.h"

namespace norv::serial {

namespace {

constexpr auto kPollPeriod = std::chrono::milliseconds(50);

}  // namespace

TSenderThread::TSenderThread(TSerialLine& ALine)
    : Line(ALine), FThread(&TSenderThread::Execute, this) {}

TSenderThread::~TSenderThread() {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FTerminated = true;
  }
  FWake.notify_all();
  FThread.join();
}

std::string TSenderThread::Buffer() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FBuffer;
}

void TSenderThread::SetBuffer(const std::string& Value) {
  std::lock_guard<std::mutex> lock(FLock);
  FBuffer = Value;
}

void TSenderThread::Execute() {
  std::unique_lock<std::mutex> lock(FLock);
  while (!FTerminated) {
    // The text stays pending while no port name is set.
    if (!FBuffer.empty() && Line.HasPortName()) {
      // Taken now rather than cleared after the write, so that a text handed over while a slow
      // write waits for room is kept for the next cycle instead of being wiped.
      std::string text = std::move(FBuffer);
      FBuffer.clear();
      lock.unlock();
      try {
        Line.WriteInBackground(text);
      } catch (...) {
        // A failed background write is dropped, like any other write failure.
      }
      lock.lock();
    }
    FWake.wait_for(lock, kPollPeriod, [this] { return FTerminated; });
  }
}

}  // namespace norv::serial
