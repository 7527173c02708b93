#pragma once
// One receiver key set from its text through the component's published property table, the way
// a scenario's [Receiver] section and a timeline's set actions both do it.
#include <string>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/ComponentClass.h"

namespace norvgpssim {

// The published property of that name (any letter case), or nullptr.
const norv::TPropertyInfo* FindReceiverKey(const std::string& key);

// True for the keys the run's virtual clock owns (UTCDateTime, UseSystemDateTime).
bool IsClockKey(const norv::TPropertyInfo& property);

// Sets the property from Text through its setter. Empty on success, else why it was refused
// (not a value of the property's kind, or the component's own message).
std::string SetReceiverKey(norv::TNorvGPSSimulator& sim, const norv::TPropertyInfo& property,
                           const std::string& text);

}  // namespace norvgpssim
