#pragma once
// TReceiverState: everything the simulated receiver reports, as one plain record.
#include <cstdint>

#include "norv/Export.h"
#include "norv/framework/NMEACommands.h"
#include "norv/framework/Types.h"
#include "norv/model/Geodesy.h"
#include "norv/model/NorvTypes.h"

namespace norv {

// The values the component's properties read and write; the sentences are built from them.
struct TReceiverState {
  TGeoPoint Position;
  Extended Altitude = 0;
  Extended Speed = 0;  // knots
  Extended Heading = 0;
  Extended Magnetic_Heading = 0;
  Extended Magnetic_Variation = 0;
  TCardinalPoint Magnetic_Variation_Direction = cpWest;
  Extended PDOP = 0;
  Extended HDOP = 0;
  Extended VDOP = 0;
  Extended Geo_Height = 0;
  TDateTime UTCDateTime = 0;
  bool UseSystemDateTime = true;
  std::int32_t FixQuality = 0;
  TNMEACommands Commands = TNMEACommands::All();
};

// The receiver's clock: the system's UTC instant, or the fixed UTCDateTime when
// UseSystemDateTime is false. Each call reads the system clock anew.
NORV_API TDateTime UTCNow(const TReceiverState& State);

}  // namespace norv
