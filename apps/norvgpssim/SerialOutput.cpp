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
  if (FLastBytes > 0) {
    // A write returns once the driver holds the text, and Disconnect discards what it still
    // holds; the sender thread also needs up to one 50 ms cycle to take its text. At most a few
    // seconds, so that an interrupt still ends the program promptly.
    const auto cycle = std::chrono::milliseconds(FBackground ? 100 : 20);
    const auto wait = std::min<std::chrono::milliseconds>(LineTime(FLastBytes) + cycle,
                                                          std::chrono::seconds(5));
    std::this_thread::sleep_until(FLastTime + wait);
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
    std::this_thread::sleep_until(FLastTime + std::chrono::milliseconds(100));
    FSim.SendOnNewThread(text);
    FBytesSent += text.size();  // handed over; the sender thread reports nothing back
  } else {
    const std::uint32_t written = FSim.Send(text);
    FBytesSent += written;
    if (written < text.size() && !FWarnedShortWrite) {
      FWarnedShortWrite = true;
      std::cerr << "norvgpssim: serial port " << FDevice << ": wrote " << written << " of "
                << text.size() << " bytes of an epoch"
                << (FSim.LastError().empty() ? "" : ": " + FSim.LastError())
                << " (the line may be too slow for the epoch rate)\n";
    }
  }
  FLastBytes = text.size();
  FLastTime = std::chrono::steady_clock::now();
}

}  // namespace norvgpssim
