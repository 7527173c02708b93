#pragma once
// TNmea4Epoch: one epoch of the NMEA 0183 4.11 output profile, every sentence within 82 bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "norv/Export.h"

namespace norv {

// The sentences of one epoch, in output order. Only the profile builds one, and it never
// holds a sentence longer than kMaxSentenceLength (checked as each is framed in debug builds;
// the random-state tests hold every build to it).
class NORV_API TNmea4Epoch {
 public:
  // From "$" to CR LF inclusive.
  static constexpr std::size_t kMaxSentenceLength = 82;

  // Every sentence, each ending in CR LF, as one text.
  const std::string& Text() const& { return FText; }
  std::string Text() && { return std::move(FText); }
  // Each sentence with its CR LF, in order; views into this epoch, so not of a temporary.
  std::vector<std::string_view> Sentences() const&;
  std::vector<std::string_view> Sentences() const&& = delete;

 private:
  friend class TNmea4Builder;
  explicit TNmea4Epoch(std::string Text) : FText(std::move(Text)) {}
  std::string FText;
};

}  // namespace norv
