// norvgpssim with [Sky] Model=orbits: the sentences of each epoch agree with one another (GSA's
// DOPs are those of the satellites it lists, at the angles GSV shows), the sky moves, and a
// sky without four satellites gives no fix.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include "e2e/NmeaText.h"
#include "support/CliProcess.h"
#include "support/TempDir.h"

namespace norv {
namespace {

const std::string kMovingSky = NORV_SOURCE_DIR "/examples/moving-sky.ini";

struct Epoch {
  std::vector<int> listed;                         // GPGSA's codes
  std::array<double, 3> dops{};                    // PDOP, HDOP, VDOP
  std::map<int, std::pair<double, double>> angles; // code -> elevation, azimuth from GSV
  std::string fixQuality;
};

// The epochs of a run, one per GPGSA (GSA comes before GSV in each).
std::vector<Epoch> Epochs(const std::string& text) {
  std::vector<Epoch> epochs;
  for (const std::string& s : test::SplitSentences(text)) {
    const auto f = test::SentenceFields(s);
    if (f[0] == "GPGGA") {
      epochs.emplace_back();
      epochs.back().fixQuality = f[6];
    } else if (f[0] == "GPGSA") {
      for (std::size_t i = 3; i < 15; ++i)
        if (!f[i].empty()) epochs.back().listed.push_back(std::stoi(f[i]));
      for (std::size_t i = 0; i < 3; ++i) epochs.back().dops[i] = std::stod(f[15 + i]);
    } else if (test::SentenceKind(s) == "GSV") {
      for (std::size_t i = 4; i + 3 < f.size(); i += 4)
        epochs.back().angles[std::stoi(f[i])] = {std::stod(f[i + 1]), std::stod(f[i + 2])};
    }
  }
  return epochs;
}

using Matrix4 = std::array<std::array<double, 4>, 4>;

// The determinant of N without row R and column C.
double Minor(const Matrix4& n, int r, int c) {
  int rows[3], cols[3];
  for (int i = 0, k = 0, l = 0; i < 4; ++i) {
    if (i != r) rows[k++] = i;
    if (i != c) cols[l++] = i;
  }
  const auto m = [&](int i, int j) { return n[rows[i]][cols[j]]; };
  return m(0, 0) * (m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1)) -
         m(0, 1) * (m(1, 0) * m(2, 2) - m(1, 2) * m(2, 0)) +
         m(0, 2) * (m(1, 0) * m(2, 1) - m(1, 1) * m(2, 0));
}

// PDOP, HDOP, VDOP by least squares: rows (cos e sin a, cos e cos a, sin e, 1); the diagonal of
// the normal matrix's inverse by cofactors.
std::array<double, 3> RecomputedDops(const std::vector<std::pair<double, double>>& elAz) {
  Matrix4 n{};
  for (const auto& [el, az] : elAz) {
    const double e = el * std::numbers::pi / 180, a = az * std::numbers::pi / 180;
    const double row[4] = {std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e), 1};
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) n[r][c] += row[r] * row[c];
  }
  double det = 0;
  for (int c = 0; c < 4; ++c) det += (c % 2 == 0 ? 1 : -1) * n[0][c] * Minor(n, 0, c);
  const double qe = Minor(n, 0, 0) / det, qn = Minor(n, 1, 1) / det, qu = Minor(n, 2, 2) / det;
  return {std::sqrt(qe + qn + qu), std::sqrt(qe + qn), std::sqrt(qu)};
}

test::CliResult RunSky(const std::vector<std::string>& extra) {
  std::vector<std::string> args{"--deterministic", "--rate", "0.01", "--commands", "GGA,GSA,GSV"};
  args.insert(args.end(), extra.begin(), extra.end());
  return test::RunCli(args);
}

