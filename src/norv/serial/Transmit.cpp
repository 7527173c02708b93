// Transmission of the sentence set: synchronously, or through the background sender.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/serial/SenderThread.h"

namespace norv {

void TNorvGPSSimulator::SendOnNewThread(const std::string& str) {
  if (FSenderThread) FSenderThread->SetBuffer(str);
}

}  // namespace norv
