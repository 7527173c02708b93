#pragma once
// Umbrella header of the NorvGPSSim library: includes every public header.
#include "norv/core/ENorvNMEAException.h"
#include "norv/core/NorvTypes.h"
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/Component.h"
#include "norv/framework/DateTime.h"
#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"
#include "norv/framework/MessageDialog.h"
#include "norv/framework/NMEACommands.h"
#include "norv/framework/SysUtils.h"
#include "norv/framework/Types.h"
#include "norv/satellites/Satellite.h"
