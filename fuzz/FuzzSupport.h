#pragma once
// What every fuzz target shares: the input as a file in a scratch directory of the process, and
// the rule for a loader's failures: it may raise norv::Exception (or a class derived from it)
// with a message; any other escape is a finding.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <typeinfo>
#include <vector>

#include "norv/framework/Exception.h"
#include "norv/framework/MessageDialog.h"
#include "norv/navigation/Routes.h"
#include "norv/NorvGPSSimulator.h"

namespace norv::fuzz {

// Reports a finding: libFuzzer stores the input that led here.
[[noreturn]] inline void Finding(const std::string& What) {
  std::fprintf(stderr, "==FUZZ FINDING== %s\n", What.c_str());
  std::abort();
}

// A directory of this process for input and output files; removed at exit. /dev/shm keeps the
// millions of small writes off the disk.
inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
    std::filesystem::path made = base / ("norv-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return made;
  }();
  return dir;
}

inline std::filesystem::path WriteScratchFile(const std::string& Name, const std::string& Content) {
  const std::filesystem::path path = ScratchDir() / Name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(Content.data(), static_cast<std::streamsize>(Content.size()));
  if (!out) Finding("cannot write scratch file " + path.string());
  return path;
}

inline std::string ReadScratchFile(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string AsText(const std::uint8_t* Data, std::size_t Size) {
  return {reinterpret_cast<const char*>(Data), Size};
}

// Refused values show their message in a dialog when MessageAlert is on; keep stderr quiet.
inline void SilenceDialogs() {
  SetMessageDialogHandler([](const std::string&) {});
}

// A component for the whole run, without waypoints or routes while an input has it, for the
// inputs whose loader works on a list or route of its own and that need a component to build
// sentences: each new component starts its sender thread, which under the sanitizers costs more
// than all the rest of such an input's work. Emptied again when the input is done, so that no
// memory stays allocated from one input to the next.
class TSharedComponent {
 public:
  TSharedComponent() { Empty(); }
  ~TSharedComponent() { Empty(); }
  TSharedComponent(const TSharedComponent&) = delete;
  TSharedComponent& operator=(const TSharedComponent&) = delete;
  TNorvGPSSimulator& operator*() const { return Shared(); }

 private:
  static TNorvGPSSimulator& Shared() {
    static TNorvGPSSimulator shared;
    return shared;
  }
  static void Empty() {
    Shared().Routes()->Clear();
    Shared().WayPoints()->Clear();
  }
};

// Runs Load. True when it returned; false when it raised norv::Exception carrying a message.
// Anything else escaping is a finding.
template <class Loader>
bool LoadsOrRefuses(const char* What, Loader&& Load) {
  try {
    Load();
    return true;
  } catch (const Exception& e) {
    if (e.Message().empty()) Finding(std::string(What) + ": norv::Exception with an empty message");
    return false;
  } catch (const std::exception& e) {
    Finding(std::string(What) + ": " + typeid(e).name() + " escaped: " + e.what());
  } catch (...) {
    Finding(std::string(What) + ": a non-standard exception escaped");
  }
}

// Whatever a loader accepted, the sentences built from it must build: an exception there would
// stop a host's transmission loop.
template <class Build>
void CheckSentencesBuild(const char* What, Build&& BuildSentences) {
  try {
    BuildSentences();
  } catch (const std::exception& e) {
    Finding(std::string(What) + ": building sentences failed: " + typeid(e).name() + ": " + e.what());
  }
}

// The fields of a sentence kind made only of numbers, codes and signs (no names of waypoints
// or routes) and where its clock fields are: -1 where it has none.
struct TNumericKind {
  const char* Kind;
  int Time, Date;  // Date: ddmmyy (RMC) or dd,mm,yyyy (ZDA)
};
inline const TNumericKind* NumericKind(const std::string& Kind) {
  static constexpr TNumericKind kKinds[] = {{"GGA", 1, -1}, {"GLL", 5, -1}, {"VTG", -1, -1},
                                            {"RMC", 1, 9},  {"GSA", -1, -1}, {"GSV", -1, -1},
                                            {"ZDA", 1, 2}};
  for (const auto& k : kKinds)
    if (Kind == k.Kind) return &k;
  return nullptr;
}

// A field that spells a non-finite number, or carries a character no number or code has, or a
// sign anywhere but in front.
inline bool BadNumericField(const std::string& Field) {
  std::string upper;
  for (std::size_t i = 0; i < Field.size(); ++i) {
    const char c = Field[i];
    if ((c == '-' || c == '+') && i > 0) return true;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+')
      return true;
    upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return upper.find("NAN") != std::string::npos || upper.find("INF") != std::string::npos;
}

// Digits only, Count of them, their value below Limit.
inline bool DigitsBelow(const std::string& Text, std::size_t Count, int Limit) {
  if (Text.size() != Count) return false;
  for (char c : Text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return std::stoi(Text) < Limit;
}

// hhmmss with optional decimals.
inline bool GoodTime(const std::string& T) {
  if (T.size() < 6 || (T.size() > 6 && (T[6] != '.' || T.size() == 7))) return false;
  for (std::size_t i = 7; i < T.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(T[i]))) return false;
  return DigitsBelow(T.substr(0, 2), 2, 24) && DigitsBelow(T.substr(2, 2), 2, 60) &&
         DigitsBelow(T.substr(4, 2), 2, 60);
}
// ddmmyy (RMC) or the three fields dd, mm, yyyy (ZDA).
inline bool GoodDate(const std::vector<std::string>& F, const TNumericKind& K) {
  const std::size_t d = static_cast<std::size_t>(K.Date);
  if (K.Kind == std::string("RMC"))
    return F.size() > d && F[d].size() == 6 && DigitsBelow(F[d].substr(0, 2), 2, 32) &&
           DigitsBelow(F[d].substr(2, 2), 2, 13) && DigitsBelow(F[d].substr(4), 2, 100);
  return F.size() > d + 2 && DigitsBelow(F[d], 2, 32) && DigitsBelow(F[d + 1], 2, 13) &&
         DigitsBelow(F[d + 2], 4, 10000) && F[d + 2] != "0000";
}

// Why the fields of a numeric sentence are malformed, or "".
inline std::string BadNumericFields(const std::string& Fields, const TNumericKind& Kind) {
  std::vector<std::string> f{""};  // f[0] stands for the kind: fields count from 1
  for (std::size_t start = 0; start <= Fields.size();) {
    const std::size_t end = std::min(Fields.find(',', start), Fields.size());
    f.push_back(Fields.substr(start, end - start));
    if (BadNumericField(f.back())) return "field '" + f.back() + "' is not a number or code";
    start = end + 1;
  }
  if (Kind.Time > 0 && (f.size() <= static_cast<std::size_t>(Kind.Time) ||
                        !GoodTime(f[static_cast<std::size_t>(Kind.Time)])))
    return "no valid time of day";
  if (Kind.Date > 0 && !GoodDate(f, Kind)) return "no valid date";
  return "";
}

// Why one sentence (from '$' up to, not including, CR LF) is malformed, or "" when it is not:
// '$', a two-letter talker and a three-letter kind, comma-led fields, then '*' and the checksum
// in two upper-case hex digits. The fields of the numeric kinds hold printable characters other
// than '$' and '*' and pass BadNumericFields; WPL, RTE and AAM carry waypoint and route names
// as the files gave them, whatever bytes those hold.
inline std::string MalformedBecause(const std::string& S) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  if (S.size() < 9 || S[0] != '$') return "no '$' or too short";
  for (std::size_t i = 1; i < 6; ++i)
    if (!std::isupper(static_cast<unsigned char>(S[i]))) return "bad talker or kind";
  const std::size_t star = S.size() - 3;
  if (S[star] != '*') return "no checksum";
  if (S[6] != ',') return "no field after the kind";
  const TNumericKind* kind = NumericKind(S.substr(3, 3));
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) {
    const unsigned char c = static_cast<unsigned char>(S[i]);
    if (kind && (c < 0x20 || c > 0x7E || c == '$' || c == '*'))
      return "bad character in the fields";
    sum ^= c;
  }
  if (S[star + 1] != kHex[sum >> 4] || S[star + 2] != kHex[sum & 15]) return "wrong checksum";
  return kind ? BadNumericFields(S.substr(7, star - 7), *kind) : "";
}

