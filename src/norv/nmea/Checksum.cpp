#include "norv/nmea/Checksum.h"

namespace norv {

std::uint8_t XorOfBytes(std::string_view Body) {
  TChecksum checksum;
  checksum.Add(Body);
  return checksum.Value();
}

std::string GetNMEACheckSum(std::string_view Sentence) {
  std::string hex(2, '0');
  WriteChecksumHex(hex.data(), Sentence.size() > 1 ? XorOfBytes(Sentence.substr(1)) : 0);
  return hex;
}

}  // namespace norv
