#pragma once
// Ports on the loopback interface, for tests that start a server (gpsd, norvgpssim --tcp).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace norv::test {

inline sockaddr_in LoopbackAddress(int Port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<std::uint16_t>(Port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return addr;
}

// A TCP port on the loopback interface that nothing listens on right now (-1 if none).
inline int FreeLoopbackPort() {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr = LoopbackAddress(0);
  socklen_t len = sizeof addr;
  int port = -1;
  if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&addr), len) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    port = ntohs(addr.sin_port);
  if (s >= 0) ::close(s);
  return port;
}

// Whether a server listens on Port of the loopback interface.
inline bool AcceptsConnections(int Port) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in addr = LoopbackAddress(Port);
  const bool ok =
      s >= 0 && ::connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
  if (s >= 0) ::close(s);
  return ok;
}

}  // namespace norv::test
