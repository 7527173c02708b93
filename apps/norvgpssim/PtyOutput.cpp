#include "PtyOutput.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

#include "ExitCodes.h"
#include "norv/posix/WriteAll.h"

namespace norvgpssim {

namespace {

// A client reads an epoch as soon as it arrives; more unread text than this means nobody is
// reading (the line discipline holds at most 4 KB).
constexpr int kMaxUnreadBytes = 2048;
// ... unless it stays so for this long: a reader that is there can still fall an epoch or two
// behind on a busy machine (one epoch of every sentence kind is about 2 KB), and dropping its
// backlog would lose epochs it was about to read.
constexpr auto kAbsentAfter = std::chrono::seconds(1);

// Six random letters and digits for a temporary name.
std::string UniqueSuffix() {
  static std::mt19937 random{std::random_device{}()};
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix(6, 'a');
  for (char& c : suffix) c = kChars[random() % 36];
  return suffix;
}

[[noreturn]] void Fail(const std::string& what, int error = errno) {
  throw CliError(kExitOutput, "pty: " + what + ": " + ErrnoText(error));
}

}  // namespace

PtyOutput::PtyOutput(const std::filesystem::path& link, bool paced) : FLink(link), FPaced(paced) {
  FMaster = norv::posix::TDescriptor(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!FMaster.IsOpen()) Fail("cannot create a pseudo-terminal");
  const int master = FMaster.Get();
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0) Fail("cannot unlock the pseudo-terminal");
  char name[128];
  if (::ptsname_r(master, name, sizeof name) != 0) Fail("cannot name the pseudo-terminal");
  FSlavePath = name;
  FSlave = norv::posix::TDescriptor(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!FSlave.IsOpen()) Fail("cannot open " + FSlavePath);
  termios tio{};
  if (::tcgetattr(FSlave.Get(), &tio) != 0) Fail("cannot read the settings of " + FSlavePath);
  ::cfmakeraw(&tio);  // no CR/LF translation and no echo back into our master
  ::cfsetspeed(&tio, B4800);
  if (::tcsetattr(FSlave.Get(), TCSANOW, &tio) != 0) Fail("cannot set raw mode on " + FSlavePath);
  const int flags = ::fcntl(master, F_GETFL);
  if (flags < 0 || ::fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0)
    Fail("cannot make the pseudo-terminal non-blocking");
  if (!FLink.empty()) CreateLink();
}

PtyOutput::~PtyOutput() { RemoveLink(); }  // the descriptors close as members

void PtyOutput::CreateLink() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(FLink, ec);
  if (fs::exists(st)) {
    if (!fs::is_symlink(st))
      throw CliError(kExitOutput, "pty: " + FLink.string() + " exists and is not a symlink");
    if (fs::exists(FLink, ec))  // a link to something that is still there is not ours to take
      throw CliError(kExitOutput, "pty: " + FLink.string() + " already points to " +
                                      fs::read_symlink(FLink, ec).string() +
                                      " (another simulator running? remove the link)");
    // A dangling link is taken over only when it names a pseudo-terminal (a run that ended
    // without removing it); one to an unplugged device or a missing file is someone's.
    const std::string old = fs::read_symlink(FLink, ec).string();
    if (old.rfind("/dev/pts/", 0) != 0)
      throw CliError(kExitOutput, "pty: " + FLink.string() + " is a link to " + old +
                                      ", not to a pseudo-terminal (remove the link)");
  }
  // Made beside the target and renamed over it: a dangling link is replaced in one step. The
  // temporary name is new (symlink refuses an existing one), so nothing else is ever removed.
  fs::path temp;
  for (int attempt = 0;; ++attempt) {
    temp = FLink.string() + ".tmp" + UniqueSuffix();
    if (::symlink(FSlavePath.c_str(), temp.c_str()) == 0) break;
    // Named as the user gave it: the temporary name would only puzzle.
    if (errno != EEXIST || attempt == 100) Fail("cannot create " + FLink.string());
  }
  if (::rename(temp.c_str(), FLink.c_str()) != 0) {
    const int err = errno;
    fs::remove(temp, ec);
    errno = err;
    Fail("cannot create " + FLink.string());
  }
  FLinkCreated = true;
}

void PtyOutput::RemoveLink() noexcept {
  if (!FLinkCreated) return;
  std::error_code ec;
  if (std::filesystem::read_symlink(FLink, ec) == FSlavePath) std::filesystem::remove(FLink, ec);
  FLinkCreated = false;
}

bool PtyOutput::ReaderAbsent(int unread) {
  const auto now = std::chrono::steady_clock::now();
  if (unread <= kMaxUnreadBytes) {
    FBacklogSince.reset();
    return false;
  }
  if (!FBacklogSince) FBacklogSince = now;
  return now - *FBacklogSince >= kAbsentAfter;
}

void PtyOutput::DropUnreadBacklog() {
  int unread = 0;
  if (::ioctl(FSlave.Get(), TIOCINQ, &unread) != 0) return;
  if (FPaced && !ReaderAbsent(unread)) return;
  if (unread <= kMaxUnreadBytes) return;
  if (!FPaced) {
    // Epochs come back to back: a reader that is there needs a moment to take them; one that
    // makes no progress for 100 ms is taken to be absent.
    int stalled = 0;
    while (unread > kMaxUnreadBytes && stalled < 20) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      const int before = unread;
      if (::ioctl(FSlave.Get(), TIOCINQ, &unread) != 0) return;
      stalled = unread < before ? 0 : stalled + 1;
    }
    if (unread <= kMaxUnreadBytes) return;
  }
  FlushUnread();
}

void PtyOutput::FlushUnread() {
  int unread = 0;
  if (::ioctl(FSlave.Get(), TIOCINQ, &unread) == 0)
    FBytesDropped += static_cast<std::uint64_t>(unread);
  ::tcflush(FSlave.Get(), TCIFLUSH);
  FBacklogSince.reset();
}

std::size_t PtyOutput::WriteNow(const std::string& text) {
  // A deadline of now: what does not fit at once is the caller's to handle.
  const norv::posix::TWriteResult result =
      norv::posix::WriteAll(FMaster.Get(), text.data(), text.size(), norv::posix::Clock::now());
  if (result.error != 0 && result.error != ETIMEDOUT)
    Fail("write to " + FSlavePath + " failed", result.error);
  return result.written;
}

void PtyOutput::WriteEpoch(const std::string& text) {
  DropUnreadBacklog();
  std::size_t done = WriteNow(text);
  if (done < text.size()) {
    // The device is full: its reader is gone, or too slow for the rate. Start again from an
    // empty device, so that what it holds is always whole epochs, never one cut short.
    FBytesDropped += done;
    FlushUnread();
    done = WriteNow(text);
  }
  FBytesSent += done;
  FBytesDropped += text.size() - done;
}

void PtyOutput::AddPollFds(std::vector<pollfd>& fds) const {
  fds.push_back({FMaster.Get(), POLLIN, 0});
}

void PtyOutput::HandlePoll(const std::vector<pollfd>& fds) {
  if ((EventsFor(fds, FMaster.Get()) & POLLIN) == 0) return;
  // Whatever a client writes to the device (commands to the receiver) is read and ignored.
  char discard[512];
  while (::read(FMaster.Get(), discard, sizeof discard) > 0) {
  }
}

}  // namespace norvgpssim
