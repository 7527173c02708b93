#pragma once
// Counts every heap allocation of the process, so a benchmark can report allocations per call.
#include <cstdint>

namespace norv::bench {

// Allocations made through the global operator new since the program started (all threads).
std::uint64_t AllocationCount();

}  // namespace norv::bench
