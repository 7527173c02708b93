#include "norv/nmea/Nmea4Epoch.h"

namespace norv {

std::vector<std::string_view> TNmea4Epoch::Sentences() const& {
  std::vector<std::string_view> sentences;
  const std::string_view text = FText;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end + 1;
    sentences.push_back(text.substr(start, stop - start));
    start = stop;
  }
  return sentences;
}

}  // namespace norv
