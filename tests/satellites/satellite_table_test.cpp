#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "norv/framework/MessageDialog.h"
#include "norv/satellites/Satellite.h"
#include "support/SimulatorProbe.h"

namespace norv {
namespace {

using test::SimulatorProbe;

std::vector<int> Codes(const std::vector<TSatellite*>& list) {
  std::vector<int> codes;
  for (auto* s : list) codes.push_back(s->PseudoRandomCode());
  return codes;
}

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ENorvNMEAException& e) {
    return e.Message();
  }
  return "(no exception)";
}

TEST(SatelliteTable, FreshTableHas235InactiveGpsSatellites) {
  SimulatorProbe sim;
  const auto all = sim.GetSatellitesList();
  ASSERT_EQ(all.size(), 235u);
  for (int i = 0; i < 235; ++i) {
    EXPECT_EQ(all[i]->PseudoRandomCode(), i + 1);
    EXPECT_FALSE(all[i]->Active());
    EXPECT_EQ(all[i]->SatelliteType(), GpsSatellite);
    EXPECT_EQ(all[i]->Elevation() + all[i]->Azimuth() + all[i]->SignalToNoiseRatio(), 0);
  }
  EXPECT_EQ(sim.GetActiveSatellitesCount(), 0);
  EXPECT_TRUE(sim.GetActiveSatellitesList().empty());
  for (auto t : {GpsSatellite, GlonassSatellite, BeidouSatellite})
    EXPECT_TRUE(sim.GetActiveSatellitesListbyType(t).empty());
}

TEST(SatelliteTable, SetSatelliteChecksInOrderBeforeChangingAnything) {
  struct Case {
    int code, elevation, azimuth, snr;
    const char* message;
  };
  const Case refused[] = {
      {0, 10, 10, 10, "PseudoRandomCode must be between 1 and 235."},
      {236, 10, 10, 10, "PseudoRandomCode must be between 1 and 235."},
      {0, 91, 360, 100, "PseudoRandomCode must be between 1 and 235."},
      {5, 91, 10, 10, "Elevation must be between 0 and 90."},
      {5, -1, 10, 10, "Elevation must be between 0 and 90."},
      {5, 91, 360, 10, "Elevation must be between 0 and 90."},
      {5, 10, 360, 10, "Azimuth must be between 0 and 360."},
      {5, 10, -1, 100, "Azimuth must be between 0 and 360."},
      {5, 10, 10, 100, "SignalToNoiseRatio must be between 0 and 99."},
      {5, 10, 10, -1, "SignalToNoiseRatio must be between 0 and 99."},
  };
  SimulatorProbe sim;
  sim.SetMessageAlert(true);
  int dialogs = 0;
  SetMessageDialogHandler([&](const std::string&) { ++dialogs; });
  sim.SetSatellite(5, false, 1, 2, 3, GlonassSatellite);
  for (const auto& c : refused) {
    EXPECT_EQ(MessageOf([&] {
                sim.SetSatellite(static_cast<std::uint16_t>(c.code), true, c.elevation, c.azimuth,
                                 c.snr, BeidouSatellite);
              }),
              c.message);
    const TSatellite* s = sim.GetSatellitesList()[4];
    EXPECT_FALSE(s->Active());
    EXPECT_EQ(s->Elevation(), 1);
    EXPECT_EQ(s->Azimuth(), 2);
    EXPECT_EQ(s->SignalToNoiseRatio(), 3);
    EXPECT_EQ(s->SatelliteType(), GlonassSatellite);
  }
  EXPECT_EQ(dialogs, 0);  // SetSatellite never shows a dialog
  SetMessageDialogHandler(nullptr);

  sim.SetSatellite(1, true, 90, 359, 99, GpsSatellite);
  sim.SetSatellite(235, true, 0, 0, 0, BeidouSatellite);
  EXPECT_EQ(sim.GetActiveSatellitesCount(), 2);
}

TEST(SatelliteTable, RecordSettersValidateAlone) {
  TSatellite s(9);
  s.SetElevation(90);
  s.SetAzimuth(359);
  s.SetSignalToNoiseRatio(99);
  EXPECT_EQ(MessageOf([&] { s.SetElevation(91); }), "Elevation must be between 0 and 90.");
  EXPECT_EQ(MessageOf([&] { s.SetAzimuth(360); }), "Azimuth must be between 0 and 360.");
  EXPECT_EQ(MessageOf([&] { s.SetSignalToNoiseRatio(100); }),
            "SignalToNoiseRatio must be between 0 and 99.");
  EXPECT_EQ(s.Elevation(), 90);
  EXPECT_EQ(s.Azimuth(), 359);
  EXPECT_EQ(s.SignalToNoiseRatio(), 99);
}

