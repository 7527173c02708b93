// The framing routine against the plain definition of a sentence, for fields of every length.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "norv/nmea/FieldFormat.h"
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

}  // namespace
}  // namespace norv
