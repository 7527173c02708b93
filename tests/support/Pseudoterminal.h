#pragma once
// A pseudo-terminal opened by a test or a benchmark: the code under test writes to the device
// path (the slave side), the test reads what arrives on the master side.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace norv::test {

class Pseudoterminal {
 public:
  // Held: the test keeps a slave descriptor, which keeps the terminal alive and shows its
  // settings. Closed: only the code under test holds the slave, so closing the master hangs
  // it up, and the master reads EIO while nobody has the device open.
  enum class SlaveEnd { Held, Closed };
  // Raw: the line starts without echo or line editing, as a reader of NMEA would set it.
  enum class LineMode { AsOpened, Raw };

  // Throws std::runtime_error when no terminal can be opened.
  explicit Pseudoterminal(SlaveEnd Slave = SlaveEnd::Held, LineMode Mode = LineMode::AsOpened);
  ~Pseudoterminal();
  Pseudoterminal(const Pseudoterminal&) = delete;
  Pseudoterminal& operator=(const Pseudoterminal&) = delete;

  const std::string& Path() const { return FPath; }
  int Master() const { return FMaster; }
  int Slave() const { return FSlave; }  // -1 with SlaveEnd::Closed
  bool Open() const { return FMaster >= 0; }
  void CloseMaster();

  // Reads until Count bytes have arrived or Timeout has passed.
  std::string Read(std::size_t Count, std::chrono::milliseconds Timeout);
  // Everything that arrives within Timeout.
  std::string ReadAll(std::chrono::milliseconds Timeout) { return Read(SIZE_MAX, Timeout); }
  // Reads until nothing more has come for Quiet, or Limit has passed. Waits through the times
  // nobody holds the device open.
  std::string ReadUntilQuiet(std::chrono::milliseconds Quiet,
                             std::chrono::milliseconds Limit = std::chrono::seconds(30));
  // Everything that arrives until nothing has come for Quiet.
  std::string Drain(std::chrono::milliseconds Quiet = std::chrono::milliseconds(200)) {
    return ReadUntilQuiet(Quiet);
  }

 private:
  int FMaster = -1;
  int FSlave = -1;
  std::string FPath;
};

}  // namespace norv::test
