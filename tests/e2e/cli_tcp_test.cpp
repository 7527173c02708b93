// norvgpssim --tcp: every connected client gets whole epochs; clients come and go while the
// server keeps running.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "e2e/NmeaText.h"

namespace norv {
namespace {

using namespace std::chrono_literals;

class TcpClient {
 public:
  explicit TcpClient(int port) : FFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    FConnected = ::connect(FFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~TcpClient() { Close(); }
  void Close() {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
  }
  bool Connected() const { return FConnected; }
  // Reads for `time`; returns what came, or "<closed>" appended when the server closed.
  std::string Read(std::chrono::milliseconds time) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
      pollfd p{FFd, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      char buf[4096];
      const ssize_t n = ::recv(FFd, buf, sizeof buf, 0);
      if (n <= 0) return got + "<closed>";
      got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
  }

 private:
  int FFd;
  bool FConnected = false;
};

// Whole epochs: starts with an epoch's first sentence, every sentence framed and checked.
void ExpectWholeEpochs(const std::string& text) {
  const std::string complete = text.substr(0, text.rfind("\r\n") + 2);
  const auto sentences = test::SplitSentences(complete);
  ASSERT_GT(sentences.size(), 10u) << text;
  EXPECT_EQ(test::SentenceKind(sentences.front()), "ZDA");
  for (const auto& s : sentences) EXPECT_TRUE(test::ChecksumValid(s)) << s;
}

TEST(CliTcp, ClientsComeAndGoAndEachGetsWholeEpochs) {
  test::CliProcess server({"--tcp", "0", "--time-scale", "10", "--no-status"});
  ASSERT_TRUE(server.WaitForStderr("TCP server on 127.0.0.1:")) << server.Stderr();
  const int port = std::stoi(server.StderrValue("TCP server on 127.0.0.1:"));

  TcpClient first(port);
  ASSERT_TRUE(first.Connected());
  ExpectWholeEpochs(first.Read(1500ms));  // the first epoch waits for a whole second
  {
    TcpClient second(port);
    ASSERT_TRUE(second.Connected());
    first.Close();  // one leaves while another joins
    ExpectWholeEpochs(second.Read(800ms));
  }  // and the second leaves without a word
  TcpClient third(port);
  ASSERT_TRUE(third.Connected());
  const std::string late = third.Read(800ms);
  EXPECT_EQ(late.find("<closed>"), std::string::npos) << "the server went away";
  ExpectWholeEpochs(late);

  server.Signal(SIGINT);
  EXPECT_EQ(server.Wait(), 0) << server.Stderr();
  EXPECT_NE(third.Read(500ms).find("<closed>"), std::string::npos);
}

}  // namespace
}  // namespace norv