TEST(CliMovingSky, GsaDopsAreThoseOfTheListedSatellitesAtTheirGsvAngles) {
  const auto run = RunSky({"--scenario", kMovingSky, "--count", "40"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<Epoch> epochs = Epochs(run.out);
  ASSERT_EQ(epochs.size(), 40u);
  for (const Epoch& e : epochs) {
    ASSERT_EQ(e.listed.size(), 12u);
    std::vector<std::pair<double, double>> elAz;
    for (int code : e.listed) elAz.push_back(e.angles.at(code));
    const auto dops = RecomputedDops(elAz);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(e.dops[i], dops[i], 0.0051) << "DOP " << i;
    EXPECT_EQ(e.fixQuality, "1");
  }
}

// Over 4000 s the elevations change from epoch to epoch and satellites rise and set.
TEST(CliMovingSky, SatellitesMoveRiseAndSet) {
  const auto run = RunSky({"--scenario", kMovingSky, "--count", "40"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<Epoch> epochs = Epochs(run.out);
  ASSERT_FALSE(epochs.empty());
  std::set<int> everSeen, alwaysSeen;
  for (const auto& [code, angle] : epochs[0].angles) alwaysSeen.insert(code);
  for (std::size_t k = 1; k < epochs.size(); ++k) {
    EXPECT_NE(epochs[k].angles, epochs[k - 1].angles) << "epoch " << k;
    std::set<int> now;
    for (const auto& [code, angle] : epochs[k].angles) now.insert(code), everSeen.insert(code);
    std::erase_if(alwaysSeen, [&](int code) { return !now.contains(code); });
  }
  EXPECT_GT(everSeen.size(), alwaysSeen.size() + 5);
  EXPECT_EQ(RunSky({"--scenario", kMovingSky, "--count", "40"}).out, run.out);
}

TEST(CliMovingSky, NoFixBelowFourSatellites) {
  test::TempDir dir("moving-sky");
  const auto scenario = dir.Write("high.ini", "[Sky]\nModel=orbits\nElevationMask=70\nSystems=GPS\n");
  const auto run = RunSky({"--scenario", scenario.string(), "--count", "1"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<Epoch> epochs = Epochs(run.out);
  ASSERT_EQ(epochs.size(), 1u);
  EXPECT_EQ(epochs[0].fixQuality, "0");
  for (double dop : epochs[0].dops) EXPECT_EQ(dop, 99.9);
}

TEST(CliMovingSky, BadSkyValuesNameTheirPlace) {
  test::TempDir dir("moving-sky");
  for (const std::string line : {"Model=orbit", "ElevationMask=91", "Systems=GPS,Galileo",
                                  "Seed=-1", "Mask=5"}) {
    const auto scenario = dir.Write("bad.ini", "[Sky]\nModel=orbits\n" + line + "\n");
    const auto run = RunSky({"--scenario", scenario.string(), "--count", "1"});
    EXPECT_EQ(run.exitCode, 65) << line;
    EXPECT_NE(run.err.find("bad.ini:3: [Sky] "), std::string::npos) << run.err;
  }
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(CliMovingSky, SkyPlotDrawsTracksOnlyForAMovingSky) {
  test::TempDir dir("moving-sky");
  const auto plain = dir / "plain.svg", tracks = dir / "tracks.svg";
  const std::vector<std::string> plot{"skyplot", "--scenario", kMovingSky, "--time",
                                      "2024-03-01T12:00:00Z", "-o"};
  auto args = plot;
  args.push_back(plain.string());
  ASSERT_EQ(test::RunCli(args).exitCode, 0);
  args.back() = tracks.string();
  args.insert(args.end(), {"--tracks", "12"});
  ASSERT_EQ(test::RunCli(args).exitCode, 0);
  // A track is one path of many short lines; every used satellite has at least one.
  EXPECT_GT(Count(test::ReadWholeFile(tracks), "<path"),
            Count(test::ReadWholeFile(plain), "<path") + 20);
  const auto fixed = test::RunCli({"skyplot", "--scenario", NORV_SOURCE_DIR "/examples/survey-static.ini",
                                   "--tracks", "12", "-o", plain.string()});
  EXPECT_EQ(fixed.exitCode, 65) << fixed.err;
}

}  // namespace
}  // namespace norv
