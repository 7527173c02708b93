#pragma once
// How long a write to the serial line may take, and how much of a text goes out.
#include <chrono>
#include <cstddef>
#include <string>

namespace norv::serial {

// How long a write of count bytes may take: 3 ms per byte plus 100 ms.
std::chrono::steady_clock::duration WriteAllowance(std::size_t count);

// The number of bytes of text before its first NUL byte (all of it when there is none).
std::size_t LengthBeforeNul(const std::string& text);

}  // namespace norv::serial
