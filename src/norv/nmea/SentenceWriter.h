#pragma once
// TSentenceWriter: the one place that frames a sentence. "$", talker, kind, then "," and a
// field per call, then "*", the checksum of that sentence alone, and CR LF.
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "norv/framework/DigitText.h"
#include "norv/nmea/Checksum.h"
#include "norv/nmea/SentenceText.h"

namespace norv {

// ",n" for each number n below 1000, padded to four bytes, its length and the XOR of its bytes,
// in eight bytes read at once. Internal linkage, so a shared library reads it directly rather
// than through its symbol table.
struct TSmallNumberField {
  std::array<char, 4> Text;
  std::uint8_t Length;
  std::uint8_t Xor;
  std::array<std::uint8_t, 2> Unused;
};
static_assert(sizeof(TSmallNumberField) == 8);
alignas(8) static constexpr std::array<TSmallNumberField, 1000> kSmallNumberFields = [] {
  std::array<TSmallNumberField, 1000> table{};
  for (unsigned n = 0; n < table.size(); ++n) {
    TSmallNumberField& f = table[n];
    f.Length = static_cast<std::uint8_t>(2 + (n >= 10) + (n >= 100));
    f.Text[0] = ',';
    for (unsigned i = 1, rest = n; i < f.Length; ++i, rest /= 10)
      f.Text[f.Length - i] = static_cast<char>('0' + rest % 10);
    for (unsigned i = 0; i < f.Length; ++i) f.Xor ^= static_cast<std::uint8_t>(f.Text[i]);
  }
  return table;
}();

// Builds one sentence at the end of Out in the room asked for; Close commits it.
class TSentenceWriter {
 public:
  // FieldsRoom: at least the bytes of all fields with a separator each.
  TSentenceWriter(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                  std::size_t FieldsRoom)
      : FOut(Out),
        FPos(Out.Room(1 + Talker.size() + Kind.size() + FieldsRoom + kSentenceTrailerSize)) {
    *FPos++ = '$';
    Copy(Talker);
    Copy(Kind);
  }

  void Field(std::string_view Text) {
    *FPos++ = ',';
    FChecksum.AddWord<std::uint8_t>(',');
    Copy(Text);
  }

  // Fields already joined, each with its leading ",", whose checksum share Xor is known.
  void KeptFields(std::string_view Text, std::uint8_t Xor) {
    std::memcpy(FPos, Text.data(), Text.size());
    FPos += Text.size();
    FChecksum.AddWord(Xor);
  }

  // Fields written in place by Write(TNumberFields&), within the room asked for: numbers go
  // straight into the sentence instead of through a copy.
  class TNumberFields {
   public:
    // "," and Value as IntToStr writes it; at most 21 bytes. A number below 1000 (a count, code,
    // angle or ratio) is four bytes copied whole and a length, without a branch on its digits:
    // the bytes past its length are overwritten by what follows.
    void Field(std::int64_t Value) {
      if (Value >= 0 && Value < static_cast<std::int64_t>(kSmallNumberFields.size())) [[likely]] {
        const TSmallNumberField f = kSmallNumberFields[static_cast<std::size_t>(Value)];
        std::memcpy(FPos, f.Text.data(), f.Text.size());
        FPos += f.Length;
        FChecksum.AddWord(f.Xor);
        return;
      }
      *FPos++ = ',';
      char* const start = FPos;
      FPos = WriteInteger(FPos, Value);
      FChecksum.AddWord<std::uint8_t>(',');
      FChecksum.Add({start, static_cast<std::size_t>(FPos - start)});
    }

   private:
    friend class TSentenceWriter;
    TNumberFields(char* Pos, TChecksum Checksum) : FPos(Pos), FChecksum(Checksum) {}
    char* FPos;
    TChecksum FChecksum;
  };
  template <class F>
  void NumberFields(F&& Write) {
    // Worked on in a local copy, which the compiler keeps in registers.
    TNumberFields fields(FPos, FChecksum);
    Write(fields);
    FPos = fields.FPos;
    FChecksum = fields.FChecksum;
  }

  // The checksum covers everything between '$' and '*' of this sentence only.
  void Close() {
    const std::uint8_t checksum = FChecksum.Value();
    WriteSentenceTrailer(FPos, checksum);
    FOut.Commit(FPos + kSentenceTrailerSize, checksum);
  }

 private:
  // The checksum is taken from the sources as they are copied: reading the output back right
  // after writing it in small pieces would wait on those stores. Fields of up to 16 bytes are
  // moved by two overlapping loads and stores, without a library call.
  void Copy(std::string_view Text) {
    const char* s = Text.data();
    const std::size_t n = Text.size();
    if (n >= 8 && n <= 16) {
      Move<std::uint64_t>(s, n);
    } else if (n >= 4 && n < 8) {
      Move<std::uint32_t>(s, n);
    } else if (n < 4) {
      for (std::size_t i = 0; i < n; ++i) {
        FPos[i] = s[i];
        FChecksum.AddWord(static_cast<std::uint8_t>(s[i]));
      }
    } else {
      std::memcpy(FPos, s, n);
      FChecksum.Add(Text);
    }
    FPos += n;
  }

  // n bytes, sizeof(W) <= n <= 2 * sizeof(W), as two words that may overlap; the overlap
  // counts once in the checksum.
  template <class W>
  void Move(const char* s, std::size_t n) {
    const W head = TChecksum::Load<W>(s);
    const W tail = TChecksum::Load<W>(s + n - sizeof(W));
    std::memcpy(FPos, &head, sizeof(W));
    std::memcpy(FPos + n - sizeof(W), &tail, sizeof(W));
    FChecksum.AddWord(head);
    const std::size_t overlap = 2 * sizeof(W) - n;
    if (overlap < sizeof(W)) FChecksum.AddWordWithout(tail, overlap);
  }

  TSentenceText& FOut;
  char* FPos;
  TChecksum FChecksum;
};

}  // namespace norv
