#pragma once
// Taking and giving back a terminal device for this process alone.
#include <string>

#include "norv/posix/Descriptor.h"

namespace norv::serial {

// Opens the terminal device at path read-write and non-blocking, exclusively (TIOCEXCL and
// flock). On failure the result is not open and error says why.
posix::TDescriptor OpenExclusive(const std::string& path, std::string& error);

// Lifts the exclusive mode (on a pseudo-terminal it would outlast the descriptor and lock out the
// next open) and closes device.
void ReleaseDevice(posix::TDescriptor& device);

}  // namespace norv::serial
