#include "norv/nmea/Nmea4Builder.h"

#include <algorithm>
#include <cassert>
#include <string>

#include "norv/model/ENorvNMEAException.h"
#include "norv/nmea/Checksum.h"
#include "norv/nmea/Sentence.h"

namespace norv {

namespace {

// The fix sentences and a few dozen satellites fit at once; a long route may take one more.
constexpr std::size_t kExpectedEpochSize = 2048;

bool IsTalker(std::string_view Talker) {
  return Talker.size() == 2 &&
         std::all_of(Talker.begin(), Talker.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

TNmea4Builder::TNmea4Builder(const TReceiverView& View, std::string_view Talker)
    : FView(View), FTalker(Talker), FOut(kExpectedEpochSize) {
  if (!IsTalker(Talker))
    throw ENorvNMEAException("Talker must be two capital letters, not '" + std::string(Talker) +
                             "'.");
  FClock = DecodeDateTime(UTCNow(View.State));
  bool anyInView = false;
  for (const TSatellite& s : View.Satellites.Records()) {
    if (!s.Active()) continue;
    if (const auto number = Nmea4SatelliteNumber(s.SatelliteType(), s.PseudoRandomCode())) {
      FInView[s.SatelliteType()][FInViewCount[s.SatelliteType()]++] = {*number, &s};
      anyInView = true;
    }
  }
  const std::int32_t q = View.State.FixQuality;
  FQuality = anyInView && q >= 1 && q <= 8 ? q : 0;
}

std::size_t TNmea4Builder::UsedCount() const {
  if (!HasFix()) return 0;
  std::size_t n = 0;
  for (std::size_t count : FInViewCount) n += std::min(count, kUsedSlots);
  return n;
}

std::size_t SentenceLength(std::string_view Talker, std::string_view Kind,
                           std::span<const std::string_view> Fields) {
  std::size_t n = 1 + Talker.size() + Kind.size() + kSentenceTrailerSize;
  for (std::string_view f : Fields) n += 1 + f.size();
  return n;
}

void TNmea4Builder::Append(std::string_view Talker, std::string_view Kind,
                           std::span<const std::string_view> Fields) {
  const std::size_t start = FOut.size();
  AppendSentence(FOut, Talker, Kind, Fields);
  Check(start);
}

void TNmea4Builder::AppendFitted(std::string_view Kind, std::span<std::string_view> Fields,
                                 std::initializer_list<std::size_t> Optional) {
  for (std::size_t i : Optional) {
    if (SentenceLength(FTalker, Kind, Fields) <= TNmea4Epoch::kMaxSentenceLength) break;
    Fields[i] = {};
  }
  Append(FTalker, Kind, Fields);
}

void TNmea4Builder::Check([[maybe_unused]] std::size_t Start) const {
  assert(FOut.size() - Start <= TNmea4Epoch::kMaxSentenceLength);
}

TNmea4Epoch TNmea4Builder::Finish() && { return TNmea4Epoch(std::move(FOut).Release()); }

}  // namespace norv
