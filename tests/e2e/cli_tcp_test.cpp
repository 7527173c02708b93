// norvgpssim --tcp: every connected client gets whole epochs; clients come and go while the
// server keeps running.
#include <signal.h>

#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "support/LoopbackClient.h"
#include "e2e/NmeaText.h"

namespace norv {
namespace {

using namespace std::chrono_literals;

using test::TLoopbackClient;

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

  TLoopbackClient first(port);
  ASSERT_TRUE(first.Connected());
  ExpectWholeEpochs(first.Read(1500ms));  // the first epoch waits for a whole second
  {
    TLoopbackClient second(port);
    ASSERT_TRUE(second.Connected());
    first.Close();  // one leaves while another joins
    ExpectWholeEpochs(second.Read(800ms));
  }  // and the second leaves without a word
  TLoopbackClient third(port);
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
