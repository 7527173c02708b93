#pragma once
// Faults on the output line: what each one does to an epoch's text, and the injector that applies
// the active ones, drawing every random choice from one seeded generator.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SeededRandom.h"

namespace norvgpssim {

enum class FaultKind {
  Checksum,   // checksum:F  a fraction F of sentences carry a wrong checksum
  Flip,       // flip:F      one byte of the body changed in a fraction F of sentences
  Truncate,   // truncate:F  a fraction F of sentences cut short (no checksum, no line end)
  Garbage,    // garbage:F   random bytes inserted before a fraction F of sentences
  DropEpoch,  // drop        whole epochs not written
  DropKind,   // drop:GSV,GSA  those sentence kinds not written
  Duplicate,  // duplicate   each epoch written twice
  Stall,      // stall       nothing written; the backlog goes out in one burst when it ends
  ClockJump,  // clock:+S / clock:-S  the receiver clock jumps by S seconds (once)
  NoFix,      // nofix       the receiver reports no fix, and its fix comes back when it ends
};

struct FaultRule {
  FaultKind kind = FaultKind::Checksum;
  double fraction = 1;                 // the share of sentences or epochs hit
  std::vector<std::string> sentences;  // DropKind: the kinds, e.g. "GSV"
  double seconds = 0;                  // ClockJump
};

// "checksum:0.01", "drop:GSV", "clock:-3", ... On a bad text: nullopt, and Why says what is wrong.
std::optional<FaultRule> ParseFault(const std::string& text, std::string& why);

// One fault acting from a simulated second on, until a second or for a number of hits.
struct ActiveFault {
  FaultRule rule;
  double from = 0;
  std::optional<double> until;           // the window's end (exclusive); none: to the end
  std::optional<std::uint64_t> hits;     // a count instead: the sentences or epochs it may hit
};

// Applies the active faults to each epoch's text, in a fixed order, so that the same seed and
// the same epochs give the same bytes.
class FaultInjector {
 public:
  explicit FaultInjector(std::uint64_t seed) : FRandom(seed) {}

  void Add(const ActiveFault& fault) { FFaults.push_back(fault); }
  // The bytes to write for the epoch built at simulated second T; empty: nothing this epoch.
  std::string Apply(const std::string& epoch, double t);
  // True while a nofix fault is active at T.
  bool FixLost(double t) const;
  // The clock jumps (milliseconds) that begin at or before T and were not yet taken.
  std::int64_t TakeClockJumpMs(double t);

 private:
  bool Active(const ActiveFault& f, double t) const;
  bool Hit(ActiveFault& f);  // a random draw against the fraction, counting a count down
  std::string Sentence(const std::string& sentence, double t);

  SeededRandom FRandom;
  std::vector<ActiveFault> FFaults;
  std::string FBacklog;  // epochs held back by a stall
};

// The sentence kind of one sentence ("$GPGSV,..." -> "GSV"); empty when it has none.
std::string SentenceKind(const std::string& sentence);

}  // namespace norvgpssim
