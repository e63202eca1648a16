// Which catalogue model the in-process simulated radio (port "sim") pretends to be.
#pragma once

#include <string>

namespace vgr47 {

inline constexpr int kDefaultSimulatorModel = 8;

// system.ini [simulator] model: a catalogue index 0-15; anything else (missing, not a
// number, out of range) gives the signalling model 8.
int SimulatorModelFromSettings(const std::string& programDir);

}  // namespace vgr47
