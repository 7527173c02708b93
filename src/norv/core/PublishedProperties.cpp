// The published properties of TNorvGPSSimulator in declaration order, with their declared
// defaults. Properties without a declared default are always stored (Default left empty).
#include "norv/core/PublishedProperties.h"

namespace norv {

namespace {

using K = TPropertyKind;

// Built on first use: loading the library creates no object of its own.
std::vector<TPropertyInfo> SimulatorProperties() {
  using S = TNorvGPSSimulator;
  const std::vector<std::string> dirs = {"cpNorth", "cpSouth", "cpEast", "cpWest"};
  const std::vector<std::string> commands = {"GPGLL", "GPGGA", "GPVTG", "GPRMC", "GPGSA",  "GPGSV",
                                             "GPZDA", "GPWPL", "GPRTE", "GPAAM", "AllNMEA"};
  return {
      MakeProperty("Latitude_Degree", K::Integer, &S::Latitude_Degree, &S::SetLatDeg),
      MakeProperty("Latitude_Minute", K::Integer, &S::Latitude_Minute, &S::SetLatMin),
      MakeProperty("Latitude_Second", K::Float, &S::Latitude_Second, &S::SetLatSec),
      MakeProperty("Latitude_Direction", K::Enumeration, &S::Latitude_Direction, &S::SetLatDir, {},
                   dirs),
      MakeProperty("Longitude_Degree", K::Integer, &S::Longitude_Degree, &S::SetLongDeg),
      MakeProperty("Longitude_Minute", K::Integer, &S::Longitude_Minute, &S::SetLongMin),
      MakeProperty("Longitude_Second", K::Float, &S::Longitude_Second, &S::SetLongSec),
      MakeProperty("Longitude_Direction", K::Enumeration, &S::Longitude_Direction, &S::SetLongDir,
                   {}, dirs),
      MakeProperty("Altitude", K::Float, &S::Altitude, &S::SetAltitude),
      MakeProperty("Heading", K::Float, &S::Heading, &S::SetHeading),
      MakeProperty("Speed", K::Float, &S::Speed, &S::SetSpeed),
      MakeProperty("PDOP", K::Float, &S::PDOP, &S::SetPDOP),
      MakeProperty("HDOP", K::Float, &S::HDOP, &S::SetHDOP),
      MakeProperty("VDOP", K::Float, &S::VDOP, &S::SetVDOP),
      MakeProperty("Geo_Height", K::Float, &S::Geo_Height, &S::SetGeo_Height),
      MakeProperty("Magnetic_Variation", K::Float, &S::Magnetic_Variation,
                   &S::SetMagneticVariation),
      MakeProperty("Magnetic_Variation_Direction", K::Enumeration, &S::Magnetic_Variation_Direction,
                   &S::SetMagnetic_Variation_Direction, {}, dirs),
      MakeProperty("Magnetic_Heading", K::Float, &S::Magnetic_Heading, &S::SetMagneticHeading),
      MakeProperty("UTCDateTime", K::DateTime, &S::UTCDateTime, &S::SetUTCDateTime),
      MakeProperty("Commands", K::Set, &S::Commands, &S::SetCommands, {}, commands),
      MakeProperty("UseSystemDateTime", K::Boolean, &S::UseSystemDateTime, &S::SetUseSystemDateTime,
                   1),
      // False, the constructor's value, so that a streamed True survives a round trip.
      MakeProperty("MessageAlert", K::Boolean, &S::MessageAlert, &S::SetMessageAlert, 0),
      MakeProperty("FixQuality", K::Integer, &S::FixQuality, &S::SetFixQuality, 0),
      MakeProperty("Port", K::String, &S::Port, &S::SetPort),
      MakeProperty("BaudRate", K::Integer, &S::BaudRate, &S::SetBaudRate),
  };
}

}  // namespace

template <>
const TComponentClass& ComponentClassOf<TNorvGPSSimulator>() {
  static const TComponentClass cls = MakeComponentClass<TNorvGPSSimulator>(
      "TNorvGPSSimulator", kNorvGPSSimulatorUnit, SimulatorProperties());
  return cls;
}

}  // namespace norv
