#pragma once
// TDescriptor: sole owner of one open file descriptor, closed exactly once.
namespace norv::posix {

class TDescriptor {
 public:
  TDescriptor() noexcept = default;
  // Takes ownership of fd; a negative fd means none.
  explicit TDescriptor(int fd) noexcept : FFd(fd < 0 ? -1 : fd) {}
  ~TDescriptor() { Close(); }
  TDescriptor(TDescriptor&& other) noexcept : FFd(other.Release()) {}
  TDescriptor& operator=(TDescriptor&& other) noexcept;
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;

  int Get() const noexcept { return FFd; }
  bool IsOpen() const noexcept { return FFd >= 0; }
  // Gives the descriptor up without closing it; the caller owns it.
  int Release() noexcept;
  // Closes through the system-call seam; 0, or the errno close reported. Never retried: the
  // descriptor is gone even when close reports EINTR, and a retry could close a reused number.
  int Close() noexcept;

 private:
  int FFd = -1;
};

}  // namespace norv::posix
