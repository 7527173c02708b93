#pragma once
// TSenderThread: the component's one background writer. About every 50 ms it writes the pending
// text (Buffer) to the owner's port, at most one text per cycle.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace norv {

class TNorvGPSSimulator;

// Locking: Buffer, the owner's port name and descriptor are guarded by the owner's
// FCriticalSection. The thread holds it while it takes a text and during each write call, but
// releases it while it waits for room on a full line, so the host's hand-over, Port(),
// Disconnect and Connect never wait for a slow line. Disconnect and Connect close the port under
// the lock and tell the thread through PortClosing, so a write never reaches a closed or reused
// descriptor.
class TSenderThread {
 public:
  // Starts the thread at once; Owner must outlive it (the owner's destructor deletes it first).
  explicit TSenderThread(TNorvGPSSimulator* AOwner);
  // Stops the thread and joins it. A text still pending is not written.
  ~TSenderThread();
  TSenderThread(const TSenderThread&) = delete;
  TSenderThread& operator=(const TSenderThread&) = delete;

  // The text waiting to be written; empty when nothing is pending.
  std::string Buffer() const;
  // Replaces the pending text (nothing is queued).
  void SetBuffer(const std::string& Value);

  // For the owner, with FCriticalSection held: the port is closing, abandon the text being written.
  void PortClosing();
  // For the owner, with FCriticalSection held in Lock: waits until no background text is half
  // written, so that a synchronous send does not land in the middle of it.
  void WaitUntilLineFree(std::unique_lock<std::mutex>& Lock);

 private:
  void Execute();
  // Takes the pending text and writes it, giving up at its deadline, on an error, or when the port
  // closes or the thread stops.
  void WritePending(std::unique_lock<std::mutex>& Lock);

  TNorvGPSSimulator* Owner;  // not owned
  std::string FBuffer;
  bool FTerminated = false;
  bool FWriting = false;     // a text is being written
  bool FPortClosed = false;  // the port of the text being written has been closed
  std::condition_variable FWake;
  std::thread FThread;  // last: starts once every other member is ready
};

}  // namespace norv
