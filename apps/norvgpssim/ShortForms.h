#pragma once
// The short forms a scenario's [Receiver] accepts beside the component's own value names.
#include <string>

#include "norv/framework/ComponentClass.h"

namespace norvgpssim {

// The component's own text for a short form: N, S, E, W (or North...) for a direction, and
// "GGA,RMC" (as on the command line) for a set of sentence kinds. Any other text comes back
// as it is, for the property's own parser to accept or refuse.
std::string LongForm(const norv::TPropertyInfo& property, const std::string& text);

}  // namespace norvgpssim