// Every sentence of Text must be well-formed and end in CR LF.
inline void CheckWellFormed(const char* What, const std::string& Text) {
  for (std::size_t start = 0; start < Text.size();) {
    const std::size_t end = Text.find("\r\n", start);
    if (end == std::string::npos) Finding(std::string(What) + ": text does not end in CR LF");
    const std::string sentence = Text.substr(start, end - start);
    const std::string why = MalformedBecause(sentence);
    if (!why.empty())
      Finding(std::string(What) + ": malformed sentence (" + why + "): " + sentence);
    start = end + 2;
  }
}

// Without an active satellite GetNMEA builds nothing: activates one of each constellation when
// Sim has none.
inline void ActivateSatellites(TNorvGPSSimulator& Sim) {
  if (Sim.GetActiveSatellitesCount() != 0) return;
  Sim.SetSatellite(1, true, 45, 90, 40, GpsSatellite);
  Sim.SetSatellite(70, true, 30, 200, 35, GlonassSatellite);
  Sim.SetSatellite(201, true, 60, 300, 45, BeidouSatellite);
}

// Builds Sim's sentences with satellites active; an exception or a malformed sentence is a
// finding.
inline void CheckSentences(const char* What, TNorvGPSSimulator& Sim) {
  std::string text;
  try {
    ActivateSatellites(Sim);
    text = Sim.GetNMEA();
  } catch (const std::exception& e) {
    Finding(std::string(What) + ": building sentences failed: " + typeid(e).name() + ": " +
            e.what());
  }
  CheckWellFormed(What, text);
}

