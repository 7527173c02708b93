#pragma once
// TSentenceWriter: the one place that frames a sentence. "$", talker, kind, then "," and a
// field per call, then "*", the checksum of that sentence alone, and CR LF.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/SentenceText.h"

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

// Builds one sentence at the end of Out in the room asked for; Close commits it. Fields of up
// to 16 bytes are moved by two overlapping loads and stores, without a library call.
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
    FXor ^= ',';
    Copy(Text);
  }

  // Fields written in place by Write(char* at) -> char* end, each with its leading ",", within
  // the room asked for: numbers go straight into the sentence instead of through a copy.
  template <class F>
  void WrittenFields(F&& Write) {
    char* const end = Write(FPos);
    FXor ^= XorOfBytes({FPos, static_cast<std::size_t>(end - FPos)});
    FPos = end;
  }

  // Fields kept ready elsewhere, each with its leading ",", whose XOR is known: the whole of Text
  // is copied at once (within the room asked for) and its first Length bytes count.
  template <std::size_t Size>
  void KeptFields(const std::array<char, Size>& Text, std::size_t Length, std::uint8_t Xor) {
    std::memcpy(FPos, Text.data(), Size);
    FPos += Length;
    FXor ^= Xor;
  }

  // The checksum covers everything between '$' and '*' of this sentence only.
  void Close() {
    std::uint64_t x = FXor;  // XOR does not care where in the word a byte sits: fold it
    x ^= x >> 32;
    x ^= x >> 16;
    x ^= x >> 8;
    WriteSentenceTrailer(FPos, static_cast<std::uint8_t>(x));
    FOut.Commit(FPos + kSentenceTrailerSize);
  }

 private:
  // The XOR of the body is taken from the sources as they are copied: reading the output
  // back right after writing it in small pieces would wait on those stores.
  void Copy(std::string_view Text) {
    const char* s = Text.data();
    const std::size_t n = Text.size();
    if (n >= 8 && n <= 16) {
      FXor ^= Move<std::uint64_t>(FPos, s, n);
    } else if (n >= 4 && n < 8) {
      FXor ^= Move<std::uint32_t>(FPos, s, n);
    } else if (n < 4) {
      for (std::size_t i = 0; i < n; ++i) {
        FPos[i] = s[i];
        FXor ^= static_cast<std::uint8_t>(s[i]);
      }
    } else {
      std::memcpy(FPos, s, n);
      FXor ^= XorOfBytes(Text);
    }
    FPos += n;
  }

  // n bytes, sizeof(W) <= n <= 2 * sizeof(W), as two words that may overlap; returns their XOR
  // with the overlap counted once (the second word shifted past the bytes the first holds).
  template <class W>
  static W Move(char* p, const char* s, std::size_t n) {
    W head, tail;
    std::memcpy(&head, s, sizeof(W));
    std::memcpy(&tail, s + n - sizeof(W), sizeof(W));
    std::memcpy(p, &head, sizeof(W));
    std::memcpy(p + n - sizeof(W), &tail, sizeof(W));
    const std::size_t overlap = 2 * sizeof(W) - n;
    if (overlap == sizeof(W)) return head;
    static_assert(std::endian::native == std::endian::little);  // first bytes lowest
    return head ^ static_cast<W>(tail >> (8 * overlap));
  }

  TSentenceText& FOut;
  char* FPos;
  std::uint64_t FXor = 0;
};

}  // namespace norv
