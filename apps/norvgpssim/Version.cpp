#include "Version.h"

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

std::string ComponentVersionText() {
  const norv::TNorvGPSSimulator sim;
  std::string text = norv::FloatToStr(sim.Version());
  if (text.find(norv::FormatSettings.DecimalSeparator) == std::string::npos) text += ".0";
  return text;
}

}  // namespace norvgpssim
