#include "app/radio_worker.h"

#include "app/radio_ports.h"
#include "core/settings.h"
#include "link/clock.h"
#include "link/qt_serial_port.h"
#include "link/trace_log.h"
#include "sim/simulated_port.h"
#include "sim/simulator_settings.h"

namespace vgr47 {

ConnectionMaker DefaultConnection(const AppValues& values, RadioPorts& ports) {
    const std::string portName = values.portName;
    RadioPorts* shared = &ports;
    // [simulator] pace=0 lets the simulated radio answer at once (demonstrations, tests).
    const bool paced = Settings(values.programDir).GetSetting("simulator", "pace") != "0";
    return [portName, shared, paced] {
        RadioConnection c;
        c.clock = std::make_unique<SteadyClock>();
        if (portName != sim::kSimulatorPortName) {
            c.port = std::make_unique<QtSerialPort>();
            return c;
        }
        auto port = std::make_unique<sim::SimulatedPort>(shared->simulator(), *c.clock);
        port->SetPaced(paced);
        c.port = std::move(port);
        return c;
    };
}

void BlockGate::Hold(bool held) {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = held;
    changed_.notify_all();
}

void BlockGate::Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    changed_.notify_all();
}

void BlockGate::WaitWhileHeld() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !held_ || open_; });
}

UiCalls::UiCalls(QObject* uiContext) : context_(uiContext) {}

Answer UiCalls::Call(std::function<Answer()> onUi) {
    struct Pending {
        bool done = false;
        Answer answer = Answer::No;
    };
    auto pending = std::make_shared<Pending>();
    std::shared_ptr<Shared> shared = shared_;
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        if (shared->abandoned || !context_) return Answer::No;
    }
    // Dropped unseen when the context goes first; Abandon then releases the wait.
    QMetaObject::invokeMethod(
        context_.data(),
        [shared, pending, onUi = std::move(onUi)] {
            {
                std::lock_guard<std::mutex> lock(shared->mutex);
                if (shared->abandoned) return;
            }
            const Answer answer = onUi();
            std::lock_guard<std::mutex> lock(shared->mutex);
            pending->answer = answer;
            pending->done = true;
            shared->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->changed.wait(lock, [&] { return pending->done || shared->abandoned; });
    return pending->done ? pending->answer : Answer::No;
}

void UiCalls::Abandon() {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->abandoned = true;
    shared_->changed.notify_all();
}

RadioThread::RadioThread(QObject* uiContext, ConnectionMaker maker)
    : QObject(uiContext), calls_(uiContext) {
    worker_ = new RadioWorker(this, std::move(maker));
    worker_->moveToThread(&thread_);
    thread_.start();
}

RadioThread::~RadioThread() {
    // Let a running sequence end at its next block, release a worker waiting for the UI,
    // then close the port on the worker's own thread.
    cancel_->store(true);
    calls_.Abandon();
    gate_->Open();
    RadioWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker,
        [worker] {
            delete worker;
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    thread_.wait();
}

void RadioThread::Run(Job job) {
    cancel_->store(false);
    RadioWorker* worker = worker_;
    std::shared_ptr<std::atomic<bool>> cancel = cancel_;
    QMetaObject::invokeMethod(
        worker, [worker, job = std::move(job), cancel] { worker->Run(job, *cancel); },
        Qt::QueuedConnection);
}

RadioWorker::RadioWorker(RadioThread* owner, ConnectionMaker maker)
    : owner_(owner), maker_(std::move(maker)) {}

void RadioWorker::Run(const RadioThread::Job& job, std::atomic<bool>& cancel) {
    if (!connection_.port) {
        connection_ = maker_();
        trace_ = std::make_unique<TraceLog>([this](const std::string& text) {
            // Only the new lines cross the thread, unless the log was cleared.
            const bool reset = text.size() < traceShown_;
            const std::string part = reset ? text : text.substr(traceShown_);
            traceShown_ = text.size();
            emit owner_->traceChanged(QString::fromStdString(part), reset);
        });
    }
    const LinkContext link{*connection_.port, *connection_.clock, *trace_};
    job(link, cancel);
}

}  // namespace vgr47
