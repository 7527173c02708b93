#pragma once
// The sentence checksum: the XOR of the body's bytes, and its "*hh" CR LF trailer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace norv {

inline constexpr std::size_t kSentenceTrailerSize = 5;  // "*hh\r\n"

// XOR of every byte of Body: the checksum of a sentence whose body (between '$' and '*') it is.
std::uint8_t XorOfBytes(std::string_view Body);
// Writes the checksum as two upper-case hex digits at At.
void WriteChecksumHex(char* At, std::uint8_t Checksum);
// Writes "*", the two hex digits of Checksum and CR LF at At (kSentenceTrailerSize bytes).
void WriteSentenceTrailer(char* At, std::uint8_t Checksum);
// XOR of every byte after the first (the '$'), as two upper-case hex digits; "00" for one byte.
std::string GetNMEACheckSum(std::string_view Sentence);

}  // namespace norv
