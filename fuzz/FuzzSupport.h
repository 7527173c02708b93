#pragma once
// What every fuzz target shares: the input as a file in a scratch directory of the process, and
// the rule for a loader's failures: it may raise norv::Exception (or a class derived from it)
// with a message; any other escape is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <typeinfo>

#include "norv/framework/Exception.h"
#include "norv/framework/MessageDialog.h"
#include "norv/navigation/Routes.h"
#include "norv/NorvGPSSimulator.h"

namespace norv::fuzz {

// Reports a finding: libFuzzer stores the input that led here.
[[noreturn]] inline void Finding(const std::string& What) {
  std::fprintf(stderr, "==FUZZ FINDING== %s\n", What.c_str());
  std::abort();
}

// A directory of this process for input and output files; removed at exit. /dev/shm keeps the
// millions of small writes off the disk.
inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
    std::filesystem::path made = base / ("norv-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return made;
  }();
  return dir;
}

inline std::filesystem::path WriteScratchFile(const std::string& Name, const std::string& Content) {
  const std::filesystem::path path = ScratchDir() / Name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(Content.data(), static_cast<std::streamsize>(Content.size()));
  if (!out) Finding("cannot write scratch file " + path.string());
  return path;
}

inline std::string ReadScratchFile(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string AsText(const std::uint8_t* Data, std::size_t Size) {
  return {reinterpret_cast<const char*>(Data), Size};
}

// Refused values show their message in a dialog when MessageAlert is on; keep stderr quiet.
inline void SilenceDialogs() {
  SetMessageDialogHandler([](const std::string&) {});
}

// A component for the whole run, without waypoints or routes while an input has it, for the
// inputs whose loader works on a list or route of its own and that need a component to build
// sentences: each new component starts its sender thread, which under the sanitizers costs more
// than all the rest of such an input's work. Emptied again when the input is done, so that no
// memory stays allocated from one input to the next.
class TSharedComponent {
 public:
  TSharedComponent() { Empty(); }
  ~TSharedComponent() { Empty(); }
  TSharedComponent(const TSharedComponent&) = delete;
  TSharedComponent& operator=(const TSharedComponent&) = delete;
  TNorvGPSSimulator& operator*() const { return Shared(); }

 private:
  static TNorvGPSSimulator& Shared() {
    static TNorvGPSSimulator shared;
    return shared;
  }
  static void Empty() {
    Shared().Routes()->Clear();
    Shared().WayPoints()->Clear();
  }
};

// Runs Load. True when it returned; false when it raised norv::Exception carrying a message.
// Anything else escaping is a finding.
template <class Loader>
bool LoadsOrRefuses(const char* What, Loader&& Load) {
  try {
    Load();
    return true;
  } catch (const Exception& e) {
    if (e.Message().empty()) Finding(std::string(What) + ": norv::Exception with an empty message");
    return false;
  } catch (const std::exception& e) {
    Finding(std::string(What) + ": " + typeid(e).name() + " escaped: " + e.what());
  } catch (...) {
    Finding(std::string(What) + ": a non-standard exception escaped");
  }
}

// Whatever a loader accepted, the sentences built from it must build: an exception there would
// stop a host's transmission loop.
template <class Build>
void CheckSentencesBuild(const char* What, Build&& BuildSentences) {
  try {
    BuildSentences();
  } catch (const std::exception& e) {
    Finding(std::string(What) + ": building sentences failed: " + typeid(e).name() + ": " + e.what());
  }
}

// Whether this input also goes through the save-and-reload check: a fixed one in 64 (by a
// hash of the input, so a finding reproduces). For files whose save is much larger than a small
// input (the satellite file always holds all 235 sections).
inline bool ChosenForRoundTrip(const std::uint8_t* Data, std::size_t Size) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (std::size_t i = 0; i < Size; ++i) hash = (hash ^ Data[i]) * 16777619u;
  return hash % 64 == 0;
}

// A file this library wrote must load back, and saving what it loaded must then be a fixed
// point: with s2 = Save(Load(Save(x))), Save(Load(s2)) == s2. (The first save may merge what the
// format cannot keep apart, such as route names that differ only in letter case.) Save may refuse
// x (a name an INI file cannot carry) with norv::Exception; that ends the check. Reloading starts
// from nothing but the file, so when s2 already equals the first save, s2 is the fixed point and
// the third pass is skipped (it would repeat the second on the same bytes).
template <class SaveFn, class ReloadFn>
void CheckSavedFileReloads(const char* What, SaveFn&& Save, ReloadFn&& ReloadAndSave) {
  const std::filesystem::path first = ScratchDir() / "saved-1.ini";
  const std::filesystem::path second = ScratchDir() / "saved-2.ini";
  const std::filesystem::path third = ScratchDir() / "saved-3.ini";
  if (!LoadsOrRefuses(What, [&] { Save(first); })) return;
  const auto reload = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
    try {
      ReloadAndSave(from, to);
    } catch (const Exception& e) {
      Finding(std::string(What) + ": a file saved by the library does not load and save again: " +
              e.Message());
    }
    return ReadScratchFile(to);
  };
  const std::string again = reload(first, second);
  if (again == ReadScratchFile(first)) return;
  if (reload(second, third) != again)
    Finding(std::string(What) + ": saving the reloaded file again gives other bytes");
}

}  // namespace norv::fuzz
