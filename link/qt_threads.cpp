#include "link/qt_threads.h"

#include <QThread>
#include <memory>

namespace vgr47 {

void RunOnQThreads(const std::vector<std::function<void()>>& tasks) {
    std::vector<std::unique_ptr<QThread>> threads;
    for (const auto& task : tasks) {
        threads.emplace_back(QThread::create(task));
        threads.back()->start();
    }
    for (auto& thread : threads) thread->wait();
}

}  // namespace vgr47
