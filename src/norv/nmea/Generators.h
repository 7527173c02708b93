#pragma once
// The generator of each sentence kind: it appends its sentences for every constellation in use
// to the epoch's text. Internal to nmea/.
#include "norv/nmea/Epoch.h"

namespace norv {

void AppendGGA(TEpoch& Epoch);
void AppendGLL(TEpoch& Epoch);
void AppendRMC(TEpoch& Epoch);
void AppendVTG(TEpoch& Epoch);
void AppendZDA(TEpoch& Epoch);
void AppendGSA(TEpoch& Epoch);
void AppendGSV(TEpoch& Epoch);
void AppendWPL(TEpoch& Epoch);
void AppendRTE(TEpoch& Epoch);
void AppendAAM(TEpoch& Epoch);

}  // namespace norv
