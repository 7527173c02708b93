// The write allowance of the serial line and the part of a text it writes.
#include "norv/serial/LineWriter.h"

#include <cstring>

namespace norv::serial {

std::chrono::steady_clock::duration WriteAllowance(std::size_t count) {
  return std::chrono::milliseconds(3) * count + std::chrono::milliseconds(100);
}

std::size_t LengthBeforeNul(const std::string& text) { return ::strnlen(text.data(), text.size()); }

}  // namespace norv::serial
