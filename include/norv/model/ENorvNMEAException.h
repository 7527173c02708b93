#pragma once
// The exception of every refused value.
#include "norv/Export.h"
#include "norv/framework/Exception.h"

namespace norv {

// Raised with the message of a value outside its accepted range.
class NORV_API ENorvNMEAException : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace norv
