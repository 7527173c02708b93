#pragma once
// Enumerations shared by the component and its records.
#include <cstdint>

namespace norv {

// Hemisphere of a latitude (cpNorth, cpSouth) or a longitude / variation (cpEast, cpWest).
enum TCardinalPoint : std::uint8_t { cpNorth, cpSouth, cpEast, cpWest };

// Constellation of a satellite; it also selects the talker "GP", "GL" or "BD".
enum TSatelliteType : std::uint8_t { GpsSatellite, GlonassSatellite, BeidouSatellite };

}  // namespace norv
