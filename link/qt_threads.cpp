#include "link/qt_threads.h"

#include <QThread>
#include <memory>
#include <mutex>

namespace vgr47 {

void RunOnQThreads(const std::vector<std::function<void()>>& tasks) {
    // Each task's end passes this mutex, so what the tasks wrote is seen to happen before the
    // return by ThreadSanitizer too, which does not see into Qt's own waits.
    std::mutex ended;
    std::vector<std::unique_ptr<QThread>> threads;
    for (const auto& task : tasks) {
        threads.emplace_back(QThread::create([&task, &ended] {
            task();
            const std::lock_guard<std::mutex> lock(ended);
        }));
        threads.back()->start();
    }
    for (auto& thread : threads) thread->wait();
    const std::lock_guard<std::mutex> lock(ended);
}

}  // namespace vgr47
