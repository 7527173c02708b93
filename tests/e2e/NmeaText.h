#pragma once
// Reading NMEA text in the end-to-end tests: sentences, fields, checksums, times.
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace norv::test {

// The sentences of a text, each without its CR LF; a piece that does not end in CR LF is
// returned as it is, so a test comparing counts notices it.
inline std::vector<std::string> SplitSentences(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      out.push_back(text.substr(start));
      break;
    }
    out.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return out;
}

// "$GPGGA,a,b*hh" -> {"GPGGA", "a", "b"}.
inline std::vector<std::string> SentenceFields(const std::string& sentence) {
  std::vector<std::string> fields;
  const std::string body = sentence.substr(1, sentence.rfind('*') - 1);
  std::stringstream in(body);
  for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
  if (!body.empty() && body.back() == ',') fields.emplace_back();
  return fields;
}

// "GGA" of "$GPGGA,..."
inline std::string SentenceKind(const std::string& sentence) { return sentence.substr(3, 3); }

inline bool ChecksumValid(const std::string& sentence) {
  const std::size_t star = sentence.rfind('*');
  if (sentence.empty() || sentence[0] != '$' || star == std::string::npos) return false;
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(sentence[i]);
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", sum);
  return sentence.substr(star + 1) == hex;
}

// The UTC time field (hhmmss.sss) of the sentence kinds that carry one.
inline std::optional<std::string> SentenceTime(const std::string& sentence) {
  const auto f = SentenceFields(sentence);
  const std::string kind = SentenceKind(sentence);
  if ((kind == "GGA" || kind == "RMC" || kind == "ZDA") && f.size() > 1) return f[1];
  if (kind == "GLL" && f.size() > 5) return f[5];
  return std::nullopt;
}

// Seconds of the day of an hhmmss.sss field.
inline double SecondsOfDay(const std::string& hhmmss) {
  return std::stoi(hhmmss.substr(0, 2)) * 3600.0 + std::stoi(hhmmss.substr(2, 2)) * 60.0 +
         std::stod(hhmmss.substr(4));
}

// Signed decimal degrees of an NMEA ddmm.mmmm / dddmm.mmmm field and its hemisphere letter.
inline double NmeaDegrees(const std::string& value, const std::string& hemisphere) {
  const std::size_t dot = value.find('.');
  const double minutes = std::stod(value.substr(dot - 2));
  const double degrees = std::stod(value.substr(0, dot - 2)) + minutes / 60;
  return hemisphere == "S" || hemisphere == "W" ? -degrees : degrees;
}

}  // namespace norv::test
