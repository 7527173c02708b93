#include "Timeline.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "ExitCodes.h"
#include "ReceiverKeys.h"
#include "TimeText.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace fs = std::filesystem;

namespace {

std::string Trim(const std::string& s) {
  const std::size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

std::optional<double> Seconds(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(v) || v < 0 || v > 320000000000.0) return std::nullopt;
  return v;
}

// The keys of [Sky] and [Motion] that choose what the run builds at its start.
bool StartOnlyKey(const std::string& upper) {
  return upper == "MODEL" || upper == "ELEVATIONMASK" || upper == "SYSTEMS" || upper == "SEED" ||
         upper == "MODE" || upper == "ROUTEEND";
}

class TimelineParser {
 public:
  explicit TimelineParser(fs::path file) : FFile(std::move(file)) {}

  Timeline Parse(const std::string& text, bool wholeFile) {
    std::istringstream in(text);
    bool inside = !wholeFile ? true : false;
    int number = 0;
    for (std::string raw; std::getline(in, raw);) {
      ++number;
      const std::string line = Trim(raw);
      if (line.empty() || line[0] == ';' || line[0] == '#') continue;
      if (line[0] == '[' && wholeFile) {
        inside = norv::UpperCase(line) == "[TIMELINE]";
        continue;
      }
      if (inside) Line(line, number);
    }
    return std::move(FTimeline);
  }

 private:
  [[noreturn]] void Fail(const std::string& what, const std::string& why) const {
    throw CliError(kExitScenario, FPlace + norv::Excerpt(what) + ": " + why);
  }

  void Line(const std::string& line, int number) {
    FPlace = FFile.string() + ":" + std::to_string(number) + ": [Timeline] ";
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) Fail(line, "expected 'T = action'");
    const std::string when = Trim(line.substr(0, eq)), action = Trim(line.substr(eq + 1));
    const std::string upper = norv::UpperCase(when);
    if (upper == "SEED") return ReadSeed(action);
    if (upper == "FILE") return ReadEventsFile(action);
    TimelineEvent e;
    e.place = FPlace;
    e.action = action;
    ReadTime(when, e);
    ReadAction(action, e);
    FTimeline.events.push_back(std::move(e));
  }

