#include "SerialOutput.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <thread>

#include "ExitCodes.h"

namespace norvgpssim {

SerialOutput::SerialOutput(norv::TNorvGPSSimulator& sim, const std::string& device,
                           std::int32_t baud, bool background)
    : FSim(sim), FDevice(device), FBaud(baud), FBackground(background) {
  if (!FSim.Connect(device, baud)) {
    const std::string why = FSim.LastError();
    throw CliError(kExitOutput, "serial port: " + (why.empty() ? "cannot open " + device : why));
  }
}

SerialOutput::~SerialOutput() {
  if (FBackground && FLastHandOver > 0) {
    // The sender thread takes the last text within one 50 ms cycle and then needs the line
    // time to write it; Disconnect would abandon it half-written. At most a few seconds, so
    // an interrupt still ends the program promptly.
    const auto wait = std::min<std::chrono::milliseconds>(
        LineTime(FLastHandOver) + std::chrono::milliseconds(150), std::chrono::seconds(5));
    std::this_thread::sleep_until(FLastHandOverTime + wait);
  }
  FSim.Disconnect();
}

std::chrono::milliseconds SerialOutput::LineTime(std::size_t bytes) const {
  return std::chrono::milliseconds(static_cast<long long>(bytes) * 10 * 1000 / std::max(FBaud, 1));
}

void SerialOutput::WriteEpoch(const std::string& text) {
  if (FBackground) {
    // The sender thread holds one pending text and takes it within 50 ms; a hand-over before
    // that would replace the previous epoch, so unpaced runs are held to one every 100 ms.
    std::this_thread::sleep_until(FLastHandOverTime + std::chrono::milliseconds(100));
    FSim.TransmitOnNewThread();
    FLastHandOver = text.size();
    FLastHandOverTime = std::chrono::steady_clock::now();
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
