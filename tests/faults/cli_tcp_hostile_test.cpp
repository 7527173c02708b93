// norvgpssim --tcp among hostile clients for a minute at 1 Hz: one floods the server with data,
// one has shut its sending side, 200 connect and do nothing. A well-behaved client still gets
// every epoch on time, the half-closed one gets epochs too, and the server's memory stays flat.
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "support/CliProcess.h"
#include "support/LoopbackClient.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::TLoopbackClient;

constexpr const char* kServerOn = "TCP server on 127.0.0.1:";
constexpr auto kRun = 60s;

// Resident memory of a process in kB (0 when it cannot be read).
long ResidentKb(pid_t Pid) {
  std::ifstream in("/proc/" + std::to_string(Pid) + "/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// Reads Client until Stop, noting when each epoch's first sentence ($GPGGA) arrived.
std::vector<Clock::time_point> EpochArrivals(const TLoopbackClient& Client,
                                             const std::atomic<bool>& Stop) {
  std::vector<Clock::time_point> arrivals;
  std::string tail;
  while (!Stop) {
    const std::string got = Client.Read(50ms);
    if (got.find("<closed>") != std::string::npos) break;
    tail += got;
    for (std::size_t at; (at = tail.find("$GPGGA")) != std::string::npos;) {
      arrivals.push_back(Clock::now());
      tail.erase(0, at + 6);
    }
  }
  return arrivals;
}

// Sends as fast as the server takes it until Stop.
void Flood(const TLoopbackClient& Client, const std::atomic<bool>& Stop) {
  const std::string junk(64 * 1024, 'x');
  while (!Stop) {
    if (::send(Client.Fd(), junk.data(), junk.size(), MSG_DONTWAIT | MSG_NOSIGNAL) < 0) {
      if (errno != EAGAIN && errno != EWOULDBLOCK) return;
      std::this_thread::sleep_for(1ms);
    }
  }
}

TEST(CliTcpHostile, FloodingHalfClosedAndIdleClientsDoNotStallTheOthers) {
  if (::access(test::kCliBinary.c_str(), X_OK) != 0)
    GTEST_SKIP() << "no CLI in this build: " << test::kCliBinary;
  test::CliProcess server({"--tcp", "0", "--commands", "GGA", "--max-clients", "256", "--no-status"});
  ASSERT_TRUE(server.WaitForStderr(kServerOn)) << server.Stderr();
  const int port = std::stoi(server.StderrValue(kServerOn));

  TLoopbackClient good(port), halfClosed(port), flooder(port);
  ASSERT_TRUE(good.Connected() && halfClosed.Connected() && flooder.Connected());
  ASSERT_EQ(::shutdown(halfClosed.Fd(), SHUT_WR), 0);
  std::atomic<bool> stop{false};
  std::vector<Clock::time_point> goodEpochs, halfClosedEpochs;
  const Clock::time_point start = Clock::now();
  std::thread goodReader([&] { goodEpochs = EpochArrivals(good, stop); });
  std::thread halfClosedReader([&] { halfClosedEpochs = EpochArrivals(halfClosed, stop); });
  std::thread flooding([&] { Flood(flooder, stop); });
  // The idle ones arrive while the others are measured (a burst beyond the listen queue takes
  // the kernel's connection retries, a few seconds).
  std::vector<std::unique_ptr<TLoopbackClient>> idle;
  for (int i = 0; i < 200; ++i) idle.push_back(std::make_unique<TLoopbackClient>(port));
  std::this_thread::sleep_until(start + 10s);
  const long memoryAt10s = ResidentKb(server.Pid());
  std::this_thread::sleep_until(start + kRun);
  const long memoryAtEnd = ResidentKb(server.Pid());
  stop = true;
  goodReader.join();
  halfClosedReader.join();
  flooding.join();

  // One epoch a second: about 60, the first within a second or so of connecting.
  EXPECT_GE(goodEpochs.size(), 59u);
  std::chrono::duration<double> longestGap{0};
  for (std::size_t i = 1; i < goodEpochs.size(); ++i)
    longestGap = std::max<std::chrono::duration<double>>(longestGap, goodEpochs[i] - goodEpochs[i - 1]);
  EXPECT_LE(longestGap.count(), 1.2) << "seconds between two epochs";
  EXPECT_GE(halfClosedEpochs.size(), 59u) << "the half-closed client is served";
  ASSERT_GT(memoryAt10s, 0);
  EXPECT_LT(memoryAtEnd - memoryAt10s, 2048) << "kB more resident memory after 50 s";
  std::cout << goodEpochs.size() << " epochs, longest gap " << longestGap.count() << " s; "
            << halfClosedEpochs.size() << " to the half-closed client; resident memory "
            << memoryAt10s << " kB at 10 s, " << memoryAtEnd << " kB at 60 s\n";
  server.Signal(SIGINT);
  EXPECT_EQ(server.Wait(), 0) << server.Stderr();
}

}  // namespace
}  // namespace norv
