// The framing routine against the plain definition of a sentence, for fields of every length.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Epoch.h"
#include "norv/nmea/Sentence.h"

namespace norv {
namespace {

// "$" + talker + kind + ",field"... + "*" + checksum + CR LF, written out the obvious way.
std::string Expected(const std::string& Talker, const std::string& Kind,
                     const std::vector<std::string>& Fields) {
  std::string body = "$" + Talker + Kind;
  for (const std::string& f : Fields) body += "," + f;
  return body + "*" + GetNMEACheckSum(body) + "\r\n";
}

TEST(SentenceFraming, FieldsOfEveryLengthAndContent) {
  std::mt19937 random(82);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> fields(1 + random() % 6);
    for (auto& f : fields)
      for (std::size_t n = random() % 41; n > 0; --n) f += static_cast<char>(' ' + random() % 95);
    const std::vector<std::string_view> views(fields.begin(), fields.end());
    // Room from none to plenty: the text grows in the middle of a sentence or not at all.
    TSentenceText text(random() % 300);
    AppendSentence(text, "GP", "ABC", "prefix");
    AppendSentence(text, "GL", "XYZ", views);
    ASSERT_EQ(std::move(text).Release(), Expected("GP", "ABC", {"prefix"}) + Expected("GL", "XYZ", fields));
  }
}

// The epoch frames a sentence again whenever its key changes, and for a next talker with an
// equal key writes exactly what framing it would have written; fields too long to keep are
// framed for every talker.
TEST(EpochSentences, AnEqualKeyGivesTheTalkersOwnSentenceAnotherKeyIsFramedAnew) {
  const std::string longField(300, 'x');
  struct Step {
    const char* talker;
    TSentenceKey key;
    std::string field;
    bool framed;
  };
  const Step steps[] = {
      {"GP", {"ZDA", 1.0}, "a", true},      {"GL", {"ZDA", 1.0}, "a", false},
      {"BD", {"ZDA", 2.0}, "b", true},      {"GP", {"ZDA", 2.0, 3.0}, "c", true},
      {"GL", {"GSA", 2.0, 3.0}, "d", true}, {"BD", {"GSA", 2.0, 3.0, 1}, "e", true},
      {"GP", {"RTE"}, longField, true},     {"GL", {"RTE"}, longField, true},
  };
  const TReceiverState state;
  const TSatelliteTable table;
  TEpoch epoch({state, table});
  TSentenceText expected(0);
  for (const Step& step : steps) {
    bool framed = false;
    epoch.AppendSentence(step.talker, step.key, [&] {
      framed = true;
      AppendSentence(epoch.Out(), step.talker, step.key.Kind, step.field);
    });
    EXPECT_EQ(framed, step.framed) << step.talker << step.key.Kind;
    AppendSentence(expected, step.talker, step.key.Kind, step.field);
  }
  EXPECT_EQ(std::move(epoch).Release(), std::move(expected).Release());
}

}  // namespace
}  // namespace norv
