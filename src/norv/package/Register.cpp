#include "norv/core/PublishedProperties.h"
#include "norv/framework/Palette.h"
#include "norv/package/NorvGPSSimPack.h"

namespace norv {

void Register() {
  RegisterComponents(std::string(kPalettePage), {&ComponentClassOf<TNorvGPSSimulator>()});
}

}  // namespace norv