TEST(SatelliteTable, ListsFilterByActivityAndTypeInCodeOrder) {
  SimulatorProbe sim;
  sim.SetSatellite(70, true, 50, 80, 40, GlonassSatellite);
  sim.SetSatellite(3, true, 45, 120, 42, GpsSatellite);
  sim.SetSatellite(201, true, 5, 5, 5, BeidouSatellite);
  sim.SetSatellite(5, true, 45, 120, 40, GlonassSatellite);
  sim.SetSatellite(9, false, 10, 10, 10, GpsSatellite);
  EXPECT_EQ(Codes(sim.GetActiveSatellitesList()), (std::vector<int>{3, 5, 70, 201}));
  EXPECT_EQ(Codes(sim.GetActiveSatellitesListbyType(GlonassSatellite)), (std::vector<int>{5, 70}));
  EXPECT_EQ(Codes(sim.GetActiveSatellitesListbyType(GpsSatellite)), (std::vector<int>{3}));
  EXPECT_EQ(Codes(sim.GetActiveSatellitesListbyType(BeidouSatellite)), (std::vector<int>{201}));

  // Inactive satellites keep their values and come back unchanged.
  TSatellite* s70 = sim.GetSatellitesList()[69];
  s70->SetActive(false);
  EXPECT_EQ(Codes(sim.GetActiveSatellitesListbyType(GlonassSatellite)), (std::vector<int>{5}));
  s70->SetActive(true);
  EXPECT_EQ(s70->Elevation(), 50);
  EXPECT_EQ(s70->Azimuth(), 80);
  EXPECT_EQ(Codes(sim.GetActiveSatellitesListbyType(GlonassSatellite)), (std::vector<int>{5, 70}));
}

TEST(SatelliteTable, ResetKeepsTypesAndClearsValues) {
  SimulatorProbe sim;
  sim.SetSatellite(70, true, 50, 80, 40, GlonassSatellite);
  sim.SetSatellite(3, true, 45, 120, 42, BeidouSatellite);
  sim.ResetSatellites();
  EXPECT_EQ(sim.GetActiveSatellitesCount(), 0);
  for (auto* s : sim.GetSatellitesList())
    EXPECT_EQ(s->Elevation() + s->Azimuth() + s->SignalToNoiseRatio(), 0);
  EXPECT_EQ(sim.GetSatellitesList()[69]->SatelliteType(), GlonassSatellite);
  EXPECT_EQ(sim.GetSatellitesList()[2]->SatelliteType(), BeidouSatellite);
}

TEST(SatelliteTypeText, ConversionsAndTheirInverse) {
  TNorvGPSSimulator sim;
  struct Case {
    const char* text;
    TSatelliteType type;
  };
  const Case cases[] = {{"gl", GlonassSatellite},  {"Glonass", GlonassSatellite},
                        {"GLONASS", GlonassSatellite}, {"bd", BeidouSatellite},
                        {"BeiDou", BeidouSatellite},   {"GPS", GpsSatellite},
                        {"gps", GpsSatellite},         {"GP", GpsSatellite},
                        {"", GpsSatellite},            {" GL", GpsSatellite},
                        {"GLONASS ", GpsSatellite},    {"Galileo", GpsSatellite}};
  for (const auto& c : cases) EXPECT_EQ(sim.StrToSatelliteType(c.text), c.type) << c.text;
  EXPECT_EQ(sim.SatelliteTypeToStr(GpsSatellite), "GPS");
  EXPECT_EQ(sim.SatelliteTypeToStr(GlonassSatellite), "GLONASS");
  EXPECT_EQ(sim.SatelliteTypeToStr(BeidouSatellite), "Beidou");
  for (auto t : {GpsSatellite, GlonassSatellite, BeidouSatellite})
    EXPECT_EQ(sim.StrToSatelliteType(sim.SatelliteTypeToStr(t)), t);
}

}  // namespace
}  // namespace norv
