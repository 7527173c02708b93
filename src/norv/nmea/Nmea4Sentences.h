#pragma once
// The NMEA 0183 4.11 output profile: one epoch built from the same read-only view as the
// classic sentences, with one fix per epoch under a combined talker.
#include <string_view>

#include "norv/framework/NMEACommands.h"
#include "norv/nmea/Nmea4Epoch.h"
#include "norv/nmea/ReceiverView.h"

namespace norv {

// The combined talker of a receiver of several systems.
inline constexpr std::string_view kCombinedTalker = "GN";

// Every kind in Commands, in the order RMC VTG GGA GSA GSV GLL ZDA WPL RTE AAM: the fix and
// navigation sentences under Talker, GSA and GSV per system under its own talker. Raises
// ENorvNMEAException unless Talker is two capital letters.
TNmea4Epoch Nmea4Sentences(const TReceiverView& View, TNMEACommands Commands,
                           std::string_view Talker = kCombinedTalker);

}  // namespace norv
