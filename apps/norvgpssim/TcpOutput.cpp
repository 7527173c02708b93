#include "TcpOutput.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "ExitCodes.h"
#include "norv/posix/WriteAll.h"

namespace norvgpssim {

namespace {

// A client that has not taken this much is not reading; it is disconnected rather than held
// with an ever-growing backlog.
constexpr std::size_t kMaxPendingBytes = 256 * 1024;
// What is read (and discarded) from one client per epoch at most: a client that floods the
// server cannot hold the loop, and once its budget is spent its socket is not watched for
// input until the next epoch.
constexpr std::size_t kReadBudgetBytes = 64 * 1024;
// How long accept waits after running out of descriptors.
constexpr auto kAcceptBackOff = std::chrono::milliseconds(250);

std::string EndpointText(const sockaddr_storage& addr) {
  char host[INET6_ADDRSTRLEN] = "?";
  std::uint16_t port = 0;
  if (addr.ss_family == AF_INET6) {
    const auto& a6 = reinterpret_cast<const sockaddr_in6&>(addr);
    ::inet_ntop(AF_INET6, &a6.sin6_addr, host, sizeof host);
    port = ntohs(a6.sin6_port);
    // Appended, not "[" + host: g++ 12 at -O3 reports a false -Wrestrict for the insertion.
    std::string text = "[";
    text += host;
    return text + "]:" + std::to_string(port);
  }
  const auto& a4 = reinterpret_cast<const sockaddr_in&>(addr);
  ::inet_ntop(AF_INET, &a4.sin_addr, host, sizeof host);
  port = ntohs(a4.sin_port);
  return std::string(host) + ":" + std::to_string(port);
}

}  // namespace

TcpOutput::TcpOutput(const std::string& address, std::uint16_t port, std::size_t maxClients)
    : FMaxClients(maxClients) {
  const std::string where = address + " port " + std::to_string(port);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV | AI_PASSIVE;  // a host name such as localhost resolves
  addrinfo* found = nullptr;
  if (::getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 ||
      found == nullptr)
    throw CliError(kExitUsage, "--bind '" + address +
                                   "': not an IPv4 or IPv6 address or a known host name");
  FListen = norv::posix::TDescriptor(
      ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  int err = errno;
  if (FListen.IsOpen()) {
    const int on = 1;
    ::setsockopt(FListen.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(FListen.Get(), found->ai_addr, found->ai_addrlen) != 0 ||
        ::listen(FListen.Get(), 16) != 0) {
      err = errno;
      FListen.Close();
    }
  }
  ::freeaddrinfo(found);
  if (!FListen.IsOpen()) throw CliError(kExitOutput, "tcp: cannot listen on " + where + ": " + ErrnoText(err));
  sockaddr_storage bound{};
  socklen_t len = sizeof bound;
  ::getsockname(FListen.Get(), reinterpret_cast<sockaddr*>(&bound), &len);
  FEndpoint = EndpointText(bound);
  FPort = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(bound).sin6_port
                                            : reinterpret_cast<sockaddr_in&>(bound).sin_port);
}

void TcpOutput::WriteEpoch(const std::string& text) {
  AcceptAll();
  for (std::size_t i = FClients.size(); i-- > 0;) {
    Client& c = FClients[i];
    c.readBudget = kReadBudgetBytes;
    if (c.pending.size() + text.size() > kMaxPendingBytes) {
      FBytesDropped += c.pending.size() + text.size();
      Drop(i);
      continue;
    }
    c.pending += text;
    if (!Flush(c)) Drop(i);
  }
}

void TcpOutput::AddPollFds(std::vector<pollfd>& fds) const {
  if (std::chrono::steady_clock::now() >= FAcceptPausedUntil)
    fds.push_back({FListen.Get(), POLLIN, 0});
  for (const Client& c : FClients) {
    const bool reads = !c.readClosed && c.readBudget > 0;
    // Hang-ups and errors are reported whatever the events asked for.
    const int events = (reads ? POLLIN : 0) | (c.pending.empty() ? 0 : POLLOUT);
    fds.push_back({c.fd.Get(), static_cast<short>(events), 0});
  }
}

void TcpOutput::HandlePoll(const std::vector<pollfd>& fds) {
  for (std::size_t i = FClients.size(); i-- > 0;) {
    Client& c = FClients[i];
    const short ev = EventsFor(fds, c.fd.Get());
    // POLLHUP: both directions are shut. A client that only shut its sending side still reads.
    const bool gone = (ev & (POLLHUP | POLLERR)) != 0 || ((ev & POLLIN) != 0 && !Drain(c)) ||
                      ((ev & POLLOUT) != 0 && !Flush(c));
    if (gone) Drop(i);
  }
  if (EventsFor(fds, FListen.Get()) & POLLIN) AcceptAll();
}

void TcpOutput::AcceptAll() {
  if (std::chrono::steady_clock::now() < FAcceptPausedUntil) return;
  for (;;) {
    norv::posix::TDescriptor fd(
        ::accept4(FListen.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!fd.IsOpen()) {
      // EAGAIN: nobody else waiting. Out of descriptors or memory: the client stays queued and
      // the listening socket readable, so wait a while. Other errors concern that client only.
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
        FAcceptPausedUntil = std::chrono::steady_clock::now() + kAcceptBackOff;
      if (errno != ECONNABORTED && errno != EINTR) return;
      continue;
    }
    if (FClients.size() >= FMaxClients) continue;  // refused: closed at once, before any epoch
    FClients.push_back({std::move(fd), {}, kReadBudgetBytes});
  }
}

bool TcpOutput::Flush(Client& c) {
  // A deadline of now: the rest goes when the socket can take it. SIGPIPE is ignored while the
  // program runs (StopSignals), so a client that has gone shows as EPIPE or ECONNRESET.
  const norv::posix::TWriteResult result = norv::posix::WriteAll(
      c.fd.Get(), c.pending.data(), c.pending.size(), norv::posix::Clock::now());
  FBytesSent += result.written;
  c.pending.erase(0, result.written);
  return result.error == 0 || result.error == ETIMEDOUT;
}

bool TcpOutput::Drain(Client& c) {
  char discard[4096];
  while (c.readBudget > 0) {
    const ssize_t n =
        ::recv(c.fd.Get(), discard, std::min(sizeof discard, c.readBudget), MSG_DONTWAIT);
    if (n > 0) {
      c.readBudget -= static_cast<std::size_t>(n);
      continue;
    }
    if (n == 0) c.readClosed = true;  // its sending side is shut; keep sending to it
    return n == 0 || errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  }
  return true;
}

void TcpOutput::Drop(std::size_t index) {
  FClients.erase(FClients.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace norvgpssim