// Whether this input also goes through the save-and-reload check: a fixed one in 64 (by a
// hash of the input, so a finding reproduces). For files whose save is much larger than a small
// input (the satellite file always holds all 235 sections).
inline bool ChosenForRoundTrip(const std::uint8_t* Data, std::size_t Size) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (std::size_t i = 0; i < Size; ++i) hash = (hash ^ Data[i]) * 16777619u;
  return hash % 64 == 0;
}

// A file this library wrote must load back, and saving what it loaded must then be a fixed
// point: with s2 = Save(Load(Save(x))), Save(Load(s2)) == s2. (The first save may merge what the
// format cannot keep apart, such as route names that differ only in letter case.) Save may refuse
// x (a name an INI file cannot carry) with norv::Exception; that ends the check. Reloading starts
// from nothing but the file, so when s2 already equals the first save, s2 is the fixed point and
// the third pass is skipped (it would repeat the second on the same bytes).
template <class SaveFn, class ReloadFn>
void CheckSavedFileReloads(const char* What, SaveFn&& Save, ReloadFn&& ReloadAndSave) {
  const std::filesystem::path first = ScratchDir() / "saved-1.ini";
  const std::filesystem::path second = ScratchDir() / "saved-2.ini";
  const std::filesystem::path third = ScratchDir() / "saved-3.ini";
  if (!LoadsOrRefuses(What, [&] { Save(first); })) return;
  const auto reload = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
    try {
      ReloadAndSave(from, to);
    } catch (const Exception& e) {
      Finding(std::string(What) + ": a file saved by the library does not load and save again: " +
              e.Message());
    }
    return ReadScratchFile(to);
  };
  const std::string again = reload(first, second);
  if (again == ReadScratchFile(first)) return;
  if (reload(second, third) != again)
    Finding(std::string(What) + ": saving the reloaded file again gives other bytes");
}

}  // namespace norv::fuzz
