// One worker thread per radio dialog. The thread creates the dialog's port, keeps it for the
// dialog's whole life and runs the engines on it, so the window keeps repainting. Messages
// and questions from the engines are shown on the UI thread; trace text comes back queued.
#pragma once

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

#include "core/messages.h"
#include "link/transaction.h"

namespace vgr47 {

class RadioWorker : public QObject {
    Q_OBJECT
public:
    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
    using Job = std::function<void(const LinkContext& link)>;

    // uiMessages is used on the UI thread only; text gives catalogue texts (thread-safe reads).
    RadioWorker(PortFactory makePort, Messages& uiMessages, std::function<std::string(int)> text,
                QObject* parent = nullptr);
    // Waits for the running job; messages the job still asks for are dropped, not shown.
    ~RadioWorker() override;

    // Runs the job on the worker thread, then done on the UI thread. Jobs run in order.
    void Run(Job job, std::function<void()> done = {});
    bool busy() const { return pending_ > 0; }
    // For a dialog going away: drops the jobs still waiting and the messages of the running
    // one, then runs last on the worker thread (when a port was ever made) and returns when
    // it has finished.
    void Finish(Job last);
    // Processes events until every job has finished (messages from the worker still show).
    void WaitIdle();

signals:
    void traceChanged(const QString& text);
    void idle();

private:
    class ThreadMessages;
    QThread thread_;
    QObject* context_;  // lives on the worker thread
    PortFactory makePort_;
    Messages& uiMessages_;
    std::function<std::string(int)> text_;
    std::unique_ptr<ThreadMessages> threadMessages_;
    std::atomic<int> pending_{0};
    std::atomic<bool> closing_{false};
    // Worker-thread state.
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<TraceLog> trace_;
    std::unique_ptr<LinkContext> link_;
};

}  // namespace vgr47
