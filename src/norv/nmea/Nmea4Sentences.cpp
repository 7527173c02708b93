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

// The classic profile's order, so that a reader switching profiles sees the same sequence.
constexpr std::array<TNmea4Kind, 10> kNmea4Order{{
    {GPZDA, AppendNmea4ZDA},
    {GPGGA, AppendNmea4GGA},
    {GPGLL, AppendNmea4GLL},
    {GPVTG, AppendNmea4VTG},
    {GPRMC, AppendNmea4RMC},
    {GPGSA, AppendNmea4GSA},
    {GPGSV, AppendNmea4GSV},
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
