#pragma once
// TNorvGPSSimulator: one simulated GPS receiver, a facade over its state record, its satellite
// table, its lists, its serial line and the sentence functions of nmea/.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "norv/Export.h"
#include "norv/framework/Color.h"
#include "norv/framework/Component.h"
#include "norv/framework/NMEACommands.h"
#include "norv/framework/Types.h"
#include "norv/model/ENorvNMEAException.h"
#include "norv/model/NorvTypes.h"
#include "norv/model/ReceiverState.h"
#include "norv/nmea/Nmea4Epoch.h"
#include "norv/satellites/SatelliteTable.h"

namespace norv {

namespace serial {
class TSerialLine;
}

class TWayPoints;
class TRoutes;
class TCanvas;
struct TReceiverView;

// A simulated GPS receiver: state, NMEA sentences, serial output, satellites, waypoints, routes.
class NORV_API TNorvGPSSimulator : public TComponent {
 public:
  explicit TNorvGPSSimulator(TComponent* AOwner = nullptr);
  ~TNorvGPSSimulator() override;

  // ---- Published properties (read: getter; write: the named setter) ----
  std::int32_t Latitude_Degree() const { return FState.Position.Latitude.Degree; }
  std::int32_t Latitude_Minute() const { return FState.Position.Latitude.Minute; }
  Extended Latitude_Second() const { return FState.Position.Latitude.Second; }
  TCardinalPoint Latitude_Direction() const { return FState.Position.Latitude.Direction; }
  std::int32_t Longitude_Degree() const { return FState.Position.Longitude.Degree; }
  std::int32_t Longitude_Minute() const { return FState.Position.Longitude.Minute; }
  Extended Longitude_Second() const { return FState.Position.Longitude.Second; }
  TCardinalPoint Longitude_Direction() const { return FState.Position.Longitude.Direction; }
  Extended Altitude() const { return FState.Altitude; }
  Extended Heading() const { return FState.Heading; }
  Extended Speed() const { return FState.Speed; }
  Extended PDOP() const { return FState.PDOP; }
  Extended HDOP() const { return FState.HDOP; }
  Extended VDOP() const { return FState.VDOP; }
  Extended Geo_Height() const { return FState.Geo_Height; }
  Extended Magnetic_Variation() const { return FState.Magnetic_Variation; }
  TCardinalPoint Magnetic_Variation_Direction() const { return FState.Magnetic_Variation_Direction; }
  Extended Magnetic_Heading() const { return FState.Magnetic_Heading; }
  TDateTime UTCDateTime() const { return FState.UTCDateTime; }
  TNMEACommands Commands() const { return FState.Commands; }
  bool UseSystemDateTime() const { return FState.UseSystemDateTime; }
  bool MessageAlert() const { return FMessageAlert; }
  std::int32_t FixQuality() const { return FState.FixQuality; }
  std::string Port() const;
  std::int32_t BaudRate() const;

  // Validating setters: a refused value shows the message (when MessageAlert is true) and then
  // raises ENorvNMEAException; the field keeps its value.
  void SetLatDeg(std::int32_t Value);
  void SetLatMin(std::int32_t Value);
  void SetLatSec(Extended Value);
  void SetLatDir(TCardinalPoint Value);
  void SetLongDeg(std::int32_t Value);
  void SetLongMin(std::int32_t Value);
  void SetLongSec(Extended Value);
  void SetLongDir(TCardinalPoint Value);
  void SetHeading(Extended Value);
  void SetMagneticHeading(Extended Value);
  void SetMagneticVariation(Extended Value);
  void SetMagnetic_Variation_Direction(TCardinalPoint Value);
  void SetHDOP(Extended Value);
  void SetVDOP(Extended Value);
  void SetPDOP(Extended Value);

  // These refuse only what no sentence can carry: a value that is not finite, a date outside
  // 0001-01-01 .. 9999-12-31.
  void SetAltitude(Extended Value);
  void SetSpeed(Extended Value);
  void SetGeo_Height(Extended Value);
  void SetUTCDateTime(TDateTime Value);

  // Plain setters: any value of the type is stored as given.
  void SetCommands(TNMEACommands Value) { FState.Commands = Value; }
  void SetUseSystemDateTime(bool Value) { FState.UseSystemDateTime = Value; }
  void SetMessageAlert(bool Value) { FMessageAlert = Value; }
  void SetFixQuality(std::int32_t Value) { FState.FixQuality = Value; }
  void SetPort(const std::string& Value);
  void SetBaudRate(std::int32_t Value);

  // ---- Public, not streamed ----
  double Version() const { return FVersion; }
  std::int32_t TotalSatellitesCount() const { return TSatelliteTable::kTotalSatellitesCount; }
  TWayPoints* WayPoints() const { return FWayPoints; }
  // Takes ownership of Value; the list held before is freed (unless it is Value itself).
  void SetWayPoints(TWayPoints* Value);
  TRoutes* Routes() const { return FRoutes; }
  // Takes ownership of Value; the list held before is freed (unless it is Value itself).
  void SetRoutes(TRoutes* Value);

