#include "StdoutOutput.h"

#include <unistd.h>

#include <cerrno>

#include "ExitCodes.h"
#include "norv/posix/WriteAll.h"

namespace norvgpssim {

void StdoutOutput::WriteEpoch(const std::string& text) {
  if (FClosed) return;
  // No deadline: the reader sets the pace (stdout may be inherited non-blocking, then the write
  // waits for room).
  const norv::posix::TWriteResult result = norv::posix::WriteAll(
      STDOUT_FILENO, text.data(), text.size(), norv::posix::Clock::time_point::max());
  FBytesSent += result.written;
  if (result.error == EPIPE)
    FClosed = true;
  else if (result.error != 0)
    throw CliError(kExitOutput, "stdout: write failed: " + ErrnoText(result.error));
}

}  // namespace norvgpssim
