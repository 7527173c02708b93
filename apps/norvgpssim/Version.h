#pragma once
// The version the program reports: the simulator component's own.
#include <string>

namespace norvgpssim {

// TNorvGPSSimulator::Version() as text, always with a decimal point ("2.01", "2.0").
std::string ComponentVersionText();

}  // namespace norvgpssim
