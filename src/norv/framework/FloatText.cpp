// The digits of FloatToStr. std::to_chars in scientific form with 14 decimals rounds |x|
// correctly to 15 significant digits; the fast path reaches the same digits by one
// multiplication in extended precision whenever that product's rounding error cannot change
// them, and otherwise hands over to std::to_chars.
#include "norv/framework/FloatText.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

#include "norv/framework/DigitText.h"
#include "norv/framework/ExtendedRounding.h"
#include "norv/framework/SysUtils.h"

namespace norv {

namespace {

constexpr int kSignificantDigits = 15;

// The significant digits of |x| without trailing zeros, and the decimal exponent of the first.
struct TDecimalDigits {
  char Digits[kSignificantDigits + 1];
  int Count = 0;
  int Exponent = 0;
};

// magnitude is finite and positive.
void ExactDigits(Extended magnitude, TDecimalDigits& out) {
  char buf[64];
  const auto end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                 kSignificantDigits - 1)
                       .ptr;
  // buf is d.dddddddddddddde[+-]xx, with '.' whatever the locale.
  const char* p = buf;
  out.Count = 0;
  for (; p != end && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9' && out.Count < kSignificantDigits) out.Digits[out.Count++] = *p;
  out.Exponent = 0;
  if (p != end) std::from_chars(p + (p[1] == '+' ? 2 : 1), end, out.Exponent);
  while (out.Count > 1 && out.Digits[out.Count - 1] == '0') --out.Count;
}

// 10^0 .. 10^19, all exact in the 64-bit significand of an extended real.
constexpr std::array<Extended, 20> kPow10 = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};

// The fast path covers the fixed-notation range, 1e-5 <= |x| < 1e15, where 14 - exponent
// stays within the exact powers above.
constexpr int kLowestExponent = -5;
constexpr int kHighestExponent = 14;

// A first guess at the decimal exponent of magnitude; ScaledDigits checks it.
int GuessExponent(Extended magnitude) {
  int e = 0;
  if (magnitude >= 1) {
    while (e < kHighestExponent && magnitude >= kPow10[e + 1]) ++e;
  } else {
    e = -1;
    while (e > kLowestExponent && magnitude * kPow10[-e] < 1) --e;
  }
  return e;
}

// Scales magnitude to the 15-digit integer of ExactDigits, or returns false when the
// extended-precision product could round differently. The product magnitude * 10^p is below
// 2^50, so its error is at most 2^-14 (about 6e-5); only a fraction within kTieMargin of one
// half, or a product outside the expected decade, is left to ExactDigits.
bool ScaledDigits(Extended magnitude, TDecimalDigits& out) {
  constexpr Extended kTieMargin = 1e-3L;
  constexpr Extended kLowest = 1e14L - 0.04L;  // just below 10^14 still rounds to 1.000...
  constexpr Extended kHighest = 1e15L + 0.04L;
  // The error bound above needs a significand of at least 64 bits; elsewhere every value takes
  // ExactDigits.
  if constexpr (LDBL_MANT_DIG < 64) return false;
  if (!(magnitude >= 1e-5L && magnitude < 1e15L)) return false;
  int exponent = GuessExponent(magnitude);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (exponent < kLowestExponent || exponent > kHighestExponent) return false;
    const Extended scaled = magnitude * kPow10[kHighestExponent - exponent];
    if (scaled < kLowest) {
      --exponent;
      continue;
    }
    if (scaled > kHighest) {
      ++exponent;
      continue;
    }
    // scaled is positive and below 2^50: its whole part and fraction are exact.
    std::int64_t whole = 0;
    TruncInteger(scaled, whole);
    const Extended fraction = scaled - static_cast<Extended>(whole);
    if (std::fabs(fraction - 0.5L) < kTieMargin) return false;
    auto n = static_cast<std::uint64_t>(whole);
    if (fraction > 0.5L) ++n;
    if (n >= 1000000000000000ULL) {  // rounded up into the next decade: 1.00000000000000e+1
      n /= 10;
      ++exponent;
    }
    WriteDigits(out.Digits, n, kSignificantDigits);
    out.Count = kSignificantDigits;
    while (out.Count > 1 && out.Digits[out.Count - 1] == '0') --out.Count;
    out.Exponent = exponent;
    return true;
  }
  return false;
}

char* Append(char* p, const char* text, std::size_t count) {
  std::memcpy(p, text, count);
  return p + count;
}

// Fixed notation for exponents -5 .. 14, "d.dddE[-]x" beyond.
std::size_t Layout(char* Buffer, bool negative, const TDecimalDigits& d) {
  const char sep = FormatSettings.DecimalSeparator;
  char* p = Buffer;
  if (negative) *p++ = '-';
  if (d.Exponent >= kSignificantDigits || d.Exponent < kLowestExponent) {
    *p++ = d.Digits[0];
    if (d.Count > 1) {
      *p++ = sep;
      p = Append(p, d.Digits + 1, static_cast<std::size_t>(d.Count - 1));
    }
    *p++ = 'E';
    p = std::to_chars(p, p + 8, d.Exponent).ptr;
  } else if (d.Exponent < 0) {
    *p++ = '0';
    *p++ = sep;
    for (int i = -1; i > d.Exponent; --i) *p++ = '0';
    p = Append(p, d.Digits, static_cast<std::size_t>(d.Count));
  } else {
    const int intDigits = d.Exponent + 1;
    if (d.Count <= intDigits) {
      p = Append(p, d.Digits, static_cast<std::size_t>(d.Count));
      for (int i = d.Count; i < intDigits; ++i) *p++ = '0';
    } else {
      p = Append(p, d.Digits, static_cast<std::size_t>(intDigits));
      *p++ = sep;
      p = Append(p, d.Digits + intDigits, static_cast<std::size_t>(d.Count - intDigits));
    }
  }
  return static_cast<std::size_t>(p - Buffer);
}

// NAN, INF, -INF and zero (never with a sign); 0 for every other value.
std::size_t SpecialText(char* Buffer, Extended Value) {
  const char* text = nullptr;
  if (std::isnan(Value))
    text = "NAN";
  else if (std::isinf(Value))
    text = Value > 0 ? "INF" : "-INF";
  else if (Value == 0)
    text = "0";
  if (text == nullptr) return 0;
  const std::size_t n = std::strlen(text);
  std::memcpy(Buffer, text, n);
  return n;
}

}  // namespace

std::size_t FloatToText(char* Buffer, Extended Value) {
  if (const std::size_t n = SpecialText(Buffer, Value)) return n;
  TDecimalDigits digits;
  const Extended magnitude = std::fabs(Value);
  if (!ScaledDigits(magnitude, digits)) ExactDigits(magnitude, digits);
  return Layout(Buffer, Value < 0, digits);
}

}  // namespace norv
