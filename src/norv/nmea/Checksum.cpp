#include "norv/nmea/Checksum.h"

namespace norv {

std::uint8_t XorOfBytes(std::string_view Body) {
  TChecksum checksum;
  checksum.Add(Body);
  return checksum.Value();
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
