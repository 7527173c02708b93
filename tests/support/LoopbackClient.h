#pragma once
// A TCP client of a server on the loopback address, for the tests of norvgpssim --tcp.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace norv::test {

class TLoopbackClient {
 public:
  explicit TLoopbackClient(int Port) : FFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(Port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    FConnected = ::connect(FFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~TLoopbackClient() { Close(); }
  void Close() {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
  }
  TLoopbackClient(const TLoopbackClient&) = delete;
  TLoopbackClient& operator=(const TLoopbackClient&) = delete;

  int Fd() const { return FFd; }
  bool Connected() const { return FConnected; }
  // What arrives within Time, with "<closed>" appended when the server closed the connection.
  std::string Read(std::chrono::milliseconds Time) const { return ReadUntil({}, Time); }
  // The same, but returns as soon as Needle (if not empty) has arrived.
  std::string ReadUntil(std::string_view Needle, std::chrono::milliseconds Time) const {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + Time;
    while (std::chrono::steady_clock::now() < end) {
      pollfd p{FFd, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      char buf[4096];
      const ssize_t n = ::recv(FFd, buf, sizeof buf, 0);
      if (n <= 0) return got + "<closed>";
      got.append(buf, static_cast<std::size_t>(n));
      if (!Needle.empty() && got.find(Needle) != std::string::npos) break;
    }
    return got;
  }

 private:
  int FFd;
  bool FConnected = false;
};

}  // namespace norv::test
