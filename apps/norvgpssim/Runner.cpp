#include "Runner.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "CalendarRange.h"
#include "Clock.h"
#include "EventPlayer.h"
#include "ExitCodes.h"
#include "Motion.h"
#include "MovingSky.h"
#include "Output.h"
#include "Profile.h"
#include "PtyOutput.h"
#include "Scenario.h"
#include "SerialOutput.h"
#include "Signals.h"
#include "StatusLine.h"
#include "StdoutOutput.h"
#include "TcpOutput.h"
#include "Timeline.h"
#include "TimeText.h"
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/MessageDialog.h"
#include "norv/framework/PropertyText.h"

namespace norvgpssim {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr unsigned long kEpochTimerSlackNs = 1000;
constexpr int kMaxLikelyKnots = 1000;

std::string PositionText(const norv::TNorvGPSSimulator& sim) {
  const long double lat = sim.GetLatitudeAsDecimalDegrees(), lon = sim.GetLongitudeAsDecimalDegrees();
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6f%c %.6f%c", static_cast<double>(std::fabs(lat)),
                lat < 0 ? 'S' : 'N', static_cast<double>(std::fabs(lon)), lon < 0 ? 'W' : 'E');
  return buf;
}

// The number of epochs --count and --duration allow (the smaller), or none.
std::optional<std::uint64_t> EpochLimit(const RunOptions& o) {
  std::optional<std::uint64_t> limit = o.count;
  if (o.durationSeconds) {
    const auto byDuration =
        static_cast<std::uint64_t>(std::ceil(*o.durationSeconds * o.rateHz - 1e-9));
    limit = limit ? std::min(*limit, byDuration) : byDuration;
  }
  return limit;
}

class Simulation {
 public:
  explicit Simulation(const RunOptions& o) : FOptions(o), FStatus(o.status) {
    // A refused scenario value is reported with its file and line by the scenario loader; the
    // component's own message box would only repeat it.
    norv::SetMessageDialogHandler([](const std::string&) {});
    // Checked before any output; without a start time the run starts at the next whole second.
    const std::int64_t firstMs = o.startUnixMs.value_or(
        o.deterministic ? kDeterministicStartUnixMs : NextWholeSecond().unixMs);
    CheckRunInCalendar(EpochSchedule(firstMs, o.rateHz), EpochLimit(o));
    FMotion.emplace(FSim, LoadScenario(FSim, o.scenario, o.strict));
    CheckSpeed(FSim.Speed());
    if (const SkySettings sky = LoadSkySettings(o.scenario); sky.orbits) FSky.emplace(FSim, sky.sky);
    if (!FSky && FSim.GetActiveSatellitesCount() == 0)
      Note("the scenario has no active satellite: no sentence is sent until one is active");
    if (o.commands) FSim.SetCommands(*o.commands);
    FProfile = ChooseProfile(o);
    StartEvents();
    FSim.SetUseSystemDateTime(false);  // every sentence of an epoch carries the epoch's instant
    if (o.deterministic && !EpochLimit(o))
      Note("--deterministic without --count or --duration runs unpaced until stopped");
    OpenOutputs();
  }

  int Run() {
    const std::optional<std::uint64_t> limit = EpochLimit(FOptions);
    std::optional<WallPacer> pacer;
    std::int64_t start = FOptions.startUnixMs.value_or(kDeterministicStartUnixMs);
    if (!FOptions.deterministic) {
      const WholeSecond first = NextWholeSecond();
      if (!FOptions.startUnixMs) start = first.unixMs;
      pacer.emplace(first.steady, FOptions.rateHz, FOptions.timeScale);
      // The kernel may let this thread's timers fire up to its timer slack late (50 us by
      // default) to save wake-ups; an epoch should start on its deadline instead.
      ::prctl(PR_SET_TIMERSLACK, kEpochTimerSlackNs);
    }
    const EpochSchedule schedule(start, FOptions.rateHz);
    CheckLine(schedule.InstantMs(0));
    for (std::uint64_t k = 0; !limit || k < *limit; ++k) {
      if (!InCalendar(schedule.InstantMs(k))) {
        Note("the clock has reached the end of the calendar: stopping");
        break;
      }
      // Built before its deadline, so that the line gets it on the second; nothing changes the
      // state while the loop waits.
      const double t = static_cast<double>(schedule.InstantMs(k) - start) / 1000;
      FEvents->Fire(t, start, FSim, *FMotion, FProfile);
      FSim.SetUTCDateTime(UnixMsToDateTime(schedule.InstantMs(k) + FEvents->ClockOffsetMs()));
      if (FSky) FSky->Apply(FSim.UTCDateTime());
      FEvents->HoldFix(t, FSim, !FSky);
      const std::string text = FEvents->Faults().Apply(EpochText(FSim, FProfile), t);
      if (!WaitForEpoch(pacer ? std::optional(pacer->Deadline(k)) : std::nullopt)) break;
      if (!text.empty() && !Emit(text)) break;
      if (pacer) WarnIfBehind(pacer->Deadline(k + 1));
      ShowStatus(k, schedule.InstantMs(k));
      FMotion->Advance(schedule.StepSeconds(k));
    }
    return kExitOk;
  }

 private:
  // The scenario's timeline, checked whole before any output, and the command line's faults.
  void StartEvents() {
    Timeline timeline = FOptions.scenario ? ReadTimeline(*FOptions.scenario) : Timeline{};
    CheckTimeline(timeline, FOptions.scenario, FSky.has_value());
    const std::uint64_t seed = FOptions.seed.value_or(timeline.seed.value_or(1));
    FEvents.emplace(std::move(timeline), seed, FOptions.faults, FOptions.logEvents);
  }

