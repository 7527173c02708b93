#pragma once
// Thread-safe text of an errno value.
#include <string>

namespace norv::posix {

// The system's text of error, e.g. "No such file or directory"; safe to call from any thread.
std::string ErrnoText(int error);

// "what path: OS error text", e.g. "open /dev/ttyUSB9: No such file or directory".
std::string ErrorText(const std::string& what, const std::string& path, int error);

}  // namespace norv::posix
