#include "Faults.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

std::optional<double> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

// A fraction in (0, 1]; 1 when not given.
bool ReadFraction(const std::string& arg, bool given, FaultRule& rule, std::string& why) {
  if (!given) return true;
  const auto v = Number(arg);
  if (!v || *v <= 0 || *v > 1) {
    why = "the fraction must be a number above 0 and at most 1, not '" + norv::Excerpt(arg) + "'";
    return false;
  }
  rule.fraction = *v;
  return true;
}

bool ReadKinds(const std::string& arg, FaultRule& rule, std::string& why) {
  std::stringstream in(arg);
  for (std::string kind; std::getline(in, kind, ',');) {
    kind = norv::UpperCase(kind);
    if (kind.size() != 3 || kind.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos) {
      why = "a sentence kind is three letters (GSV, GGA, ...), not '" + norv::Excerpt(kind) + "'";
      return false;
    }
    rule.sentences.push_back(kind);
  }
  if (rule.sentences.empty()) why = "drop: needs a sentence kind, e.g. drop:GSV";
  return !rule.sentences.empty();
}

struct Named {
  const char* name;
  FaultKind kind;
  bool fraction;  // takes :F
};
constexpr Named kFaults[] = {
    {"checksum", FaultKind::Checksum, true}, {"flip", FaultKind::Flip, true},
    {"truncate", FaultKind::Truncate, true}, {"garbage", FaultKind::Garbage, true},
    {"duplicate", FaultKind::Duplicate, false}, {"stall", FaultKind::Stall, false},
    {"nofix", FaultKind::NoFix, false}};

char HexDigit(unsigned v) { return "0123456789ABCDEF"[v & 15]; }

}  // namespace

std::optional<FaultRule> ParseFault(const std::string& text, std::string& why) {
  const std::size_t colon = text.find(':');
  const std::string name = norv::UpperCase(text.substr(0, colon));
  const bool hasArg = colon != std::string::npos;
  const std::string arg = hasArg ? text.substr(colon + 1) : "";
  FaultRule rule;
  if (name == "DROP") {
    rule.kind = hasArg ? FaultKind::DropKind : FaultKind::DropEpoch;
    if (hasArg && !ReadKinds(arg, rule, why)) return std::nullopt;
    return rule;
  }
  if (name == "CLOCK") {
    rule.kind = FaultKind::ClockJump;
    const auto v = Number(arg);
    if (!v || *v == 0 || std::fabs(*v) > 86400 * 366.0) {
      why = "clock: needs a jump in seconds, e.g. clock:+5 or clock:-2.5, not '" +
            norv::Excerpt(arg) + "'";
      return std::nullopt;
    }
    rule.seconds = *v;
    return rule;
  }
  for (const Named& n : kFaults)
    if (name == norv::UpperCase(n.name)) {
      rule.kind = n.kind;
      if (!n.fraction && hasArg) {
        why = std::string(n.name) + " takes no value";
        return std::nullopt;
      }
      if (!ReadFraction(arg, hasArg, rule, why)) return std::nullopt;
      return rule;
    }
  why = "unknown fault '" + norv::Excerpt(text.substr(0, colon)) +
        "' (checksum, flip, truncate, garbage, drop, duplicate, stall, clock, nofix)";
  return std::nullopt;
}

std::string SentenceKind(const std::string& sentence) {
  if (sentence.size() < 6 || (sentence[0] != '$' && sentence[0] != '!')) return {};
  return sentence.substr(3, 3);
}

bool FaultInjector::Active(const ActiveFault& f, double t) const {
  return t >= f.from && (!f.until || t < *f.until) && (!f.hits || *f.hits > 0);
}

bool FaultInjector::Hit(ActiveFault& f) {
  const bool hit = f.rule.fraction >= 1 || FRandom.Chance(f.rule.fraction);
  if (hit && f.hits) --*f.hits;
  return hit;
}

// One sentence with its line end, after the sentence faults active at T.
std::string FaultInjector::Sentence(const std::string& sentence, double t) {
  std::string s = sentence;
  for (ActiveFault& f : FFaults) {
    if (!Active(f, t)) continue;
    const std::size_t star = s.rfind('*');
    switch (f.rule.kind) {
      case FaultKind::DropKind:
        for (const std::string& kind : f.rule.sentences)
          if (SentenceKind(s) == kind && Hit(f)) return {};
        break;
      case FaultKind::Checksum:
        if (star != std::string::npos && star + 2 < s.size() && Hit(f)) {
          const unsigned wrong = static_cast<unsigned>(
              std::strtoul(s.substr(star + 1, 2).c_str(), nullptr, 16) + 1 + FRandom.Below(255));
          s[star + 1] = HexDigit((wrong & 0xFF) >> 4);
          s[star + 2] = HexDigit(wrong);
        }
        break;
      case FaultKind::Flip:
        if (star != std::string::npos && star > 1 && Hit(f)) {
          char& c = s[1 + FRandom.Below(star - 1)];
          // Another printable byte that neither starts nor ends a sentence.
          char replacement = c;
          while (replacement == c || replacement == '$' || replacement == '*')
            replacement = static_cast<char>(0x21 + FRandom.Below(94));
          c = replacement;
        }
        break;
      case FaultKind::Truncate:
        if (star != std::string::npos && star > 1 && Hit(f))
          s = s.substr(0, 1 + FRandom.Below(star)) + "\r\n";
        break;
      case FaultKind::Garbage:
        if (Hit(f)) {
          std::string noise(1 + FRandom.Below(8), '\0');
          for (char& c : noise)
            do c = static_cast<char>(FRandom.Below(256)); while (c == '$' || c == '!');
          s = noise + s;
        }
        break;
      default:
        break;
    }
  }
  return s;
}

std::string FaultInjector::Apply(const std::string& epoch, double t) {
  bool drop = false, duplicate = false, stall = false;
  for (ActiveFault& f : FFaults) {
    if (!Active(f, t)) continue;
    if (f.rule.kind == FaultKind::DropEpoch) drop = Hit(f) || drop;
    if (f.rule.kind == FaultKind::Duplicate) duplicate = Hit(f) || duplicate;
    if (f.rule.kind == FaultKind::Stall) stall = Hit(f) || stall;
  }
  std::string out;
  if (!drop)
    for (std::size_t at = 0; at < epoch.size();) {
      const std::size_t end = epoch.find('\n', at);
      const std::size_t next = end == std::string::npos ? epoch.size() : end + 1;
      out += Sentence(epoch.substr(at, next - at), t);
      at = next;
    }
  if (duplicate) out += out;
  if (stall) {
    FBacklog += out;
    return {};
  }
  return std::exchange(FBacklog, {}) + out;
}

bool FaultInjector::FixLost(double t) const {
  for (const ActiveFault& f : FFaults)
    if (f.rule.kind == FaultKind::NoFix && Active(f, t)) return true;
  return false;
}

std::int64_t FaultInjector::TakeClockJumpMs(double t) {
  std::int64_t ms = 0;
  for (ActiveFault& f : FFaults)
    if (f.rule.kind == FaultKind::ClockJump && t >= f.from && f.hits.value_or(1) > 0) {
      ms += std::llround(f.rule.seconds * 1000);
      f.hits = 0;
    }
  return ms;
}

}  // namespace norvgpssim
