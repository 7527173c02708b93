#include "norv/nmea/SentenceText.h"

#include <algorithm>

namespace norv {

void TSentenceText::Enlarge(std::size_t Bytes) {
  FText.resize(std::max(FSize + Bytes, 2 * FText.size()));
}

}  // namespace norv
