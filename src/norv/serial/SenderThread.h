#pragma once
// TSenderThread: the serial line's one background writer. About every 50 ms it writes the pending
// text (Buffer) to its line, at most one text per cycle.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace norv::serial {

class TSerialLine;

// Locking: Buffer and the stop flag are guarded by the thread's own lock, which is never held
// while the line writes, so a hand-over never waits for a slow line. The write itself goes
// through the line, which serializes it with synchronous sends and lets Disconnect, Connect and
// the line's destructor interrupt it.
class TSenderThread {
 public:
  // Starts the thread at once; Line must outlive it.
  explicit TSenderThread(TSerialLine& ALine);
  // Stops the thread and joins it. A text still pending is not written; a write in progress ends
  // at its deadline unless the line interrupts it.
  ~TSenderThread();
  TSenderThread(const TSenderThread&) = delete;
  TSenderThread& operator=(const TSenderThread&) = delete;

  // The text waiting to be written; empty when nothing is pending.
  std::string Buffer() const;
  // Replaces the pending text (nothing is queued).
  void SetBuffer(const std::string& Value);

 private:
  void Execute();

  TSerialLine& Line;
  mutable std::mutex FLock;
  std::string FBuffer;
  bool FTerminated = false;
  std::condition_variable FWake;
  std::thread FThread;  // last: starts once every other member is ready
};

}  // namespace norv::serial
