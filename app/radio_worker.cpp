#include "app/radio_worker.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "link/clock.h"

namespace vgr47 {

// Messages for the worker thread: each one waits for the UI thread to show it.
class RadioWorker::ThreadMessages : public Messages {
public:
    explicit ThreadMessages(RadioWorker& owner) : owner_(owner) {}
    void ShowMessage(const std::string& text) override {
        if (owner_.closing_) return;
        QMetaObject::invokeMethod(
            &owner_, [this, text] { owner_.uiMessages_.ShowMessage(text); }, Qt::BlockingQueuedConnection);
    }
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons, bool defaultNo) override {
        if (owner_.closing_) return Answer::Cancel;
        Answer answer = Answer::Cancel;
        QMetaObject::invokeMethod(
            &owner_, [&] { answer = owner_.uiMessages_.Ask(text, caption, buttons, defaultNo); },
            Qt::BlockingQueuedConnection);
        return answer;
    }

private:
    RadioWorker& owner_;
};

RadioWorker::RadioWorker(PortFactory makePort, Messages& uiMessages, std::function<std::string(int)> text,
                         QObject* parent)
    : QObject(parent),
      context_(new QObject),
      makePort_(std::move(makePort)),
      uiMessages_(uiMessages),
      text_(std::move(text)),
      threadMessages_(std::make_unique<ThreadMessages>(*this)) {
    context_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
    thread_.start();
}

RadioWorker::~RadioWorker() {
    closing_ = true;
    // The port is closed and destroyed on the thread that made it.
    QMetaObject::invokeMethod(context_, [this] {
        if (port_ && port_->IsOpen()) port_->Close();
        link_.reset();
        port_.reset();
    });
    thread_.quit();
    thread_.wait();
}

void RadioWorker::Run(Job job, std::function<void()> done) {
    ++pending_;
    QMetaObject::invokeMethod(context_, [this, job = std::move(job), done = std::move(done)] {
        if (!link_) {
            port_ = makePort_();
            clock_ = std::make_unique<SteadyClock>();
            trace_ = std::make_unique<TraceLog>([this](const std::string& text) {
                if (!closing_) emit traceChanged(QString::fromStdString(text));
            });
            link_ = std::make_unique<LinkContext>(LinkContext{*port_, *clock_, *trace_, *threadMessages_, text_});
        }
        if (!closing_) job(*link_);
        QMetaObject::invokeMethod(this, [this, done] {
            if (done && !closing_) done();
            if (--pending_ == 0) emit idle();
        });
    });
}

void RadioWorker::Finish(Job last) {
    closing_ = true;
    QMetaObject::invokeMethod(
        context_,
        [this, &last] {
            if (link_ && last) last(*link_);
        },
        Qt::BlockingQueuedConnection);
}

void RadioWorker::WaitIdle() {
    while (pending_ > 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

}  // namespace vgr47
