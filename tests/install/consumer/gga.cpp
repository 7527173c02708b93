// A program written as a user of the installed library would: public header only, one GGA.
#include <iostream>

#include <norv/NorvGPSSimulator.h>

int main() {
  norv::TNorvGPSSimulator sim;
  sim.SetUseSystemDateTime(false);
  sim.SetUTCDateTime(norv::EncodeDate(2024, 3, 1) + norv::EncodeTime(12, 34, 56, 780));
  sim.SetLatDeg(59);
  sim.SetLatMin(54);
  sim.SetLatSec(12.5);
  sim.SetLongDeg(10);
  sim.SetLongMin(45);
  sim.SetLongSec(3.25);
  sim.SetAltitude(17.5);
  sim.SetHDOP(0.9);
  sim.SetFixQuality(1);
  sim.SetSatellite(7, true, 45, 120, 38, norv::GpsSatellite);
  std::cout << sim.GetGPGGA();
}
