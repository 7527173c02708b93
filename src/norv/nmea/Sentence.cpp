#include "norv/nmea/Sentence.h"

#include <algorithm>
#include <cstring>

#include "norv/nmea/FieldFormat.h"
#include "norv/satellites/Satellite.h"

namespace norv {

namespace {

// memcpy for the few bytes of a field without a library call: two overlapping moves cover
// any length from 1 to 16.
char* Put(char* p, std::string_view Text) {
  const char* s = Text.data();
  const std::size_t n = Text.size();
  if (n >= 8 && n <= 16) {
    std::uint64_t head, tail;
    std::memcpy(&head, s, 8);
    std::memcpy(&tail, s + n - 8, 8);
    std::memcpy(p, &head, 8);
    std::memcpy(p + n - 8, &tail, 8);
  } else if (n >= 4 && n < 8) {
    std::uint32_t head, tail;
    std::memcpy(&head, s, 4);
    std::memcpy(&tail, s + n - 4, 4);
    std::memcpy(p, &head, 4);
    std::memcpy(p + n - 4, &tail, 4);
  } else if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) p[i] = s[i];
  } else {
    std::memcpy(p, s, n);
  }
  return p + n;
}

constexpr std::size_t kTrailerSize = 5;  // "*hh\r\n"

}  // namespace

std::string_view TalkerOf(TSatelliteType Type) {
  for (const auto& t : kTalkers)
    if (t.Type == Type) return t.Id;
  return "BD";
}

void AppendSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                    std::span<const std::string_view> Fields) {
  std::size_t size = 1 + Talker.size() + Kind.size() + Fields.size() + kTrailerSize;
  for (std::string_view f : Fields) size += f.size();
  const std::size_t start = Out.size();
  Out.resize(start + size);
  char* const sentence = Out.data() + start;
  char* p = sentence;
  *p++ = '$';
  p = Put(p, Talker);
  p = Put(p, Kind);
  for (std::string_view f : Fields) {
    *p++ = ',';
    p = Put(p, f);
  }
  // The checksum covers everything between '$' and '*' of this sentence only.
  const std::uint8_t c = XorOfBytes(std::string_view(sentence + 1, p - sentence - 1));
  static constexpr char kHex[] = "0123456789ABCDEF";
  p[0] = '*';
  p[1] = kHex[c >> 4];
  p[2] = kHex[c & 0xF];
  p[3] = '\r';
  p[4] = '\n';
}

void AppendSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                    std::initializer_list<std::string_view> Fields) {
  AppendSentence(Out, Talker, Kind, std::span<const std::string_view>(Fields.begin(), Fields.size()));
}

void AppendSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                    std::string_view Fields) {
  AppendSentence(Out, Talker, Kind, {Fields});
}

TConstellations::TConstellations(const TSatellites& Table, std::int32_t TableSize) {
  const auto last = std::min<std::size_t>(static_cast<std::size_t>(std::max(TableSize, 0)),
                                          Table.size() - 1);
  // Written unconditionally and counted by the flag: no branch on the activity pattern.
  std::size_t count = 0;
  for (std::size_t code = 1; code <= last; ++code) {
    TSatellite* s = Table[code].get();
    if (s == nullptr) continue;
    FActive[count] = s;
    count += s->Active() ? 1 : 0;
  }
  FActiveCount = count;
  Group();
}

TConstellations::TConstellations(std::span<TSatellite* const> Active) {
  FActiveCount = std::min(Active.size(), FActive.size());
  std::copy_n(Active.begin(), FActiveCount, FActive.begin());
  Group();
}

void TConstellations::Group() {
  // Counting sort by talker (the talker index is the type's ordinal); a satellite of no known
  // constellation belongs to none.
  std::array<std::size_t, kTalkers.size()> count{};
  for (std::size_t i = 0; i < FActiveCount; ++i) {
    const std::size_t t = FActive[i]->SatelliteType();
    if (t < count.size()) ++count[t];
  }
  std::array<std::size_t, kTalkers.size()> next{};
  for (std::size_t t = 1; t < count.size(); ++t) next[t] = next[t - 1] + count[t - 1];
  FFirst = next;
  FCount = count;
  for (std::size_t i = 0; i < FActiveCount; ++i) {
    const std::size_t t = FActive[i]->SatelliteType();
    if (t < count.size()) FByTalker[next[t]++] = FActive[i];
  }
}

std::size_t TConstellations::TalkersInUse() const {
  std::size_t n = 0;
  for (std::size_t count : FCount) n += count != 0;
  return n;
}

}  // namespace norv
