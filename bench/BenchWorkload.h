#pragma once
// The component states the benchmarks measure, and the reference bytes of the peers' workload.
#include <cstdint>
#include <string>
#include <string_view>

#include "norv/NorvGPSSimulator.h"

namespace norv::bench {

// One cycle of the peers' workload as every peer writes it (their README): its size and FNV-1a.
inline constexpr std::size_t kPeerCycleBytes = 1690;
inline constexpr std::uint32_t kPeerCycleFnv1a = 0x2fedf7e9;

// The sentence kinds of the peers' workload: every kind but WPL, RTE and AAM.
TNMEACommands PeerCommands();

// The peers' state: 2024-03-05 12:35:19.250 UTC (fixed clock), 48°07'02.4"N 011°31'15.3"E,
// fix 1, HDOP 0.9, PDOP 1.8, VDOP 1.5, altitude 545.4, geoid 46.9, 12.5 kn, course 84.26 true
// and 81.5 magnetic, variation 2.75 E; GPS 1..12, GLONASS 65..76 and BeiDou 201..212 active.
void SetPeerWorkload(TNorvGPSSimulator& Sim);

// Leaves exactly Count satellites active, taken in turn from the GPS (1..64), GLONASS (65..200)
// and BeiDou (201..235) code ranges, each in ascending order; 235 activates the whole table.
void SetActiveSatellites(TNorvGPSSimulator& Sim, int Count);

// Adds Count waypoints WP001, WP002, ... (the first within the arrival circle, the others a
// minute of latitude apart) and makes the route of all of them, in order, the active one; the
// commands gain WPL, RTE and AAM.
void SetActiveRoute(TNorvGPSSimulator& Sim, int Count);

std::uint32_t Fnv1a32(std::string_view Bytes);

}  // namespace norv::bench
