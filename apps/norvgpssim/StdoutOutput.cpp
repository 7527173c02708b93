#include "StdoutOutput.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "ExitCodes.h"

namespace norvgpssim {

void StdoutOutput::WriteEpoch(const std::string& text) {
  std::size_t done = 0;
  while (!FClosed && done < text.size()) {
    const ssize_t n = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
    if (n >= 0) {
      done += static_cast<std::size_t>(n);
    } else if (errno == EPIPE) {
      FClosed = true;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {  // stdout inherited non-blocking
      pollfd p{STDOUT_FILENO, POLLOUT, 0};
      ::poll(&p, 1, 1000);
    } else if (errno != EINTR) {
      throw CliError(kExitOutput, "stdout: write failed: " + ErrnoText(errno));
    }
  }
  FBytesSent += done;
}

}  // namespace norvgpssim
