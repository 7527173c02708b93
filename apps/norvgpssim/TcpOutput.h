#pragma once
// Epochs streamed to every client of a TCP server; clients may come and go at any time.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "Output.h"
#include "norv/posix/Descriptor.h"

namespace norvgpssim {

class TcpOutput : public Output {
 public:
  // Listens on address:port (port 0: any free port) and serves up to maxClients at once; a
  // client beyond that is accepted and closed at once. Raises CliError (unusable output).
  TcpOutput(const std::string& address, std::uint16_t port, std::size_t maxClients = 64);
  ~TcpOutput() override = default;  // the client and listening sockets close as members
  TcpOutput(const TcpOutput&) = delete;
  TcpOutput& operator=(const TcpOutput&) = delete;

  std::string Name() const override { return "tcp"; }
  // "127.0.0.1:2947" or "[::1]:2947", with the port actually bound.
  const std::string& Endpoint() const { return FEndpoint; }
  std::uint16_t Port() const { return FPort; }

  // Every client gets whole epochs from the first one after it connected.
  void WriteEpoch(const std::string& text) override;
  void AddPollFds(std::vector<pollfd>& fds) const override;
  void HandlePoll(const std::vector<pollfd>& fds) override;
  int Clients() const override { return static_cast<int>(FClients.size()); }

 private:
  struct Client {
    norv::posix::TDescriptor fd;
    std::string pending;      // accepted by us, not yet by the socket
    std::size_t readBudget;   // what may still be read (and ignored) before the next epoch
    bool readClosed = false;  // the client shut down its sending side: it may still read
  };
  void AcceptAll();
  // Sends what the socket takes; false when the client is gone.
  bool Flush(Client& c);
  // Reads and ignores what a client sends, up to its budget; false when the socket failed.
  static bool Drain(Client& c);
  void Drop(std::size_t index);

  norv::posix::TDescriptor FListen;
  std::uint16_t FPort = 0;
  std::string FEndpoint;
  std::vector<Client> FClients;
  std::size_t FMaxClients;
  // Out of descriptors: the listening socket is not watched until then, instead of waking
  // the loop at once again and again.
  std::chrono::steady_clock::time_point FAcceptPausedUntil{};
};

}  // namespace norvgpssim
