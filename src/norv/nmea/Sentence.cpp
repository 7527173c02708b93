#include "norv/nmea/Sentence.h"

#include <algorithm>
#include <cstring>

#include "norv/nmea/FieldFormat.h"
#include "norv/satellites/Satellite.h"

namespace norv {

namespace {

constexpr std::size_t kTrailerSize = 5;  // "*hh\r\n"

// Writes a sentence body and keeps the XOR of its bytes from the sources as they are copied:
// reading the output back right after writing it in small pieces would wait on those stores.
// Fields of up to 16 bytes are moved by two overlapping loads and stores, without a library
// call; in the XOR the second load is shifted past the bytes the first one already holds.
class TBodyWriter {
 public:
  explicit TBodyWriter(char* Begin) : FPos(Begin) {}

  void Put(char c) {
    *FPos++ = c;
    FXor ^= static_cast<std::uint8_t>(c);
  }
  void Put(std::string_view Text) {
    const char* s = Text.data();
    const std::size_t n = Text.size();
    if (n >= 8 && n <= 16) {
      FXor ^= Move<std::uint64_t>(s, n);
    } else if (n >= 4 && n < 8) {
      FXor ^= Move<std::uint32_t>(s, n);
    } else if (n < 4) {
      for (std::size_t i = 0; i < n; ++i) Put(s[i]);
      return;
    } else {
      std::memcpy(FPos, s, n);
      FXor ^= XorOfBytes(Text);
    }
    FPos += n;
  }
  char* End() const { return FPos; }
  // XOR does not care where in the word a byte sits: folding the word gives the checksum.
  std::uint8_t Checksum() const {
    std::uint64_t x = FXor;
    x ^= x >> 32;
    x ^= x >> 16;
    x ^= x >> 8;
    return static_cast<std::uint8_t>(x);
  }

 private:
  // Copies n bytes (sizeof(W) <= n <= 2 * sizeof(W)) from s; returns their XOR in a word.
  template <class W>
  W Move(const char* s, std::size_t n) {
    W head, tail;
    std::memcpy(&head, s, sizeof(W));
    std::memcpy(&tail, s + n - sizeof(W), sizeof(W));
    std::memcpy(FPos, &head, sizeof(W));
    std::memcpy(FPos + n - sizeof(W), &tail, sizeof(W));
    const std::size_t overlap = 2 * sizeof(W) - n;  // bytes of tail that head holds too
    if (overlap == sizeof(W)) return head;
    return head ^ static_cast<W>(tail >> (8 * overlap));  // little-endian: first bytes lowest
  }

  char* FPos;
  std::uint64_t FXor = 0;
};

// Writes "*", the checksum, and CR LF at End.
void CloseSentence(char* End, std::uint8_t Checksum) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  End[0] = '*';
  End[1] = kHex[Checksum >> 4];
  End[2] = kHex[Checksum & 0xF];
  End[3] = '\r';
  End[4] = '\n';
}

}  // namespace

std::string_view TalkerOf(TSatelliteType Type) {
  for (const auto& t : kTalkers)
    if (t.Type == Type) return t.Id;
  return "BD";
}

namespace {

// "$", talker, kind, then "," and a field for each element of each of FieldLists, then the
// trailer; Out grows once.
template <class... Lists>
void FrameSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                   const Lists&... FieldLists) {
  std::size_t size = 1 + Talker.size() + Kind.size() + kTrailerSize;
  const auto measure = [&](const auto& fields) {
    for (std::string_view f : fields) size += 1 + f.size();
  };
  (measure(FieldLists), ...);
  const std::size_t start = Out.size();
  Out.resize(start + size);
  Out[start] = '$';
  // The checksum covers everything between '$' and '*' of this sentence only.
  TBodyWriter body(Out.data() + start + 1);
  body.Put(Talker);
  body.Put(Kind);
  const auto write = [&](const auto& fields) {
    for (std::string_view f : fields) {
      body.Put(',');
      body.Put(f);
    }
  };
  (write(FieldLists), ...);
  CloseSentence(body.End(), body.Checksum());
}

}  // namespace

void AppendSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                    std::span<const std::string_view> Fields) {
  FrameSentence(Out, Talker, Kind, Fields);
}

void AppendSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                    std::span<const std::string_view> Fields,
                    const std::vector<std::string>& MoreFields) {
  FrameSentence(Out, Talker, Kind, Fields, MoreFields);
}

void RepeatSentence(std::string& Out, std::size_t Start, std::size_t Length,
                    std::string_view Talker) {
  const std::size_t at = Out.size();
  Out.append(Out, Start, Length);
  char* const sentence = Out.data() + at;
  std::memcpy(sentence + 1, Talker.data(), Talker.size());
  // The checksum of the new talker and of the rest, read from the original sentence.
  const std::size_t rest = 1 + Talker.size();
  const std::uint8_t c =
      XorOfBytes(Talker) ^
      XorOfBytes(std::string_view(Out.data() + Start + rest, Length - rest - kTrailerSize));
  CloseSentence(sentence + Length - kTrailerSize, c);
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
  // Each satellite is stored and counted only when active: no branch on the activity pattern,
  // which follows the codes in use rather than any order.
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
  // One pass per talker keeps the counter in a register; a satellite of no known constellation
  // belongs to none.
  std::size_t next = 0;
  for (std::size_t t = 0; t < kTalkers.size(); ++t) {
    FFirst[t] = next;
    for (std::size_t i = 0; i < FActiveCount; ++i) {
      FByTalker[next] = FActive[i];
      next += FActive[i]->SatelliteType() == kTalkers[t].Type ? 1 : 0;
    }
    FCount[t] = next - FFirst[t];
  }
}

std::size_t TConstellations::TalkersInUse() const {
  std::size_t n = 0;
  for (std::size_t count : FCount) n += count != 0;
  return n;
}

}  // namespace norv
