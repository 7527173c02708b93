#include "Output.h"

namespace norvgpssim {

short EventsFor(const std::vector<pollfd>& fds, int fd) {
  for (const pollfd& p : fds)
    if (p.fd == fd) return p.revents;
  return 0;
}

}  // namespace norvgpssim
