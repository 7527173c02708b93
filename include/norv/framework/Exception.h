#pragma once
// The exception family: every error the library raises derives from norv::Exception.
#include <stdexcept>
#include <string>

#include "norv/Export.h"

namespace norv {

// Base of every exception the library raises; carries the message text.
// The message can be amended before rethrowing (`e.SetMessage(...); throw;`) so that a caller
// can add context, such as a line number, and keep the exception's own class.
class NORV_API Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& msg) : std::runtime_error(msg), FMessage(msg) {}
  const char* what() const noexcept override { return FMessage.c_str(); }
  std::string Message() const { return FMessage; }
  void SetMessage(const std::string& msg) { FMessage = msg; }

 private:
  std::string FMessage;
};

// A text that is not a number where a number is required.
class NORV_API EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// An index outside a list.
class NORV_API EListError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace norv
