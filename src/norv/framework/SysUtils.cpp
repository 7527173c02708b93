#include "norv/framework/SysUtils.h"

#include <clocale>
#include <cmath>
#include <cstdlib>

#include "norv/framework/Exception.h"
#include "norv/framework/FloatText.h"

namespace norv {

TFormatSettings FormatSettings;

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::uint64_t value, int Digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(out.size()) < Digits) out.insert(0, Digits - out.size(), '0');
  return out;
}

std::string FloatToStr(Extended value) {
  char text[kFloatTextCapacity];
  return std::string(text, FloatToText(text, value));
}

namespace {

bool ParseInt(const std::string& text, std::int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  v = negative ? -v : v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

}  // namespace

std::int32_t StrToInt(const std::string& text) {
  std::int32_t v = 0;
  if (!ParseInt(text, v)) throw EConvertError("'" + Excerpt(text) + "' is not a valid integer value");
  return v;
}

std::int32_t StrToIntDef(const std::string& text, std::int32_t Default) {
  std::int32_t v = 0;
  return ParseInt(text, v) ? v : Default;
}

bool TryStrToFloat(const std::string& text, Extended& value) {
  // Only [sign] digits [sep digits] [E [sign] digits] is a number; '.' and ',' both separate.
  std::string normal;
  size_t i = 0;
  const size_t n = text.size();
  auto digitsFrom = [&](size_t& k) {
    size_t start = k;
    while (k < n && text[k] >= '0' && text[k] <= '9') normal += text[k++];
    return k - start;
  };
  if (i < n && (text[i] == '+' || text[i] == '-')) normal += text[i++];
  size_t intDigits = digitsFrom(i);
  size_t fracDigits = 0;
  if (i < n && (text[i] == '.' || text[i] == ',')) {
    normal += '.';
    ++i;
    fracDigits = digitsFrom(i);
  }
  if (intDigits + fracDigits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    normal += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    if (digitsFrom(i) == 0) return false;
  }
  if (i != n) return false;
  char* end = nullptr;
  const Extended v = StrToExtendedInCLocale(normal.c_str(), &end);
  if (end == nullptr || *end != '\0' || !std::isfinite(v)) return false;
  value = v;
  return true;
}

Extended StrToExtendedInCLocale(const char* text, char** end) {
  // Plain strtold takes the host's decimal point: under a comma locale "12.5" would stop at '.'.
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtold_l(text, end, cLocale);
}

std::string UpperCase(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = UpperChar(c);
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

std::string_view Trim(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Excerpt(std::string_view text) {
  constexpr std::size_t kLimit = 60;
  std::size_t cut = text.size();
  if (cut > kLimit) {
    cut = kLimit;
    // Never end inside a UTF-8 sequence: back off its continuation bytes.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  }
  std::string out;
  for (const char c : text.substr(0, cut)) {
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\0': out += "\\0"; break;
      default: out += c;
    }
  }
  return cut < text.size() ? out + "..." : out;
}

bool IsValidIdent(std::string_view text) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (text.empty() || !letter(text.front())) return false;
  for (char c : text)
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

}  // namespace norv
