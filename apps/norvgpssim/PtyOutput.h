#pragma once
// Epochs written to a pseudo-terminal that a program opens as if it were a serial port.
#include <chrono>
#include <filesystem>
#include <optional>

#include "Output.h"
#include "norv/posix/Descriptor.h"

namespace norvgpssim {

class PtyOutput : public Output {
 public:
  // Creates the pseudo-terminal (raw mode, so CR LF arrive unchanged); with a non-empty `link`,
  // also a symlink to its device, replacing a dangling one that names a pseudo-terminal (left
  // by an earlier run); any other entry there is refused. `paced`: epochs come at wall-clock
  // intervals (otherwise a reader gets a moment to catch up before unread text is dropped).
  // Raises CliError (unusable output).
  PtyOutput(const std::filesystem::path& link, bool paced);
  // Closes the pseudo-terminal and removes the symlink if it still points to it. A constructor
  // that fails closes what it had opened too.
  ~PtyOutput() override;
  PtyOutput(const PtyOutput&) = delete;
  PtyOutput& operator=(const PtyOutput&) = delete;

  std::string Name() const override { return "pty"; }
  const std::string& DevicePath() const { return FSlavePath; }
  void WriteEpoch(const std::string& text) override;
  void AddPollFds(std::vector<pollfd>& fds) const override;
  void HandlePoll(const std::vector<pollfd>& fds) override;

 private:
  void CreateLink();
  void RemoveLink() noexcept;
  // Drops what no client has read for a while, so a client that opens the device later
  // starts with current epochs instead of a backlog.
  void DropUnreadBacklog();
  // Paced: true once more than the limit has stayed unread at every epoch for a while.
  bool ReaderAbsent(int unread);
  // Discards everything the device holds unread.
  void FlushUnread();
  // Writes what the device takes now; returns the bytes written.
  std::size_t WriteNow(const std::string& text);

  norv::posix::TDescriptor FMaster;
  // Held open by us, so the pseudo-terminal keeps its settings and the master never sees a
  // hang-up while no client has the device open.
  norv::posix::TDescriptor FSlave;
  std::string FSlavePath;
  std::filesystem::path FLink;
  bool FLinkCreated = false;
  bool FPaced;
  // Since when the unread text has stayed above the limit (paced runs).
  std::optional<std::chrono::steady_clock::time_point> FBacklogSince;
};

}  // namespace norvgpssim
