#pragma once
// TSentenceWriter: the one place that frames a sentence. "$", talker, kind, then "," and a
// field per call, then "*", the checksum of that sentence alone, and CR LF.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "norv/nmea/Checksum.h"
#include "norv/nmea/SentenceText.h"

namespace norv {

// Builds one sentence at the end of Out in the room asked for; Close commits it.
class TSentenceWriter {
 public:
  // FieldsRoom: at least the bytes of all fields with a separator each.
  TSentenceWriter(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                  std::size_t FieldsRoom)
      : FOut(Out),
        FStart(Out.Room(1 + Talker.size() + Kind.size() + FieldsRoom + kSentenceTrailerSize)),
        FPos(FStart) {
    *FPos++ = '$';
    Copy(Talker);
    Copy(Kind);
  }

  void Field(std::string_view Text) {
    *FPos++ = ',';
    Copy(Text);
  }

  // Fields written in place by Write(char* at) -> char* end, each with its leading ",", within
  // the room asked for: numbers go straight into the sentence instead of through a copy.
  template <class F>
  void WrittenFields(F&& Write) {
    FPos = Write(FPos);
  }

  // The checksum covers everything between '$' and '*' of this sentence only.
  void Close() {
    WriteSentenceTrailer(FPos, XorOfBytes({FStart + 1, static_cast<std::size_t>(FPos - FStart - 1)}));
    FOut.Commit(FPos + kSentenceTrailerSize);
  }

 private:
  // Fields of up to 16 bytes are moved by two overlapping loads and stores, without a library
  // call.
  void Copy(std::string_view Text) {
    const char* s = Text.data();
    const std::size_t n = Text.size();
    if (n >= 8 && n <= 16) {
      Move<std::uint64_t>(FPos, s, n);
    } else if (n >= 4 && n < 8) {
      Move<std::uint32_t>(FPos, s, n);
    } else if (n < 4) {
      for (std::size_t i = 0; i < n; ++i) FPos[i] = s[i];
    } else {
      std::memcpy(FPos, s, n);
    }
    FPos += n;
  }

  // n bytes, sizeof(W) <= n <= 2 * sizeof(W), as two words that may overlap.
  template <class W>
  static void Move(char* p, const char* s, std::size_t n) {
    W head, tail;
    std::memcpy(&head, s, sizeof(W));
    std::memcpy(&tail, s + n - sizeof(W), sizeof(W));
    std::memcpy(p, &head, sizeof(W));
    std::memcpy(p + n - sizeof(W), &tail, sizeof(W));
  }

  TSentenceText& FOut;
  char* const FStart;
  char* FPos;
};

}  // namespace norv
