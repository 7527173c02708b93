#pragma once
// TReceiverView: what the sentence functions read, and nothing they could change.
#include "norv/model/ReceiverState.h"

namespace norv {

class TSatelliteTable;
class TWayPoints;
class TRoutes;

// The receiver's state, its satellites and its lists (either list may be absent).
struct TReceiverView {
  const TReceiverState& State;
  const TSatelliteTable& Satellites;
  const TWayPoints* WayPoints = nullptr;
  const TRoutes* Routes = nullptr;
};

}  // namespace norv