  // ---- Conversions (computed in extended precision) ----
  Extended DMSToDecimalDegrees(std::int32_t Degree, std::int32_t Minute, Extended Second,
                               TCardinalPoint Direction) const;
  Extended DMSToRadians(std::int32_t Degree, std::int32_t Minute, Extended Second,
                        TCardinalPoint Direction) const;
  void LatitudeDecimalDegreesToDMS(Extended DecDegree, std::int32_t& Degree, std::int32_t& Minute,
                                   Extended& Second, TCardinalPoint& Direction) const;
  void LongitudeDecimalDegreesToDMS(Extended DecDegree, std::int32_t& Degree, std::int32_t& Minute,
                                    Extended& Second, TCardinalPoint& Direction) const;
  void DMSToDM(std::int32_t dmsDegree, std::int32_t dmsMinute, Extended dmsSecond,
               std::int32_t& Degree, Extended& Minute) const;
  void DMToDMS(std::int32_t dmDegree, Extended dmMinute, std::int32_t& Degree, std::int32_t& Minute,
               Extended& Second) const;
  Extended GetLatitudeAsDecimalDegrees() const;
  Extended GetLongitudeAsDecimalDegrees() const;
  Extended Distance_KM(std::int32_t Latitude_Degree1, std::int32_t Latitude_Minute1,
                       Extended Latitude_Second1, TCardinalPoint Latitude_Direction1,
                       std::int32_t Longitude_Degree1, std::int32_t Longitude_Minute1,
                       Extended Longitude_Second1, TCardinalPoint Longitude_Direction1,
                       std::int32_t Latitude_Degree2, std::int32_t Latitude_Minute2,
                       Extended Latitude_Second2, TCardinalPoint Latitude_Direction2,
                       std::int32_t Longitude_Degree2, std::int32_t Longitude_Minute2,
                       Extended Longitude_Second2, TCardinalPoint Longitude_Direction2) const;
  Extended KmToNauticalMiles(Extended pDist) const;
  Extended KmhToKnots(Extended pSpeed) const;
  Extended KnotsToKmh(Extended pSpeed) const;
  Extended KmToMiles(Extended pDist) const;
  Extended MilesToKm(Extended pDist) const;
  Extended FeetToMeters(Extended pDist) const;
  Extended MetersToFeet(Extended pDist) const;
  // Move the position by arc seconds, stopping at the equator/pole (prime meridian/180).
  void AddSecondsToLatitude(Extended seconds);
  void AddSecondsToLongitude(Extended seconds);

  // ---- NMEA sentences: one sentence per constellation with an active satellite ----
  std::string GetGPGGA() const;
  std::string GetGPGLL() const;
  std::string GetGPRMC() const;
  std::string GetGPVTG() const;
  std::string GetGPZDA() const;
  std::string GetGPGSA() const;
  std::string GetGPGSV() const;
  std::string GetGPWPL() const;
  std::string GetGPRTE() const;
  std::string GetGPAAM() const;
  // Every kind selected by Commands, in the order ZDA GGA GLL VTG RMC GSA GSV WPL RTE AAM.
  std::string GetNMEA() const;
  // The same kinds in the NMEA 0183 4.11 profile: one fix per epoch under Talker (GN, the
  // combined talker, or one system's, e.g. GP), GSA and GSV per system, every sentence within
  // TNmea4Epoch::kMaxSentenceLength. Raises ENorvNMEAException unless Talker is two capitals.
  TNmea4Epoch GetNMEA4(std::string_view Talker = "GN") const;

  // ---- Serial line: Boolean and count results, never an exception ----
  bool Connect(const std::string& SerialPortName, std::int32_t BaudRateValue);
  bool Connect(const std::string& SerialPortName);
  bool Connect();
  bool SetDCBState(std::int32_t BaudRateValue);
  bool IsConnected() const;
  void Disconnect();
  std::uint32_t Send(const std::string& str);
  std::string GetSerialPort() const;
  std::int32_t GetBaudRate() const;
  // The OS error text of the last serial operation that failed; empty after a success.
  std::string LastError() const;
  std::uint32_t Transmit();
  void TransmitOnNewThread();
  void SendOnNewThread(const std::string& str);

  // ---- Satellites ----
  void SetSatellite(std::uint16_t p_PseudoRandomCode, bool p_Active, std::int32_t p_Elevation,
                    std::int32_t p_Azimuth, std::int32_t p_SignalToNoiseRatio,
                    TSatelliteType p_SatelliteType);
  std::uint16_t GetActiveSatellitesCount() const;
  // The records stay the table's; the vector is the caller's.
  std::vector<TSatellite*> GetSatellitesList() const;
  void ResetSatellites();
  std::string SatelliteTypeToStr(TSatelliteType sat) const;
  TSatelliteType StrToSatelliteType(const std::string& sat) const;
  void SaveSatellitesToFile(const std::filesystem::path& FileName) const;
  void LoadSatellitesFromFile(const std::filesystem::path& FileName);
  void DrawSatellites(TCanvas& Canvas, std::int32_t Radius, TColor BrushColor,
                      TColor PenColor) const;

 protected:
  // ---- Internal operations (protected so that tests can reach them through a subclass) ----
  TDateTime GetUTCDateTime() const;
  std::vector<TSatellite*> GetActiveSatellitesList() const;
  std::vector<TSatellite*> GetActiveSatellitesListbyType(TSatelliteType t) const;

  // Field texts of the current state.
  std::string GetLatitudeStr() const;
  std::string GetLongitudeStr() const;
  std::string GetUTCDateStr() const;
  std::string GetCommaSeparatedUTCDateStr() const;
  std::string GetUTCTimeStr() const;
  std::string GetMagneticVariationDirectionStr() const;

 private:
  // Shows Msg when MessageAlert is true, then raises ENorvNMEAException(Msg).
  [[noreturn]] void Refuse(const std::string& Msg) const;

  // What the sentence functions read: the state, the satellites and the lists.
  TReceiverView View() const;

  TReceiverState FState;
  TSatelliteTable FSatelliteTable;
  TWayPoints* FWayPoints = nullptr;  // owned
  TRoutes* FRoutes = nullptr;        // owned
  bool FMessageAlert = false;
  double FVersion = 2.01;
  // The port, its rate, last error and background sender; closed and joined by the destructor.
  std::unique_ptr<serial::TSerialLine> FLine;
};

}  // namespace norv
