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

void Mailbox::Put(std::function<void()> call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
}

std::function<void()> Mailbox::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (calls_.empty()) return {};
    std::function<void()> call = std::move(calls_.front());
    calls_.pop_front();
    return call;
}

RadioThread::RadioThread(QObject* uiContext, ConnectionMaker maker) : QObject(uiContext) {
    worker_ = new RadioWorker(this, std::move(maker));
    worker_->moveToThread(&thread_);
    thread_.start();
}

RadioThread::~RadioThread() { Stop(); }

void RadioThread::Stop() {
    if (stopped_) return;
    stopped_ = true;
    cancel_->store(true);
    {
        std::lock_guard<std::mutex> lock(waits_->mutex);
        waits_->abandoned = true;
        waits_->changed.notify_all();
    }
    gate_->Open();
    RadioWorker* worker = worker_;
    std::shared_ptr<Waits> waits = waits_;
    worker->Post([worker, waits] {
        worker->Release();
        QThread::currentThread()->quit();
        // The worker's last touch of anything but Qt's own state.
        std::lock_guard<std::mutex> lock(waits->mutex);
        waits->workerDone = true;
        waits->changed.notify_all();
    });
    {
        std::unique_lock<std::mutex> lock(waits->mutex);
        waits->changed.wait(lock, [&] { return waits->workerDone; });
    }
    thread_.wait();
    delete worker_;
    worker_ = nullptr;
}

void RadioThread::Run(Job job) {
    if (stopped_) return;
    cancel_->store(false);
    RadioWorker* worker = worker_;
    std::shared_ptr<std::atomic<bool>> cancel = cancel_;
    worker->Post([worker, job = std::move(job), cancel] { worker->Run(job, *cancel); });
}

void RadioThread::PostToUi(std::function<void()> f) {
    {
        std::lock_guard<std::mutex> lock(waits_->mutex);
        if (waits_->abandoned) return;
    }
    toUi_.Put(std::move(f));
    QMetaObject::invokeMethod(this, "DeliverToUi", Qt::QueuedConnection);
}

void RadioThread::DeliverToUi() {
    {
        std::lock_guard<std::mutex> lock(waits_->mutex);
        if (waits_->abandoned) return;
    }
    // One call a wake-up: a call that opens a message box lets the next ones in, in order.
    if (std::function<void()> call = toUi_.Take()) call();
}

Answer RadioThread::OnUi(std::function<Answer()> onUi) {
    struct Pending {
        bool done = false;
        Answer answer = Answer::No;
    };
    auto pending = std::make_shared<Pending>();
    std::shared_ptr<Waits> waits = waits_;
    PostToUi([waits, pending, onUi = std::move(onUi)] {
        const Answer answer = onUi();
        std::lock_guard<std::mutex> lock(waits->mutex);
        pending->answer = answer;
        pending->done = true;
        waits->changed.notify_all();
    });
    std::unique_lock<std::mutex> lock(waits->mutex);
    waits->changed.wait(lock, [&] { return pending->done || waits->abandoned; });
    return pending->done ? pending->answer : Answer::No;
}

RadioWorker::RadioWorker(RadioThread* owner, ConnectionMaker maker)
    : owner_(owner), maker_(std::move(maker)) {}

void RadioWorker::Post(std::function<void()> call) {
    mail_.Put(std::move(call));
    QMetaObject::invokeMethod(this, "RunNext", Qt::QueuedConnection);
}

void RadioWorker::RunNext() {
    if (std::function<void()> call = mail_.Take()) call();
}

void RadioWorker::Run(const RadioThread::Job& job, std::atomic<bool>& cancel) {
    if (!connection_.port) {
        connection_ = maker_();
        RadioThread* owner = owner_;
        trace_ = std::make_unique<TraceLog>([this, owner](const std::string& text) {
            // Only the new lines cross the thread, unless the log was cleared.
            const bool reset = text.size() < traceShown_;
            std::string part = reset ? text : text.substr(traceShown_);
            traceShown_ = text.size();
            owner->PostToUi([owner, part = std::move(part), reset] {
                emit owner->traceChanged(QString::fromStdString(part), reset);
            });
        });
    }
    const LinkContext link{*connection_.port, *connection_.clock, *trace_};
    job(link, cancel);
}

void RadioWorker::Release() {
    trace_.reset();
    // The port first: it uses the clock (and the radio).
    connection_.port.reset();
    connection_.radio.reset();
    connection_.clock.reset();
}

}  // namespace vgr47
