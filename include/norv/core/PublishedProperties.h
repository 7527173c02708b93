#pragma once
// The class descriptor of TNorvGPSSimulator: factory and published properties for the palette
// and for streaming (WriteComponent / ReadComponent in framework/Streaming.h).
#include "norv/Export.h"
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/ComponentClass.h"

namespace norv {

// The unit that declares every class of the library.
inline constexpr const char* kNorvGPSSimulatorUnit = "NorvGPSSimulator";

template <>
NORV_API const TComponentClass& ComponentClassOf<TNorvGPSSimulator>();

}  // namespace norv
