#pragma once
// Decimal digits written straight into a buffer, two at a time from a table.
#include <cstdint>
#include <cstring>

namespace norv {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Exactly Width digits of Value modulo 10^Width, zero-padded; returns the end. Eight digits at
// a time, each group split in two halves, keeps the chains of divisions short.
inline char* WriteDigits(char* Out, std::uint64_t Value, int Width) {
  char* const end = Out + Width;
  char* p = end;
  for (; Width >= 8; Width -= 8) {
    const auto group = static_cast<std::uint32_t>(Value % 100000000);
    Value /= 100000000;
    const std::uint32_t high = group / 10000, low = group % 10000;
    p -= 8;
    std::memcpy(p, kDigitPairs + 2 * (high / 100), 2);
    std::memcpy(p + 2, kDigitPairs + 2 * (high % 100), 2);
    std::memcpy(p + 4, kDigitPairs + 2 * (low / 100), 2);
    std::memcpy(p + 6, kDigitPairs + 2 * (low % 100), 2);
  }
  auto rest = static_cast<std::uint32_t>(Value % 100000000);
  for (; Width >= 2; Width -= 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (rest % 100), 2);
    rest /= 100;
  }
  if (Width == 1) *--p = static_cast<char>('0' + rest % 10);
  return end;
}

// The number of decimal digits of Value (1 for zero).
inline int DigitCount(std::uint64_t Value) {
  int n = 1;
  for (; Value >= 100; Value /= 100) n += 2;
  return Value >= 10 ? n + 1 : n;
}

// Value (1000 or more) without leading zeros; returns the end. Kept out of line, so that
// WriteUnsigned stays small enough to be inlined where numbers are written.
char* WriteLongUnsigned(char* Out, std::uint64_t Value);

// Value without leading zeros; returns the end. Numbers below 1000 (codes, angles, ratios,
// counts) take a short way, one for each length, so that a predicted branch also predicts
// where the next text starts.
inline char* WriteUnsigned(char* Out, std::uint64_t Value) {
  if (Value < 10) {
    *Out = static_cast<char>('0' + Value);
    return Out + 1;
  }
  if (Value < 100) {
    std::memcpy(Out, kDigitPairs + 2 * Value, 2);
    return Out + 2;
  }
  if (Value < 1000) {
    Out[0] = static_cast<char>('0' + Value / 100);
    std::memcpy(Out + 1, kDigitPairs + 2 * (Value % 100), 2);
    return Out + 3;
  }
  return WriteLongUnsigned(Out, Value);
}

// Value with a leading '-' when negative, as IntToStr writes it; returns the end.
inline char* WriteInteger(char* Out, std::int64_t Value) {
  if (Value >= 0) return WriteUnsigned(Out, static_cast<std::uint64_t>(Value));
  *Out++ = '-';
  return WriteUnsigned(Out, 0 - static_cast<std::uint64_t>(Value));
}

}  // namespace norv