  void OpenOutputs() {
    const RunOptions& o = FOptions;
    if (o.port) {
      FOutputs.push_back(std::make_unique<SerialOutput>(FSim, *o.port, o.baud, o.background));
      Note("transmitting on " + *o.port + " at " + std::to_string(o.baud) + " baud" +
           (o.background ? " (sender thread)" : ""));
    }
    if (o.pty) {
      auto pty = std::make_unique<PtyOutput>(o.ptyLink, !o.deterministic);
      Note("pseudo-terminal " + pty->DevicePath() +
           (o.ptyLink.empty() ? "" : " (symlink " + o.ptyLink + ")"));
      FOutputs.push_back(std::move(pty));
    }
    if (o.tcpPort) {
      auto tcp = std::make_unique<TcpOutput>(o.bindAddress, *o.tcpPort, o.maxClients);
      Note("TCP server on " + tcp->Endpoint());
      FOutputs.push_back(std::move(tcp));
    }
    if (o.toStdout) {
      FStdoutIsTerminal = ::isatty(STDOUT_FILENO) == 1;
      FOutputs.push_back(std::make_unique<StdoutOutput>());
    }
  }

  // Waits until the deadline (none: no pacing) while serving the outputs' clients. False when
  // a stop was requested.
  bool WaitForEpoch(std::optional<SteadyClock::time_point> deadline) {
    do {
      const timespec timeout = deadline ? PollTimeout(*deadline, SteadyClock::now()) : timespec{};
      std::vector<pollfd> fds{{FSignals.WakeFd(), POLLIN, 0}};
      for (const auto& out : FOutputs) out->AddPollFds(fds);
      const int ready = ::ppoll(fds.data(), fds.size(), &timeout, nullptr);
      if (FSignals.Requested()) return false;
      if (ready > 0)
        for (const auto& out : FOutputs) out->HandlePoll(fds);
    } while (deadline && SteadyClock::now() < *deadline);
    return !FSignals.Requested();
  }

  // Writes the epoch to every output; false when none is left (stdout's reader went away).
  bool Emit(const std::string& text) {
    if (FStdoutIsTerminal) FStatus.Clear();  // keep the status line below the sentences
    for (const auto& out : FOutputs) out->WriteEpoch(text);
    std::erase_if(FOutputs, [](const auto& out) { return out->Finished(); });
    return !FOutputs.empty();
  }

  void ShowStatus(std::uint64_t epoch, std::int64_t instantMs) {
    if (!FStatus.Active()) return;
    StatusFields f;
    f.epoch = epoch + 1;
    f.unixMs = instantMs;
    f.position = PositionText(FSim);
    f.satellites = FSim.GetActiveSatellitesCount();
    f.event = FEvents->LastEvent();
    for (const auto& out : FOutputs) {
      f.bytesSent += out->BytesSent();
      f.bytesDropped += out->BytesDropped();
      if (out->Clients() >= 0) f.clients = std::max(f.clients, 0) + out->Clients();
    }
    FStatus.Update(f);
  }

  // The writes of an epoch took longer than the time to the next one: say so once.
  void WarnIfBehind(SteadyClock::time_point nextDeadline) {
    if (FWarnedBehind || SteadyClock::now() <= nextDeadline) return;
    FWarnedBehind = true;
    Note("falling behind the epoch rate: an output takes longer than an epoch (lower "
         "--time-scale or --rate, fewer --commands or a faster --baud)");
  }

  // A serial line too slow for an epoch of the chosen profile: said before the first epoch.
  // The line runs on the wall clock: --time-scale multiplies the epochs it must carry.
  void CheckLine(std::int64_t firstInstantMs) {
    if (!FOptions.port) return;
    FSim.SetUTCDateTime(UnixMsToDateTime(firstInstantMs));
    const double epochsPerSecond = FOptions.rateHz * FOptions.timeScale;
    const std::string shortfall =
        LineShortfall(EpochText(FSim, FProfile).size(), epochsPerSecond, FOptions.baud);
    if (!shortfall.empty()) Note(*FOptions.port + ": " + shortfall);
  }

  // A negative speed would move the vessel backwards; one above any vessel's is likely a typo.
  void CheckSpeed(long double knots) {
    if (knots < 0)
      throw CliError(kExitScenario, "Speed " + norv::FormatReal(knots) +
                                        ": a negative speed is refused (give the heading instead)");
    if (knots > kMaxLikelyKnots)
      Note("warning: Speed " + norv::FormatReal(knots) + " knots is above " +
           std::to_string(kMaxLikelyKnots) + " knots");
  }

  void Note(const std::string& text) {
    FStatus.Clear();
    std::cerr << "norvgpssim: " << text << '\n';
  }

  const RunOptions& FOptions;
  norv::TNorvGPSSimulator FSim;
  std::optional<Motion> FMotion;
  ProfileSettings FProfile;
  std::optional<MovingSky> FSky;  // [Sky] Model=orbits
  std::optional<EventPlayer> FEvents;
  StopSignals FSignals;
  StatusLine FStatus;
  // Declared after the component: closed (port disconnected, link removed) before it goes.
  std::vector<std::unique_ptr<Output>> FOutputs;
  bool FStdoutIsTerminal = false;
  bool FWarnedBehind = false;
};

}  // namespace

int RunSimulator(const RunOptions& options) {
  Simulation simulation(options);
  return simulation.Run();
}

}  // namespace norvgpssim
