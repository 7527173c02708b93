#include "norv/framework/DigitText.h"

namespace norv {

char* WriteLongUnsigned(char* Out, std::uint64_t Value) {
  return WriteDigits(Out, Value, DigitCount(Value));
}

}  // namespace norv
