// The serial members of TNorvGPSSimulator: each hands over to the component's serial line.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/serial/SerialLine.h"

namespace norv {

bool TNorvGPSSimulator::Connect(const std::string& SerialPortName, std::int32_t BaudRateValue) {
  return FLine->Connect(SerialPortName, BaudRateValue);
}

bool TNorvGPSSimulator::Connect(const std::string& SerialPortName) {
  return FLine->Connect(SerialPortName, FLine->BaudRate());
}

bool TNorvGPSSimulator::Connect() { return FLine->Connect(FLine->Port(), FLine->BaudRate()); }

bool TNorvGPSSimulator::SetDCBState(std::int32_t BaudRateValue) {
  return FLine->SetDCBState(BaudRateValue);
}

bool TNorvGPSSimulator::IsConnected() const { return FLine->IsConnected(); }

void TNorvGPSSimulator::Disconnect() { FLine->Disconnect(); }

std::uint32_t TNorvGPSSimulator::Send(const std::string& str) { return FLine->Send(str); }

std::string TNorvGPSSimulator::GetSerialPort() const { return FLine->Port(); }

std::int32_t TNorvGPSSimulator::GetBaudRate() const { return FLine->BaudRate(); }

std::string TNorvGPSSimulator::LastError() const { return FLine->LastError(); }

std::uint32_t TNorvGPSSimulator::Transmit() { return Send(GetNMEA()); }

// The sentences are built here, on the caller's thread; only the line time goes to the sender.
void TNorvGPSSimulator::TransmitOnNewThread() { SendOnNewThread(GetNMEA()); }

void TNorvGPSSimulator::SendOnNewThread(const std::string& str) { FLine->SendOnNewThread(str); }

std::string TNorvGPSSimulator::Port() const { return FLine->Port(); }

void TNorvGPSSimulator::SetPort(const std::string& Value) { FLine->SetPort(Value); }

std::int32_t TNorvGPSSimulator::BaudRate() const { return FLine->BaudRate(); }

void TNorvGPSSimulator::SetBaudRate(std::int32_t Value) { FLine->SetBaudRate(Value); }

}  // namespace norv
