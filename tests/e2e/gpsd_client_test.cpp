// End to end with a real NMEA client: the sentences of a multi-constellation state go through a
// pseudo-terminal into gpsd, and gpsd's JSON reports (read with gpspipe) must show the state.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <set>

#include "support/ChildProcess.h"
#include "support/LoopbackPorts.h"
#include "e2e/GpsdJson.h"
#include "nmea/SentenceTestSupport.h"
#include "support/Pseudoterminal.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::AcceptsConnections;
using test::FreeLoopbackPort;

constexpr int kEpochs = 5;
constexpr double kMetresPerSecondPerKnot = 0.514444;

// Closes the descriptor when the test ends.
struct TFd {
  int fd = -1;
  ~TFd() {
    if (fd >= 0) ::close(fd);
  }
};

// Where gpsd 3.22 puts a satellite in its SKY report. GPS keeps its number. GLONASS keeps
// its NMEA number 65-96 as "PRN" and counts 1-32 in "svid". BeiDou's NMEA 201-235 become
// "PRN" 401-435, with "svid" 1-35.
struct TGpsdSatelliteId {
  int prn, gnssid, svid;
};

TGpsdSatelliteId GpsdIdOf(const TSatellite& Satellite) {
  const int code = Satellite.PseudoRandomCode();
  switch (Satellite.SatelliteType()) {
    case GlonassSatellite: return {code, 6, code - 64};
    case BeidouSatellite: return {code + 200, 3, code - 200};
    default: return {code, 0, code};
  }
}

class GpsdClient : public ::testing::Test {
 protected:
  void SetUp() override {
    FGpsd = test::FindProgram("gpsd");
    if (FGpsd.empty())
      GTEST_SKIP() << "gpsd is not installed (Debian package gpsd, installed by scripts/setup.sh)";
    FGpspipe = test::FindProgram("gpspipe");
    ASSERT_FALSE(FGpspipe.empty()) << "gpspipe is missing (Debian package gpsd-clients)";
    FLine.emplace(test::Pseudoterminal::SlaveEnd::Held, test::Pseudoterminal::LineMode::Raw);
    FSlavePath = FLine->Path();
    ::chmod(FSlavePath.c_str(), 0666);  // gpsd may drop its privileges before it opens the device

    test::SetReferenceState(FSim);  // GPS 3 7 12 19 25, GLONASS 70
    FSim.SetSatellite(71, true, 60, 190, 39, GlonassSatellite);
    FSim.SetSatellite(201, true, 33, 250, 44, BeidouSatellite);
    FSim.SetSatellite(205, true, 21, 10, 28, BeidouSatellite);
  }

  void TearDown() override {
    FPipeProcess.Stop();
    FGpsdProcess.Stop();
  }

  // Starts gpsd on the slave side, then gpspipe on its port, and waits until gpspipe watches.
  void StartGpsd() {
    const int port = FreeLoopbackPort();
    ASSERT_GT(port, 0);
    ASSERT_TRUE(FGpsdProcess.Start(
        {FGpsd, "-N", "-n", "-b", "-S", std::to_string(port), FSlavePath}, -1,
        FLogDir / "gpsd.log"));
    const auto deadline = Clock::now() + 5s;
    while (!AcceptsConnections(port)) {
      ASSERT_TRUE(FGpsdProcess.Running())
          << "gpsd exited: " << test::ReadWholeFile(FLogDir / "gpsd.log");
      ASSERT_LT(Clock::now(), deadline) << "gpsd does not listen on port " << port;
      std::this_thread::sleep_for(50ms);
    }
    int pipeFds[2];
    ASSERT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
    FJson.fd = pipeFds[0];
    TFd writeEnd{pipeFds[1]};
    ASSERT_TRUE(FPipeProcess.Start({FGpspipe, "-w", "localhost:" + std::to_string(port)},
                                   writeEnd.fd, FLogDir / "gpspipe.log"));
    ASSERT_TRUE(ReadUntil([this] { return !ReportsOf("WATCH").empty(); }, 5s))
        << "gpspipe did not start watching: " << test::ReadWholeFile(FLogDir / "gpspipe.log");
  }

