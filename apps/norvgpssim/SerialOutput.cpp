#include "SerialOutput.h"

#include <chrono>
#include <iostream>
#include <thread>

#include "ExitCodes.h"

namespace norvgpssim {

SerialOutput::SerialOutput(norv::TNorvGPSSimulator& sim, const std::string& device,
                           std::int32_t baud, bool background)
    : FSim(sim), FDevice(device), FBackground(background) {
  if (!FSim.Connect(device, baud)) {
    const std::string why = FSim.LastError();
    throw CliError(kExitOutput, "serial port " + device + ": cannot open: " +
                                    (why.empty() ? "unknown error" : why));
  }
}

SerialOutput::~SerialOutput() {
  if (FBackground) {
    // The sender thread takes a handed-over text within one 50 ms cycle; give it two so the
    // last epoch is not cut off by the disconnect.
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
  }
  FSim.Disconnect();
}

void SerialOutput::WriteEpoch(const std::string& text) {
  if (FBackground) {
    FSim.TransmitOnNewThread();
    FBytesSent += text.size();  // handed over; the sender thread reports nothing back
    return;
  }
  const std::uint32_t written = FSim.Transmit();
  FBytesSent += written;
  if (written < text.size() && !FWarnedShortWrite) {
    FWarnedShortWrite = true;
    std::cerr << "norvgpssim: serial port " << FDevice << ": wrote " << written << " of "
              << text.size() << " bytes of an epoch"
              << (FSim.LastError().empty() ? "" : ": " + FSim.LastError())
              << " (the line may be too slow for the epoch rate)\n";
  }
}

}  // namespace norvgpssim
