#include "norv/framework/PropertyText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "norv/framework/SysUtils.h"

namespace norv {

namespace {

bool IsPrintableAscii(unsigned char c) { return c >= 0x20 && c <= 0x7E; }

// A subnormal real: from_chars calls it out of range, although it is a value of the type.
template <class T>
std::optional<T> ParseSubnormal(std::string_view text) {
  const std::string s(text);
  const T value = static_cast<T>(StrToExtendedInCLocale(s.c_str(), nullptr));
  if (value == 0 || !std::isfinite(value) || std::fabs(value) >= std::numeric_limits<T>::min())
    return std::nullopt;
  return value;
}

template <class T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ptr != end) return std::nullopt;
  if constexpr (std::is_floating_point_v<T>)
    if (ec == std::errc::result_out_of_range) return ParseSubnormal<T>(text);
  if (ec != std::errc()) return std::nullopt;
  return value;
}

template <class T>
std::string FormatShortest(T value) {
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, ptr) : std::string("nan");
}

// The ordinal of Name among Names, without regard to case.
std::optional<std::int64_t> ElementOrdinal(const std::vector<std::string>& Names,
                                           std::string_view Name) {
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], Name)) return static_cast<std::int64_t>(i);
  return std::nullopt;
}

std::optional<std::int64_t> ParseSet(const std::vector<std::string>& Names, std::string_view text) {
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return std::nullopt;
  text = Trim(text.substr(1, text.size() - 2));
  std::int64_t bits = 0;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view name = Trim(text.substr(0, comma));
    const auto ordinal = ElementOrdinal(Names, name);
    if (!ordinal) return std::nullopt;
    bits |= std::int64_t{1} << *ordinal;
    if (comma == std::string_view::npos) break;
    text = text.substr(comma + 1);
    if (Trim(text).empty()) return std::nullopt;  // a trailing comma names nothing
  }
  return bits;
}

std::string FormatSet(const std::vector<std::string>& Names, std::int64_t bits) {
  std::string out = "[";
  for (size_t i = 0; i < Names.size(); ++i) {
    if ((bits & (std::int64_t{1} << i)) == 0) continue;
    if (out.size() > 1) out += ", ";
    out += Names[i];
  }
  return out + "]";
}

std::string JoinNames(const std::vector<std::string>& Names) {
  std::string out;
  for (const std::string& n : Names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

}  // namespace

std::string QuoteString(std::string_view Bytes) {
  std::string out;
  bool quoted = false;
  for (const char ch : Bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsPrintableAscii(c) != quoted) {
      out += '\'';
      quoted = !quoted;
    }
    if (!quoted) {
      out += '#' + std::to_string(c);
    } else {
      out += ch;
      if (ch == '\'') out += '\'';
    }
  }
  if (quoted) out += '\'';
  return out.empty() ? "''" : out;
}

std::optional<std::string> UnquoteString(std::string_view Text) {
  if (Text.empty()) return std::nullopt;
  std::string out;
  size_t i = 0;
  while (i < Text.size()) {
    if (Text[i] == '#') {
      size_t j = i + 1;
      while (j < Text.size() && j - i <= 3 && Text[j] >= '0' && Text[j] <= '9') ++j;
      const auto code = ParseNumber<unsigned>(Text.substr(i + 1, j - i - 1));
      if (!code || *code > 255) return std::nullopt;
      out += static_cast<char>(*code);
      i = j;
    } else if (Text[i] == '\'') {
      for (++i;; ++i) {
        if (i >= Text.size()) return std::nullopt;  // unterminated
        if (Text[i] == '\'') {
          if (i + 1 < Text.size() && Text[i + 1] == '\'') {
            out += '\'';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        out += Text[i];
      }
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string FormatReal(Extended Value) { return FormatShortest(Value); }

std::string FormatDateTime(double Value) { return FormatShortest(Value); }

std::optional<Extended> ParseReal(std::string_view Text) { return ParseNumber<Extended>(Text); }

std::string FormatPropertyValue(const TPropertyInfo& Property, const TPropertyValue& Value) {
  switch (Property.Kind) {
    case TPropertyKind::Integer:
      return std::to_string(std::get<std::int64_t>(Value));
    case TPropertyKind::Enumeration:
    case TPropertyKind::Boolean: {
      const auto ordinal = std::get<std::int64_t>(Value);
      if (ordinal >= 0 && ordinal < static_cast<std::int64_t>(Property.ElementNames.size()))
        return Property.ElementNames[static_cast<size_t>(ordinal)];
      return std::to_string(ordinal);  // not a named value; reading it back refuses it
    }
    case TPropertyKind::Set:
      return FormatSet(Property.ElementNames, std::get<std::int64_t>(Value));
    case TPropertyKind::Float:
      return FormatReal(std::get<Extended>(Value));
    case TPropertyKind::DateTime:
      return FormatDateTime(static_cast<double>(std::get<Extended>(Value)));
    case TPropertyKind::String:
      return QuoteString(std::get<std::string>(Value));
  }
  return {};
}

std::optional<TPropertyValue> ParsePropertyValue(const TPropertyInfo& Property,
                                                 std::string_view Text) {
  switch (Property.Kind) {
    case TPropertyKind::Integer:
      if (auto v = ParseNumber<std::int32_t>(Text)) return std::int64_t{*v};
      return std::nullopt;
    case TPropertyKind::Enumeration:
    case TPropertyKind::Boolean:
      if (auto v = ElementOrdinal(Property.ElementNames, Text)) return *v;
      return std::nullopt;
    case TPropertyKind::Set:
      if (auto v = ParseSet(Property.ElementNames, Text)) return *v;
      return std::nullopt;
    case TPropertyKind::Float:
      if (auto v = ParseReal(Text)) return *v;
      return std::nullopt;
    case TPropertyKind::DateTime:
      if (auto v = ParseNumber<double>(Text)) return Extended{*v};
      return std::nullopt;
    case TPropertyKind::String:
      if (auto v = UnquoteString(Text)) return *v;
      return std::nullopt;
  }
  return std::nullopt;
}

std::string ExpectedValueText(const TPropertyInfo& Property) {
  switch (Property.Kind) {
    case TPropertyKind::Integer:
      return "a 32-bit integer";
    case TPropertyKind::Enumeration:
    case TPropertyKind::Boolean:
      return "one of " + JoinNames(Property.ElementNames);
    case TPropertyKind::Set:
      return "a set of [" + JoinNames(Property.ElementNames) + "]";
    case TPropertyKind::Float:
    case TPropertyKind::DateTime:
      return "a real number";
    case TPropertyKind::String:
      return "a quoted string";
  }
  return {};
}

}  // namespace norv