  // Collects gpspipe's lines until Done() holds or the time is up.
  bool ReadUntil(const std::function<bool()>& Done, Clock::duration Timeout) {
    const auto deadline = Clock::now() + Timeout;
    for (auto now = Clock::now(); !Done(); now = Clock::now()) {
      if (now >= deadline) return false;
      pollfd p{FJson.fd, POLLIN, 0};
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
      if (::poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
      char buf[4096];
      const ssize_t n = ::read(FJson.fd, buf, sizeof buf);
      if (n <= 0) return false;
      test::TakeLines(FPending, FReports, buf, static_cast<std::size_t>(n));
    }
    return true;
  }

  // True once a TPV of the given time has come, followed by a SKY with Satellites entries.
  bool EpochReported(const std::string& Time, std::size_t Satellites) const {
    bool fix = false;
    for (const auto& r : FReports) {
      fix = fix || (test::IsClass(r, "TPV") && test::StringField(r, "time") == Time);
      if (fix && test::IsClass(r, "SKY") && test::SatelliteObjects(r).size() == Satellites)
        return true;
    }
    return false;
  }

  void WriteToReceiverLine(const std::string& Text) {
    std::size_t written = 0;
    const auto deadline = Clock::now() + 2s;
    while (written < Text.size()) {
      ASSERT_LT(Clock::now(), deadline) << "gpsd stopped reading the pseudo-terminal";
      const ssize_t n = ::write(FLine->Master(), Text.data() + written, Text.size() - written);
      if (n > 0) {
        written += static_cast<std::size_t>(n);
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        FAIL() << "write to the pseudo-terminal: " << std::strerror(errno);
      } else {
        pollfd p{FLine->Master(), POLLOUT, 0};
        ::poll(&p, 1, 50);
      }
    }
  }

  std::string EpochText(int Epoch) {
    FSim.SetUTCDateTime(EncodeDate(2024, 3, 5) + EncodeTime(12, 35, 19 + Epoch, 250));
    return FSim.GetGPZDA() + FSim.GetGPGGA() + FSim.GetGPGLL() + FSim.GetGPVTG() +
           FSim.GetGPRMC() + FSim.GetGPGSA() + FSim.GetGPGSV();
  }

  static std::string EpochTime(int Epoch) {
    char text[32];
    std::snprintf(text, sizeof text, "2024-03-05T12:35:%02d.250Z", 19 + Epoch);
    return text;
  }

  std::vector<std::string> ReportsOf(const std::string& Class) const {
    std::vector<std::string> out;
    for (const auto& r : FReports)
      if (test::IsClass(r, Class)) out.push_back(r);
    return out;
  }

  TNorvGPSSimulator FSim;
  std::string FGpsd, FGpspipe, FSlavePath;
  test::TempDir FLogDir{"gpsd"};
  std::optional<test::Pseudoterminal> FLine;
  TFd FJson;
  std::string FPending;
  std::vector<std::string> FReports;
  test::TChildProcess FGpsdProcess, FPipeProcess;  // declared last: stopped before fds close
};

TEST_F(GpsdClient, ReportsPositionMotionTimeAndSatellites) {
  ASSERT_NO_FATAL_FAILURE(StartGpsd());
  for (int epoch = 0; epoch < kEpochs; ++epoch) {
    ASSERT_NO_FATAL_FAILURE(WriteToReceiverLine(EpochText(epoch)));
    ReadUntil([] { return false; }, 1s);  // one epoch a second, as a receiver sends them
  }
  const std::string lastTime = EpochTime(kEpochs - 1);
  const std::size_t activeCount = FSim.GetActiveSatellitesCount();
  ReadUntil([&] { return EpochReported(lastTime, activeCount); }, 3s);
  EXPECT_TRUE(FGpsdProcess.Running()) << test::ReadWholeFile(FLogDir / "gpsd.log");

  const auto tpvs = ReportsOf("TPV");
  ASSERT_FALSE(tpvs.empty()) << "gpsd reported no fix; gpsd log: "
                             << test::ReadWholeFile(FLogDir / "gpsd.log");
  const std::string& fix = tpvs.back();
  EXPECT_EQ(test::NumberField(fix, "mode"), 3) << fix;
  EXPECT_NEAR(test::NumberField(fix, "lat").value_or(0), 48 + 7 / 60.0 + 2.4 / 3600, 1e-7) << fix;
  EXPECT_NEAR(test::NumberField(fix, "lon").value_or(0), 11 + 31 / 60.0 + 15.3 / 3600, 1e-7);
  EXPECT_NEAR(test::NumberField(fix, "altMSL").value_or(0), 545.4, 1e-3) << fix;
  EXPECT_NEAR(test::NumberField(fix, "geoidSep").value_or(0), 46.9, 1e-3) << fix;
  EXPECT_NEAR(test::NumberField(fix, "speed").value_or(0), 12.5 * kMetresPerSecondPerKnot, 1e-3);
  // VTG carries 84.257, RMC 84.26; either is the course that was set.
  EXPECT_NEAR(test::NumberField(fix, "track").value_or(0), 84.257, 0.005) << fix;
  EXPECT_NEAR(test::NumberField(fix, "magtrack").value_or(0), 81.5, 1e-3) << fix;

  std::set<std::string> sent, seen;
  for (int epoch = 0; epoch < kEpochs; ++epoch) sent.insert(EpochTime(epoch));
  for (const auto& tpv : tpvs) seen.insert(test::StringField(tpv, "time").value_or("no time"));
  for (const auto& t : seen) EXPECT_TRUE(sent.count(t)) << "time not sent: " << t;
  EXPECT_TRUE(seen.count(lastTime)) << "the last epoch was not reported";
  EXPECT_GE(seen.size(), std::size_t(kEpochs - 2)) << "gpsd missed most epochs";

  const auto skies = ReportsOf("SKY");
  ASSERT_FALSE(skies.empty()) << "gpsd reported no satellites";
  const std::string& sky = skies.back();
  EXPECT_NEAR(test::NumberField(sky, "pdop").value_or(0), 1.8, 1e-3) << sky;
  EXPECT_NEAR(test::NumberField(sky, "hdop").value_or(0), 0.9, 1e-3) << sky;
  EXPECT_NEAR(test::NumberField(sky, "vdop").value_or(0), 1.5, 1e-3) << sky;
  const auto reported = test::SatelliteObjects(sky);
  const auto active = FSim.GetSatellitesList();
  for (const TSatellite* s : active) {
    if (!s->Active()) continue;
    const TGpsdSatelliteId id = GpsdIdOf(*s);
    SCOPED_TRACE("satellite " + std::to_string(s->PseudoRandomCode()));
    std::string match;
    for (const auto& r : reported)
      if (test::NumberField(r, "gnssid") == id.gnssid && test::NumberField(r, "svid") == id.svid)
        match = r;
    ASSERT_FALSE(match.empty()) << sky;
    EXPECT_EQ(test::NumberField(match, "PRN"), id.prn) << match;
    EXPECT_EQ(test::NumberField(match, "el"), s->Elevation()) << match;
    EXPECT_EQ(test::NumberField(match, "az"), s->Azimuth()) << match;
    EXPECT_EQ(test::NumberField(match, "ss"), s->SignalToNoiseRatio()) << match;
    // gpsd counts a satellite without signal as unused, whatever GSA lists.
    if (s->SignalToNoiseRatio() > 0) {
      EXPECT_NE(match.find("\"used\":true"), std::string::npos) << match;
    }
  }
  EXPECT_EQ(reported.size(), activeCount) << sky;
}

}  // namespace
}  // namespace norv
