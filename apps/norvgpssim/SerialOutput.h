#pragma once
// Epochs transmitted on a serial port through the component's own serial line.
#include <chrono>

#include "Output.h"
#include "norv/core/TNorvGPSSimulator.h"

namespace norvgpssim {

class SerialOutput : public Output {
 public:
  // Connects the component to `device`; raises CliError (unusable output) with the OS error.
  SerialOutput(norv::TNorvGPSSimulator& sim, const std::string& device, std::int32_t baud,
               bool background);
  // Disconnects the port once the last epoch has had the time to leave the line (closing the
  // port discards what the driver still holds).
  ~SerialOutput() override;

  std::string Name() const override { return "serial " + FDevice; }
  // Sends `text`, the epoch's GetNMEA, as Transmit (or TransmitOnNewThread) would: the clock is
  // virtual, so building it again would give the same sentences, only later.
  void WriteEpoch(const std::string& text) override;

 private:
  // The time the line needs for a text of `bytes` at the port's baud rate (10 bits a byte).
  std::chrono::milliseconds LineTime(std::size_t bytes) const;

  norv::TNorvGPSSimulator& FSim;
  std::string FDevice;
  std::int32_t FBaud;
  bool FBackground;
  bool FWarnedShortWrite = false;
  std::size_t FLastBytes = 0;  // the last epoch written or handed to the sender thread
  std::chrono::steady_clock::time_point FLastTime{};
};

}  // namespace norvgpssim
