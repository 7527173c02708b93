// Raw 8-N-1 line settings through termios, with termios2 for rates without a speed constant.
#include "norv/serial/LineSettings.h"

#include <sys/ioctl.h>

#include <cerrno>
#include <cstdlib>

#include "norv/serial/OtherBaudRate.h"
#include "norv/posix/ErrorText.h"
#include "norv/posix/SystemCalls.h"

namespace norv::serial {

using posix::ErrorText;
using posix::RetryOnEintr;
using posix::SystemCalls;

namespace {

struct TSpeedCode {
  std::int32_t baud;
  speed_t code;
};

constexpr TSpeedCode kSpeedCodes[] = {
    {50, B50},         {75, B75},         {110, B110},         {134, B134},
    {150, B150},       {200, B200},       {300, B300},         {600, B600},
    {1200, B1200},     {1800, B1800},     {2400, B2400},       {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},     {57600, B57600},
    {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800}, {500000, B500000}, {576000, B576000},   {921600, B921600},
    {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
    {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
#endif
};

// The termios speed constant of baud, if it has one.
bool FindSpeedCode(std::int32_t baud, speed_t& code) {
  for (const TSpeedCode& entry : kSpeedCodes)
    if (entry.baud == baud) {
      code = entry.code;
      return true;
    }
  return false;
}

int IoctlRetrying(int fd, unsigned long request, void* arg) {
  return RetryOnEintr([&] { return SystemCalls().Ioctl(fd, request, arg); });
}

int GetAttributes(int fd, termios& attributes) {
  return RetryOnEintr([&] { return SystemCalls().TcGetAttr(fd, &attributes); });
}

int SetAttributes(int fd, const termios& attributes) {
  return RetryOnEintr([&] { return SystemCalls().TcSetAttr(fd, TCSANOW, &attributes); });
}

void MakeRaw8N1(termios& t) {
  cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  // CLOCAL: a device without carrier detect must not hold up or hang up the line.
  t.c_cflag |= CS8 | CLOCAL | CREAD;
  // Nothing is ever read; make a read return at once if one happens.
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
}

bool IsRaw8N1(const termios& t) {
  const bool cflag = (t.c_cflag & CSIZE) == CS8 && !(t.c_cflag & (PARENB | CSTOPB | CRTSCTS)) &&
                     (t.c_cflag & CLOCAL);
  const bool iflag = !(t.c_iflag & (IXON | IXOFF | IXANY));
  const bool lflag = !(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
  return cflag && iflag && lflag && !(t.c_oflag & OPOST);
}

// A UART reaches most rates only approximately; the driver reports the rate it really set, and
// up to 2 % off still frames 8-N-1 characters correctly.
bool CloseEnough(long actual, std::int32_t requested) {
  return std::labs(actual - requested) * 50 <= requested;
}

bool SpeedApplied(int fd, const termios& now, std::int32_t baud, bool standard, speed_t code) {
  if (standard) return cfgetospeed(&now) == code && cfgetispeed(&now) == code;
  const long actual = ReadBaudRate(fd, IoctlRetrying);
  return actual > 0 && CloseEnough(actual, baud);
}

// DTR and RTS off: the line carries data only and signals nothing to the device. Pseudo-terminals
// and some adapters have no modem lines and answer ENOTTY or EINVAL, which is fine.
bool DropModemLines(int fd, int& error) {
  int lines = TIOCM_DTR | TIOCM_RTS;
  if (IoctlRetrying(fd, TIOCMBIC, &lines) == 0 || errno == ENOTTY || errno == EINVAL) return true;
  error = errno;
  return false;
}

}  // namespace

bool ApplyLineSettings(int fd, const std::string& path, std::int32_t baud, std::string& error) {
  if (baud <= 0) {
    // B0 would mean "hang up"; a rate must be positive.
    error = ErrorText("baud rate " + std::to_string(baud) + " for", path, EINVAL);
    return false;
  }
  termios previous{};
  if (GetAttributes(fd, previous) != 0) {
    error = ErrorText("tcgetattr", path, errno);
    return false;
  }
  termios wanted = previous;
  MakeRaw8N1(wanted);
  speed_t code = B0;
  const bool standard = FindSpeedCode(baud, code);
  if (standard && cfsetspeed(&wanted, code) != 0) {
    error = ErrorText("cfsetspeed", path, errno);
    return false;
  }
  auto restore = [&](const std::string& step, int cause) {
    error = ErrorText(step, path, cause);
    SetAttributes(fd, previous);  // best effort: the step's error is the one worth reporting
    return false;
  };
  if (SetAttributes(fd, wanted) != 0) return restore("tcsetattr", errno);
  if (!standard && !SetOtherBaudRate(fd, baud, IoctlRetrying))
    return restore("set baud rate " + std::to_string(baud) + " on", errno);
  termios now{};
  if (GetAttributes(fd, now) != 0) return restore("tcgetattr", errno);
  if (!IsRaw8N1(now) || !SpeedApplied(fd, now, baud, standard, code))
    return restore("line settings (" + std::to_string(baud) + " baud, 8-N-1) refused by", EINVAL);
  int linesError = 0;
  if (!DropModemLines(fd, linesError)) return restore("drop DTR/RTS on", linesError);
  return true;
}

long LineBaudRate(int fd) { return ReadBaudRate(fd, IoctlRetrying); }

}  // namespace norv::serial
