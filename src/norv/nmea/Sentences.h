#pragma once
// The sentence functions: the text of one reporting epoch, built from a read-only view.
#include <string>

#include "norv/framework/NMEACommands.h"
#include "norv/nmea/ReceiverView.h"

namespace norv {

// Every kind in Commands, in the order ZDA GGA GLL VTG RMC GSA GSV WPL RTE AAM; within a kind,
// one sentence (or group) per constellation with an active satellite, GP GL BD. Empty without
// an active satellite.
std::string NMEASentences(const TReceiverView& View, TNMEACommands Commands);
// The sentences of Kind alone (GPGLL .. GPAAM; AllNMEA gives every kind).
std::string SentencesOfKind(const TReceiverView& View, TNMEACommand Kind);

}  // namespace norv
