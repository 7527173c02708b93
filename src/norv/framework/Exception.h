#pragma once
// The exception family: every error the library raises derives from norv::Exception.
#include <stdexcept>
#include <string>

namespace norv {

// Base of every exception the library raises; carries the message text.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& msg) : std::runtime_error(msg) {}
  std::string Message() const { return what(); }
};

// A text that is not a number where a number is required.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace norv
