// Transmission of the sentence set: synchronously, or through the background sender.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/serial/SenderThread.h"

namespace norv {

std::uint32_t TNorvGPSSimulator::Transmit() { return Send(GetNMEA()); }

// The sentences are built here, on the caller's thread; only the line time goes to the sender.
void TNorvGPSSimulator::TransmitOnNewThread() { SendOnNewThread(GetNMEA()); }

void TNorvGPSSimulator::SendOnNewThread(const std::string& str) {
  if (FSenderThread) FSenderThread->SetBuffer(str);
}

}  // namespace norv
