// Which radio the port named "sim" stands for: system.ini [simulator] model, a catalogue
// index. The command line and the window both start their in-process radio from it.
#pragma once

#include <string>

namespace vgr47::sim {

// The port name that means the in-process simulated radio.
inline constexpr const char* kSimulatorPortName = "sim";
// Catalogue model 8, a signalling radio, when nothing (or nothing sensible) is configured.
inline constexpr int kDefaultSimulatorModel = 8;

// The catalogue index in [simulator] model of programDir's system.ini; the default for a
// missing key or a value that is not a whole number from 0 to 15.
int SimulatorModelFromSettings(const std::string& programDir);

// A catalogue index written as a plain decimal number from 0 to 15, or -1.
int ParseModelIndex(const std::string& text);

}  // namespace vgr47::sim
