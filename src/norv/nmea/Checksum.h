#pragma once
// The sentence checksum: the XOR of the body's bytes, and its "*hh" CR LF trailer.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace norv {

inline constexpr std::size_t kSentenceTrailerSize = 5;  // "*hh\r\n"

// The XOR of a sentence body (between '$' and '*'), taken in pieces. XOR does not care where
// in a word a byte sits, so whole words are XORed together and folded to one byte at the end,
// on hosts of either byte order.
class TChecksum {
 public:
  // Every byte of Bytes.
  void Add(std::string_view Bytes) {
    const char* p = Bytes.data();
    std::size_t n = Bytes.size();
    for (; n >= 8; n -= 8, p += 8) FWide ^= Load<std::uint64_t>(p);
    for (; n > 0; --n, ++p) FWide ^= static_cast<std::uint8_t>(*p);
  }
  // The bytes of a word as they lie in memory.
  template <class W>
  void AddWord(W Word) {
    FWide ^= Word;
  }
  // The bytes of Word except the first Skip of them in memory order (Skip < sizeof(W)).
  template <class W>
  void AddWordWithout(W Word, std::size_t Skip) {
    static_assert(std::endian::native == std::endian::little ||
                  std::endian::native == std::endian::big);
    if constexpr (std::endian::native == std::endian::little)
      FWide ^= static_cast<W>(Word >> (8 * Skip));
    else
      FWide ^= static_cast<W>(Word << (8 * Skip));
  }
  std::uint8_t Value() const {
    std::uint64_t x = FWide;
    x ^= x >> 32;
    x ^= x >> 16;
    x ^= x >> 8;
    return static_cast<std::uint8_t>(x);
  }

  template <class W>
  static W Load(const char* p) {
    W w;
    std::memcpy(&w, p, sizeof w);
    return w;
  }

 private:
  std::uint64_t FWide = 0;
};

// XOR of every byte of Body: the checksum of a sentence whose body it is.
std::uint8_t XorOfBytes(std::string_view Body);
// Writes the checksum as two upper-case hex digits at At.
inline void WriteChecksumHex(char* At, std::uint8_t Checksum) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  At[0] = kHex[Checksum >> 4];
  At[1] = kHex[Checksum & 0xF];
}
// Writes "*", the two hex digits of Checksum and CR LF at At (kSentenceTrailerSize bytes).
inline void WriteSentenceTrailer(char* At, std::uint8_t Checksum) {
  At[0] = '*';
  WriteChecksumHex(At + 1, Checksum);
  At[3] = '\r';
  At[4] = '\n';
}
// XOR of every byte after the first (the '$'), as two upper-case hex digits; "00" for one byte.
std::string GetNMEACheckSum(std::string_view Sentence);

}  // namespace norv
