// The 4.11 profile's epoch: every selected kind, in a fixed order.
#include "norv/nmea/Nmea4Sentences.h"

#include <array>

#include "norv/nmea/Nmea4Builder.h"

namespace norv {

namespace {

struct TNmea4Kind {
  TNMEACommand Command;
  void (*Append)(TNmea4Builder&);
};

// The fix first and the satellites within the epoch, then the sentences that close it with
// its time: a reader that ends an epoch at its last timed sentence sees GSA and GSV inside it.
constexpr std::array<TNmea4Kind, 10> kNmea4Order{{
    {GPRMC, AppendNmea4RMC},
    {GPVTG, AppendNmea4VTG},
    {GPGGA, AppendNmea4GGA},
    {GPGSA, AppendNmea4GSA},
    {GPGSV, AppendNmea4GSV},
    {GPGLL, AppendNmea4GLL},
    {GPZDA, AppendNmea4ZDA},
    {GPWPL, AppendNmea4WPL},
    {GPRTE, AppendNmea4RTE},
    {GPAAM, AppendNmea4AAM},
}};

}  // namespace

TNmea4Epoch Nmea4Sentences(const TReceiverView& View, TNMEACommands Commands,
                           std::string_view Talker) {
  TNmea4Builder epoch(View, Talker);
  const bool all = Commands.Contains(AllNMEA);
  for (const TNmea4Kind& kind : kNmea4Order)
    if (all || Commands.Contains(kind.Command)) kind.Append(epoch);
  return std::move(epoch).Finish();
}

}  // namespace norv
