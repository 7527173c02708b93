// The component's waypoint and route lists: replacing them hands the new list to the component.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"

namespace norv {

void TNorvGPSSimulator::SetWayPoints(TWayPoints* Value) {
  if (Value == FWayPoints) return;
  delete FWayPoints;
  FWayPoints = Value;
}

void TNorvGPSSimulator::SetRoutes(TRoutes* Value) {
  if (Value == FRoutes) return;
  delete FRoutes;
  FRoutes = Value;
}

}  // namespace norv
