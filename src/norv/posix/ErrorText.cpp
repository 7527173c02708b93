// errno text through strerror_r, whose result does not live in a buffer shared between threads.
#include "norv/posix/ErrorText.h"

#include <cstring>

namespace norv::posix {

namespace {

// glibc's strerror_r (GNU variant) returns the text, which may or may not be in buffer.
[[maybe_unused]] const char* Pick(const char* text, const char*) { return text; }
// The POSIX variant returns 0 and fills buffer.
[[maybe_unused]] const char* Pick(int result, const char* buffer) {
  return result == 0 ? buffer : "Unknown error";
}

}  // namespace

std::string ErrnoText(int error) {
  char buffer[256] = "";
  return Pick(::strerror_r(error, buffer, sizeof buffer), buffer);
}

std::string ErrorText(const std::string& what, const std::string& path, int error) {
  return what + " " + path + ": " + ErrnoText(error);
}

}  // namespace norv::posix
