#pragma once
// Shared states and text helpers for the sentence tests (and the end-to-end test).
#include <string>
#include <vector>

#include "norv/NorvGPSSimulator.h"
#include "support/SeparatorGuard.h"

namespace norv::test {


inline void SetFixedTime(TNorvGPSSimulator& Sim, int Year, int Month, int Day, int Hour, int Min,
                         int Sec, int MSec) {
  Sim.SetUseSystemDateTime(false);
  Sim.SetUTCDateTime(EncodeDate(Year, Month, Day) + EncodeTime(Hour, Min, Sec, MSec));
}

// 5 March 2024 12:35:19.250 UTC near 48°07'N 11°31'E, moving; five GPS satellites (3, 7, 12,
// 19, 25) and GLONASS 70 active, no BeiDou.
inline void SetReferenceState(TNorvGPSSimulator& Sim) {
  SetFixedTime(Sim, 2024, 3, 5, 12, 35, 19, 250);
  Sim.SetLatDeg(48);
  Sim.SetLatMin(7);
  Sim.SetLatSec(2.4L);
  Sim.SetLatDir(cpNorth);
  Sim.SetLongDeg(11);
  Sim.SetLongMin(31);
  Sim.SetLongSec(15.3L);
  Sim.SetLongDir(cpEast);
  Sim.SetFixQuality(1);
  Sim.SetPDOP(1.8L);
  Sim.SetHDOP(0.9L);
  Sim.SetVDOP(1.5L);
  Sim.SetAltitude(545.4L);
  Sim.SetGeo_Height(46.9L);
  Sim.SetSpeed(12.5L);
  Sim.SetHeading(84.257L);
  Sim.SetMagneticHeading(81.5L);
  Sim.SetMagneticVariation(2.75L);
  Sim.SetMagnetic_Variation_Direction(cpEast);
  Sim.SetSatellite(3, true, 45, 120, 42, GpsSatellite);
  Sim.SetSatellite(7, true, 30, 45, 38, GpsSatellite);
  Sim.SetSatellite(12, true, 67, 300, 45, GpsSatellite);
  Sim.SetSatellite(19, true, 12, 210, 30, GpsSatellite);
  Sim.SetSatellite(25, true, 5, 15, 0, GpsSatellite);
  Sim.SetSatellite(70, true, 50, 80, 40, GlonassSatellite);
}

// A fresh component at 1 January 2025 00:00:00.000 with only GPS code 1 active.
inline void SetFreshState(TNorvGPSSimulator& Sim) {
  SetFixedTime(Sim, 2025, 1, 1, 0, 0, 0, 0);
  Sim.SetSatellite(1, true, 0, 0, 0, GpsSatellite);
}

// The sentences of a generator's result, each without its CR LF. A text that does not end
// in CR LF yields a last element holding the unterminated rest, so a test sees it.
inline std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < Text.size()) {
    const std::size_t end = Text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(Text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(Text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The comma-separated fields of one sentence, the "$--XXX" head first, the checksum dropped.
inline std::vector<std::string> Fields(const std::string& Sentence) {
  const std::string body = Sentence.substr(0, Sentence.find('*'));
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = body.find(',', start);
    fields.push_back(body.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

}  // namespace norv::test
