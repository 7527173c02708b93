#pragma once
// Restores FormatSettings.DecimalSeparator when a test that changes it ends.
#include "norv/framework/SysUtils.h"

namespace norv::test {

struct SeparatorGuard {
  char saved = FormatSettings.DecimalSeparator;
  ~SeparatorGuard() { FormatSettings.DecimalSeparator = saved; }
};

}  // namespace norv::test
