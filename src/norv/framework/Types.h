#pragma once
// Numeric types of the component model.
#include <cstdint>

namespace norv {

// 80-bit extended precision on x86-64; every conversion and field computes in it.
using Extended = long double;
// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

}  // namespace norv
