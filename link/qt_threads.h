// Threads for device ports: a QSerialPort waits through socket notifiers, which only work on
// threads Qt started.
#pragma once

#include <functional>
#include <vector>

namespace vgr47 {

// Runs every task at once, each on a QThread of its own, and returns when all have ended.
void RunOnQThreads(const std::vector<std::function<void()>>& tasks);

}  // namespace vgr47
