#pragma once
// Saves interrupted by SIGKILL: a child process saves two versions of a file in turn, over and
// over; the parent kills it at a random moment and looks at what the kill left behind.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "faults/FileFaults.h"
#include "support/ChildProcess.h"

namespace norv::test {

// Saves version 0 or 1 of the file to the target. Built once per process (in the child after
// the fork), so the kill lands in the saves and not in setting up the state.
using TVersionSaver = std::function<void(int Version)>;
using TSaverFactory = std::function<TVersionSaver(const fs::path& Target)>;

struct TKillRoundsResult {
  int Rounds = 0;
  int OldFile = 0;        // the kill left version 0
  int NewFile = 0;        // the kill left version 1
  int Damaged = 0;        // anything else: a partial, mixed or missing file
  int StrayTemporary = 0; // rounds that left a temporary file beside the target
  int ChildFailed = 0;    // the child ended on its own (a save raised)
  std::string FirstDamage;
};

// The kill rounds asked for: NORV_KILL_ROUNDS, else Default.
inline int KillRoundsWanted(int Default) {
  const char* env = std::getenv("NORV_KILL_ROUNDS");
  return env != nullptr && std::atoi(env) > 0 ? std::atoi(env) : Default;
}

// Runs the rounds against Dir/Target. Old and New are the complete bytes of versions 0 and 1.
// Each round starts from the old file, forks a child that saves 1, 0, 1, 0, ... and kills it
// after a random delay of up to two save cycles (measured first).
inline TKillRoundsResult RunKillRounds(const fs::path& Dir, const std::string& Target,
                                       const TSaverFactory& MakeSaver, const std::string& Old,
                                       const std::string& New, int Rounds, std::uint32_t Seed) {
  const fs::path file = Dir / Target;
  using Clock = std::chrono::steady_clock;
  std::chrono::microseconds cycle{};
  {
    const TVersionSaver save = MakeSaver(file);
    constexpr int kCalibration = 10;
    const auto start = Clock::now();
    for (int i = 0; i < kCalibration; ++i) {
      save(1);
      save(0);
    }
    cycle = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / kCalibration;
  }
  std::mt19937 random(Seed);
  std::uniform_int_distribution<std::int64_t> delay(0, 2 * cycle.count());

  TKillRoundsResult result;
  for (int round = 0; round < Rounds; ++round) {
    WriteWholeFile(file, Old);
    int ready[2];
    if (::pipe(ready) != 0) break;
    TChildProcess saver;
    saver.Fork([&] {
      ::close(ready[0]);
      const TVersionSaver save = MakeSaver(file);
      const char go = 1;
      if (::write(ready[1], &go, 1) != 1) return 2;
      for (;;) {
        save(1);
        save(0);
      }
    });
    ::close(ready[1]);
    char go = 0;
    const bool started = saver.Started() && ::read(ready[0], &go, 1) == 1;
    ::close(ready[0]);
    if (started) std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    if (saver.Started()) {
      saver.Kill();
      if (saver.TerminatingSignal() != SIGKILL) ++result.ChildFailed;
    }
    ++result.Rounds;
    const std::string left = ReadWholeFile(file);
    if (left == Old) {
      ++result.OldFile;
    } else if (left == New) {
      ++result.NewFile;
    } else {
      if (result.Damaged++ == 0)
        result.FirstDamage = "round " + std::to_string(round) + ": " + std::to_string(left.size()) +
                             " bytes (old " + std::to_string(Old.size()) + ", new " +
                             std::to_string(New.size()) + ")";
    }
    const std::vector<std::string> stray = OtherEntries(Dir, {Target});
    if (!stray.empty()) ++result.StrayTemporary;
    for (const auto& name : stray) fs::remove(Dir / name);
  }
  return result;
}

}  // namespace norv::test