  void ReadSeed(const std::string& text) {
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || text[0] == '-') Fail(text, "Seed must be a whole number");
    FTimeline.seed = v;
  }

  void ReadEventsFile(const std::string& name) {
    if (FNested) Fail(name, "an events file cannot name another");
    const fs::path file = fs::path(name).is_absolute() ? fs::path(name) : FFile.parent_path() / name;
    std::ifstream in(file, std::ios::binary);
    std::error_code ec;
    if (name.empty() || !fs::is_regular_file(file, ec) || !in) Fail(name, "no such events file");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TimelineParser nested(file);
    nested.FNested = true;
    nested.FLast = FLast;
    nested.FLastIso = FLastIso;
    for (TimelineEvent& e : nested.Parse(text, false).events) FTimeline.events.push_back(std::move(e));
    FLast = nested.FLast;
    FLastIso = nested.FLastIso;
  }

  // Seconds from the start, or an ISO 8601 instant; neither may go back before the line above.
  void ReadTime(const std::string& when, TimelineEvent& e) {
    if (const auto s = Seconds(when)) {
      if (*s < FLast) Fail(when, "goes back in time (the line before is at " + Number(FLast) + " s)");
      e.at = FLast = *s;
      return;
    }
    try {
      e.atUnixMs = ParseIso8601(when);
    } catch (const std::invalid_argument&) {
      Fail(when, "not a time: seconds from the start or an ISO 8601 UTC instant");
    }
    if (FLastIso && *e.atUnixMs < *FLastIso) Fail(when, "goes back in time");
    FLastIso = e.atUnixMs;
  }

  void ReadAction(const std::string& action, TimelineEvent& e) {
    std::istringstream words(action);
    std::string verb;
    words >> verb;
    const std::string upper = norv::UpperCase(verb);
    std::string rest;
    std::getline(words, rest);
    rest = Trim(rest);
    if (upper == "STOP" || upper == "START") return Motion(e, upper, rest, false);
    if (upper == "FOLLOW") return Motion(e, upper, rest, true);
    if (upper == "GOTO") return Motion(e, upper, rest, true);
    if (upper == "FAULT") return Fault(e, rest);
    if (action.find('=') == std::string::npos) Fail(verb, "unknown action");
    Setting(action, e);
  }

  void Motion(TimelineEvent& e, const std::string& verb, std::string rest, bool named) {
    for (const char* filler : {"ROUTE ", "WAYPOINT "})
      if (norv::UpperCase(rest).rfind(filler, 0) == 0) rest = Trim(rest.substr(std::string(filler).size()));
    if (named == rest.empty()) Fail(e.action, named ? "needs a name" : "takes no name");
    e.kind = ActionKind::Motion;
    e.key = verb;
    e.value = rest;
  }

  // "KIND[:ARG] [for SECONDS | count N]"
  void Fault(TimelineEvent& e, const std::string& rest) {
    std::istringstream words(rest);
    std::string rule, limit, amount, extra;
    words >> rule >> limit >> amount >> extra;
    std::string why;
    const auto parsed = ParseFault(rule, why);
    if (!parsed) Fail(rule.empty() ? e.action : rule, rule.empty() ? "fault needs a kind" : why);
    e.kind = ActionKind::Fault;
    e.fault.rule = *parsed;
    const std::string l = norv::UpperCase(limit);
    if (limit.empty()) return;
    const auto n = Seconds(amount);
    if (!extra.empty() || !n || *n <= 0 || (l != "FOR" && l != "COUNT") ||
        (l == "COUNT" && *n != std::floor(*n)))
      Fail(rest, "expected 'for SECONDS' or 'count N' after the fault");
    if (l == "FOR") e.fault.until = *n;
    else e.fault.hits = static_cast<std::uint64_t>(*n);
  }

  // "Key=Value [over SECONDS]": a receiver property, a satellite's field, or an [Output] key.
  void Setting(const std::string& action, TimelineEvent& e) {
    const std::size_t eq = action.find('=');
    e.key = Trim(action.substr(0, eq));
    std::string value = Trim(action.substr(eq + 1));
    const std::size_t over = norv::UpperCase(value).rfind(" OVER ");
    if (over != std::string::npos) {
      const auto s = Seconds(Trim(value.substr(over + 6)));
      if (!s || *s <= 0) Fail(e.key, "'over' needs a duration in seconds above 0");
      e.over = s;
      value = Trim(value.substr(0, over));
    }
    e.value = value;
    const std::string upper = norv::UpperCase(e.key);
    if (upper == "PROFILE" || upper == "TALKER") {
      e.kind = ActionKind::Output;
    } else if (upper.rfind("SAT", 0) == 0 && upper.find('.') != std::string::npos) {
      Satellite(e);
    } else if (StartOnlyKey(upper)) {
      Fail(e.key, "chooses what the run builds at its start and cannot change during it; set it "
                  "in [Sky] or [Motion] (use stop, start, follow, goto for motion)");
    } else {
      const norv::TPropertyInfo* property = FindReceiverKey(e.key);
      if (property == nullptr) Fail(e.key, "unknown key (a property of TNorvGPSSimulator, "
                                           "SatN.Active/SNR/Elevation/Azimuth, Profile, Talker)");
      if (IsClockKey(*property)) Fail(e.key, "the run's virtual clock owns the time (use fault clock:S)");
      e.key = property->Name;
      if (e.over && property->Kind != norv::TPropertyKind::Integer &&
          property->Kind != norv::TPropertyKind::Float)
        Fail(e.key, "only a number can be ramped");
    }
    if (e.over && e.kind != ActionKind::Set) Fail(e.key, "only a receiver property can be ramped");
  }

  // "Sat12.SNR"
  void Satellite(TimelineEvent& e) {
    const std::size_t dot = e.key.find('.');
    const std::string number = e.key.substr(3, dot - 3), field = norv::UpperCase(e.key.substr(dot + 1));
    char* end = nullptr;
    const long n = std::strtol(number.c_str(), &end, 10);
    if (number.empty() || *end != '\0' || n < 1 || n > 65535) Fail(e.key, "SatN needs a satellite number");
    if (field != "ACTIVE" && field != "SNR" && field != "ELEVATION" && field != "AZIMUTH")
      Fail(e.key, "a satellite's keys are Active, SNR, Elevation, Azimuth");
    e.kind = ActionKind::Satellite;
    e.satellite = static_cast<int>(n);
    e.key = field;
  }

  static std::string Number(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
  }

  fs::path FFile;
  Timeline FTimeline;
  std::string FPlace;
  double FLast = 0;
  std::optional<std::int64_t> FLastIso;
  bool FNested = false;
};

}  // namespace

Timeline ParseTimeline(const std::string& text, const fs::path& file) {
  return TimelineParser(file).Parse(text, true);
}

Timeline ReadTimeline(const fs::path& scenario) {
  std::ifstream in(scenario, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseTimeline(text, scenario);
}

}  // namespace norvgpssim
