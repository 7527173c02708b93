#include "norv/model/ReceiverState.h"

#include "norv/framework/DateTime.h"

namespace norv {

// With the system clock this is the true UTC instant, whatever the local zone and its rules.
TDateTime UTCNow(const TReceiverState& State) {
  return State.UseSystemDateTime ? NowUTC() : State.UTCDateTime;
}

}  // namespace norv
