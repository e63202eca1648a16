#include "link/clock.h"

#include <thread>

namespace vgr47 {

Clock::time_point SteadyClock::Now() const { return std::chrono::steady_clock::now(); }

void SteadyClock::SleepUntil(time_point when) { std::this_thread::sleep_until(when); }

}  // namespace vgr47
