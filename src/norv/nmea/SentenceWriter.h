#pragma once
// TSentenceWriter: the one place that frames a sentence. "$", talker, kind, then "," and a
// field per call, then "*", the checksum of that sentence alone, and CR LF.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "norv/framework/DigitText.h"
#include "norv/nmea/FieldFormat.h"

namespace norv {

inline constexpr std::size_t kSentenceTrailerSize = 5;  // "*hh\r\n"

// Writes "*", the checksum as two upper-case hex digits, and CR LF at At.
inline void WriteSentenceTrailer(char* At, std::uint8_t Checksum) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  At[0] = '*';
  At[1] = kHex[Checksum >> 4];
  At[2] = kHex[Checksum & 0xF];
  At[3] = '\r';
  At[4] = '\n';
}

// Grows Out by Size bytes and returns where they start.
char* GrowBy(std::string& Out, std::size_t Size);

// Builds one sentence at the end of Out, which grows once by the room asked for and is cut back
// to the sentence on Close. Fields of up to 16 bytes are moved by two overlapping loads and
// stores, without a library call.
class TSentenceWriter {
 public:
  // FieldsRoom: at least the bytes of all fields with a separator each.
  TSentenceWriter(std::string& Out, std::string_view Talker, std::string_view Kind,
                  std::size_t FieldsRoom)
      : FOut(Out),
        FBegin(GrowBy(Out, 1 + Talker.size() + Kind.size() + FieldsRoom + kSentenceTrailerSize)),
        FPos(FBegin) {
    *FPos++ = '$';
    FPos = Copy(FPos, Talker);
    FPos = Copy(FPos, Kind);
  }

  void Field(std::string_view Text) {
    *FPos++ = ',';
    FPos = Copy(FPos, Text);
  }

  // ',' and IntToStr's text of Value; NumberRoom(Value) bytes of the room.
  void Number(std::int64_t Value) {
    *FPos++ = ',';
    FPos = WriteInteger(FPos, Value);
  }
  static std::size_t NumberRoom(std::int64_t Value) {
    const std::uint64_t magnitude =
        Value < 0 ? 0 - static_cast<std::uint64_t>(Value) : static_cast<std::uint64_t>(Value);
    return 1 + (Value < 0 ? 1 : 0) + static_cast<std::size_t>(DigitCount(magnitude));
  }

  // The checksum covers everything between '$' and '*' of this sentence only.
  void Close() {
    const std::uint8_t c = XorOfBytes(std::string_view(FBegin + 1, FPos - FBegin - 1));
    WriteSentenceTrailer(FPos, c);
    FOut.resize(static_cast<std::size_t>(FPos - FOut.data()) + kSentenceTrailerSize);
  }

 private:
  static char* Copy(char* p, std::string_view Text) {
    const char* s = Text.data();
    const std::size_t n = Text.size();
    if (n >= 8 && n <= 16) {
      Move<std::uint64_t>(p, s, n);
    } else if (n >= 4 && n < 8) {
      Move<std::uint32_t>(p, s, n);
    } else if (n < 4) {
      for (std::size_t i = 0; i < n; ++i) p[i] = s[i];
    } else {
      std::memcpy(p, s, n);
    }
    return p + n;
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

  std::string& FOut;
  char* FBegin;
  char* FPos;
};

}  // namespace norv
