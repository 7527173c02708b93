#pragma once
// Decimal digits written straight into a buffer, two at a time from a table.
#include <cstdint>
#include <cstring>

namespace norv {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Exactly Width digits of Value modulo 10^Width, zero-padded; returns the end.
inline char* WriteDigits(char* Out, std::uint64_t Value, int Width) {
  char* const end = Out + Width;
  char* p = end;
  for (; Width >= 2; Width -= 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (Value % 100), 2);
    Value /= 100;
  }
  if (Width == 1) *--p = static_cast<char>('0' + Value % 10);
  return end;
}

// The number of decimal digits of Value (1 for zero).
inline int DigitCount(std::uint64_t Value) {
  int n = 1;
  for (; Value >= 100; Value /= 100) n += 2;
  return Value >= 10 ? n + 1 : n;
}

// Value without leading zeros; returns the end.
inline char* WriteUnsigned(char* Out, std::uint64_t Value) {
  return WriteDigits(Out, Value, DigitCount(Value));
}

// Value with a leading '-' when negative, as IntToStr writes it; returns the end.
inline char* WriteInteger(char* Out, std::int64_t Value) {
  if (Value >= 0) return WriteUnsigned(Out, static_cast<std::uint64_t>(Value));
  *Out++ = '-';
  return WriteUnsigned(Out, 0 - static_cast<std::uint64_t>(Value));
}

}  // namespace norv
