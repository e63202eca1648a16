// The thread a radio dialog's sequences run on. The worker creates the dialog's port on its
// own thread (a QSerialPort must stay on the thread that made it) and keeps it for the
// dialog's life. Progress and trace text come back through queued signals, results through
// calls posted to the dialog, which says what failed; a question in the middle of a
// sequence is asked on the UI thread while the worker waits for the answer.
#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "app/shell_rules.h"
#include "core/messages.h"
#include "link/transaction.h"
#include "sim/simulated_radio.h"

namespace vgr47 {

// A dialog's port with the clock its time-outs run on; for "sim" also the simulated radio.
struct RadioConnection {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<sim::SimulatedRadio> radio;
    std::unique_ptr<SerialPort> port;
};

// Called once on the worker thread.
using ConnectionMaker = std::function<RadioConnection()>;

class RadioPorts;

// The port named in the settings: a serial device, or for "sim" the program's simulated
// radio (see RadioPorts), paced at 9600 baud like a real cable unless system.ini
// [simulator] pace is 0.
ConnectionMaker DefaultConnection(const AppValues& values, RadioPorts& ports);

// Calls from the worker thread that run on the UI thread while the worker waits: the
// questions asked in the middle of a sequence. After Abandon (the dialog is going) no call
// waits any more and the answer is No.
class UiCalls {
  public:
    explicit UiCalls(QObject* uiContext);
    Answer Call(std::function<Answer()> onUi);
    void Abandon();

  private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool abandoned = false;
    };

    QPointer<QObject> context_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

class RadioWorker;

// Keeps a sequence between two blocks while a question about it is open on the UI thread.
class BlockGate {
  public:
    void Hold(bool held);
    // For good: the dialog is going, nothing waits any more.
    void Open();
    // On the worker, between blocks.
    void WaitWhileHeld();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool open_ = false;
};

// Owns the worker thread. Jobs run in order on it; Stop cancels the running one and waits.
class RadioThread : public QObject {
    Q_OBJECT
  public:
    RadioThread(QObject* uiContext, ConnectionMaker maker);
    ~RadioThread() override;

    using Job = std::function<void(const LinkContext& link, std::atomic<bool>& cancel)>;
    // Runs the job on the worker thread.
    void Run(Job job);
    // From a job: runs onUi on the UI thread and waits for its answer (No once the dialog is
    // going).
    Answer OnUi(std::function<Answer()> onUi) { return calls_.Call(std::move(onUi)); }
    std::atomic<bool>& cancelFlag() { return *cancel_; }
    const std::shared_ptr<BlockGate>& gate() const { return gate_; }

  signals:
    void progress(int position, int maximum);
    // Text appended to the trace log, or (reset) its whole new text.
    void traceChanged(const QString& text, bool reset);

  private:
    friend class RadioWorker;
    QThread thread_;
    RadioWorker* worker_;
    UiCalls calls_;
    std::shared_ptr<std::atomic<bool>> cancel_ = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<BlockGate> gate_ = std::make_shared<BlockGate>();
};

class RadioWorker : public QObject {
    Q_OBJECT
  public:
    RadioWorker(RadioThread* owner, ConnectionMaker maker);
    void Run(const RadioThread::Job& job, std::atomic<bool>& cancel);

  private:
    RadioThread* owner_;
    ConnectionMaker maker_;
    RadioConnection connection_;
    std::unique_ptr<TraceLog> trace_;
    std::size_t traceShown_ = 0;
};

}  // namespace vgr47
