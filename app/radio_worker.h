// The thread a radio dialog's sequences run on. The worker creates the dialog's port on its
// own thread (a QSerialPort must stay on the thread that made it) and keeps it for the
// dialog's life. Progress, trace text and results come back as calls posted to the UI
// thread, and the dialog says what failed; a question in the middle of a sequence is asked
// on the UI thread while the worker waits for the answer.
#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <deque>
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

// Calls handed from one thread to another, oldest first. Qt's event queue only wakes the
// receiver (a queued call of a slot by name, which carries nothing); the calls themselves
// pass under a mutex that ThreadSanitizer can see, unlike Qt's own locks, so its run of the
// radio dialogs checks every hand-over between the two threads.
class Mailbox {
  public:
    void Put(std::function<void()> call);
    // The oldest call; an empty one when there is none.
    std::function<void()> Take();

  private:
    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
};

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

class RadioWorker;

// Owns the worker thread. Jobs run in order on it; what they report reaches the UI thread
// through PostToUi, in order.
class RadioThread : public QObject {
    Q_OBJECT
  public:
    RadioThread(QObject* uiContext, ConnectionMaker maker);
    ~RadioThread() override;

    using Job = std::function<void(const LinkContext& link, std::atomic<bool>& cancel)>;
    // Runs the job on the worker thread.
    void Run(Job job);
    // From the worker: runs f on the UI thread, later. Nothing runs once Stop has begun.
    void PostToUi(std::function<void()> f);
    // From the worker: runs onUi on the UI thread and waits for its answer (No once Stop has
    // begun): a question in the middle of a sequence.
    Answer OnUi(std::function<Answer()> onUi);
    // Lets a running sequence end at its next block, releases a worker waiting for the UI,
    // runs the jobs already given and ends the thread, the port closed on it. The dialog
    // calls it before anything the jobs report to goes away; the destructor too.
    void Stop();
    std::atomic<bool>& cancelFlag() { return *cancel_; }
    const std::shared_ptr<BlockGate>& gate() const { return gate_; }

  signals:
    // On the UI thread: text appended to the trace log, or (reset) its whole new text.
    void traceChanged(const QString& text, bool reset);

  private:
    Q_INVOKABLE void DeliverToUi();

    struct Waits {
        std::mutex mutex;
        std::condition_variable changed;
        bool abandoned = false;
        bool workerDone = false;
    };

    QThread thread_;
    RadioWorker* worker_;
    Mailbox toUi_;
    std::shared_ptr<Waits> waits_ = std::make_shared<Waits>();
    bool stopped_ = false;
    std::shared_ptr<std::atomic<bool>> cancel_ = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<BlockGate> gate_ = std::make_shared<BlockGate>();
};

// Lives on the worker thread: the port, its clock and the trace log.
class RadioWorker : public QObject {
    Q_OBJECT
  public:
    RadioWorker(RadioThread* owner, ConnectionMaker maker);
    // From any thread: runs the call on the worker thread.
    void Post(std::function<void()> call);
    void Run(const RadioThread::Job& job, std::atomic<bool>& cancel);
    // Closes the port and forgets the log, on the worker thread.
    void Release();

  private:
    Q_INVOKABLE void RunNext();

    RadioThread* owner_;
    ConnectionMaker maker_;
    Mailbox mail_;
    RadioConnection connection_;
    std::unique_ptr<TraceLog> trace_;
    std::size_t traceShown_ = 0;
};

}  // namespace vgr47
