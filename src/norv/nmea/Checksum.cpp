#include "norv/nmea/Checksum.h"

#include <cstring>

namespace norv {

std::uint8_t XorOfBytes(std::string_view Body) {
  // Eight bytes at a time, then folded: XOR does not care how the bytes are grouped, so the
  // result is the same whatever the byte order of the host.
  const char* p = Body.data();
  std::size_t n = Body.size();
  std::uint64_t wide = 0;
  for (; n >= 8; n -= 8, p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    wide ^= word;
  }
  wide ^= wide >> 32;
  wide ^= wide >> 16;
  wide ^= wide >> 8;
  auto c = static_cast<std::uint8_t>(wide);
  for (; n > 0; --n, ++p) c ^= static_cast<std::uint8_t>(*p);
  return c;
}

void WriteChecksumHex(char* At, std::uint8_t Checksum) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  At[0] = kHex[Checksum >> 4];
  At[1] = kHex[Checksum & 0xF];
}

void WriteSentenceTrailer(char* At, std::uint8_t Checksum) {
  At[0] = '*';
  WriteChecksumHex(At + 1, Checksum);
  At[3] = '\r';
  At[4] = '\n';
}

std::string GetNMEACheckSum(std::string_view Sentence) {
  std::string hex(2, '0');
  WriteChecksumHex(hex.data(), Sentence.size() > 1 ? XorOfBytes(Sentence.substr(1)) : 0);
  return hex;
}

}  // namespace norv
