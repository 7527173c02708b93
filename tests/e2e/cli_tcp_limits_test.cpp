// norvgpssim --tcp at its limits: a cap on clients, and no busy loop when descriptors run out.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "support/CliProcess.h"
#include "support/LoopbackClient.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using test::TLoopbackClient;

constexpr const char* kServerOn = "TCP server on 127.0.0.1:";

TEST(CliTcpLimits, ClientsBeyondTheCapAreClosedAtOnce) {
  test::CliProcess server({"--tcp", "0", "--max-clients", "2", "--time-scale", "10", "--no-status"});
  ASSERT_TRUE(server.WaitForStderr(kServerOn)) << server.Stderr();
  const int port = std::stoi(server.StderrValue(kServerOn));
  TLoopbackClient first(port), second(port);
  ASSERT_TRUE(first.Connected() && second.Connected());
  first.Read(300ms);  // both accepted before the third comes
  TLoopbackClient third(port);
  EXPECT_EQ(third.Read(1500ms), "<closed>");
  // The first epoch waits for a whole second of the wall clock, so it may not have come yet.
  EXPECT_NE(first.ReadUntil("$GPGGA", 3s).find("$GPGGA"), std::string::npos);
  EXPECT_NE(second.ReadUntil("$GPGGA", 3s).find("$GPGGA"), std::string::npos);
}

// User plus system CPU time of a process, in clock ticks.
long CpuTicks(pid_t Pid) {
  std::ifstream in("/proc/" + std::to_string(Pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string skip;
  for (int i = 0; i < 11; ++i) fields >> skip;  // state .. cmajflt
  long user = 0, system = 0;
  fields >> user >> system;
  return user + system;
}

// With the descriptors used up, clients wait in the queue while the program sleeps between
// epochs instead of retrying accept at full speed.
TEST(CliTcpLimits, OutOfDescriptorsTheServerBacksOff) {
  const test::TempDir dir("tcp-fd-limit");
  test::TChildProcess server;
  ASSERT_TRUE(server.Start({"/bin/sh", "-c", "ulimit -n 16 && exec \"$0\" --tcp 0 --no-status",
                            test::kCliBinary},
                           test::TChildOutput{-1, {}, dir / "err", false}));
  std::string err;
  for (int i = 0; i < 200 && err.find(kServerOn) == std::string::npos; ++i) {
    std::this_thread::sleep_for(20ms);
    err = test::ReadWholeFile(dir / "err");
  }
  ASSERT_NE(err.find(kServerOn), std::string::npos) << err;
  const int port = std::stoi(err.substr(err.find(kServerOn) + std::string(kServerOn).size()));
  std::vector<std::unique_ptr<TLoopbackClient>> clients;
  for (int i = 0; i < 20; ++i) clients.push_back(std::make_unique<TLoopbackClient>(port));
  std::this_thread::sleep_for(500ms);
  const long before = CpuTicks(server.Pid());
  std::this_thread::sleep_for(2s);
  const long used = CpuTicks(server.Pid()) - before;
  EXPECT_LT(used, ::sysconf(_SC_CLK_TCK) / 4) << "CPU ticks in 2 s: " << used;
  EXPECT_NE(clients.front()->Read(1500ms).find("$GPGGA"), std::string::npos)
      << "an accepted client is still served";
}

}  // namespace
}  // namespace norv
