#include "app/transfer_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/settings.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr const char* kOptionSection = "option";
constexpr const char* kAutoCloseKey = "auto_close_rw_window";

}  // namespace

TransferDialog::TransferDialog(FormEnv& env, ConnectionMaker maker, int titleText, QWidget* parent)
    : QDialog(parent), env_(env) {
    auto T = [&](int n) { return QString::fromStdString(env_.texts.GetText(n)); };
    setWindowTitle(T(titleText));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* layout = new QVBoxLayout(this);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    cancel_ = new QPushButton(T(kTextCancel), this);
    cancel_->setAutoDefault(false);
    cancel_->setEnabled(false);
    // Cancel stays a plain arrow while the rest of the dialog shows the wait cursor.
    cancel_->setCursor(Qt::ArrowCursor);
    buttons_->addWidget(cancel_);
    layout->addLayout(buttons_);

    progress_ = new QProgressBar(this);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    layout->addWidget(progress_);

    autoClose_ = new QCheckBox(T(kTextAutoClose), this);
    autoClose_->setChecked(
        Settings(env_.values.programDir).GetSetting(kOptionSection, kAutoCloseKey) == "yes");
    layout->addWidget(autoClose_);

    trace_ = new QPlainTextEdit(this);
    trace_->setReadOnly(true);
    trace_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    trace_->setMinimumHeight(200);
    trace_->setVisible(env_.values.debug);
    layout->addWidget(trace_, 1);
    if (!env_.values.debug) layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(420);

    radio_ = std::make_unique<RadioThread>(this, env_.messages, std::move(maker), env_.texts);
    connect(radio_.get(), &RadioThread::progress, this, [this](int position, int maximum) {
        progress_->setRange(0, maximum);
        progress_->setValue(position);
    });
    connect(radio_.get(), &RadioThread::traceChanged, this,
            [this](const QString& text, bool reset) {
                QString lines = text;
                lines.remove('\r');
                if (reset) {
                    trace_->setPlainText(lines);
                } else {
                    trace_->moveCursor(QTextCursor::End);
                    trace_->insertPlainText(lines);
                }
                trace_->moveCursor(QTextCursor::End);
            });
    connect(cancel_, &QPushButton::clicked, this, &TransferDialog::RequestCancel);
}

TransferDialog::~TransferDialog() {
    // Stop the worker before anything it reports to goes away.
    radio_.reset();
    QWidget::unsetCursor();
}

void TransferDialog::AddStartButton(QPushButton* button) {
    button->setAutoDefault(false);
    buttons_->insertWidget(starts_.size(), button);
    starts_.append(button);
}

void TransferDialog::BeginSequence() {
    running_ = true;
    cancelRequested_ = false;
    for (QPushButton* b : starts_) b->setEnabled(false);
    cancel_->setEnabled(true);
    setCursor(Qt::WaitCursor);
}

void TransferDialog::EndSequence(bool ok) {
    running_ = false;
    unsetCursor();
    cancel_->setEnabled(false);
    for (QPushButton* b : starts_) b->setEnabled(true);
    if (!starts_.isEmpty()) starts_.front()->setFocus();
    emit transferFinished(ok);
    if (closePending_) {
        close();
    } else if (ok && autoClose_->isChecked()) {
        // Ending through the auto-close option leaves the setting as it was.
        done(0);
    }
}

void TransferDialog::PostToUi(std::function<void()> f) {
    QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
}

void TransferDialog::RequestCancel() {
    if (!running_ || cancelRequested_) return;
    if (!ConfirmCancel() || !running_) return;
    cancelRequested_ = true;
    radio_->cancelFlag().store(true);
    cancel_->setEnabled(false);
}

void TransferDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!running_) Start();
            event->accept();
            return;
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void TransferDialog::closeEvent(QCloseEvent* event) {
    if (running_) {
        // Closing means cancelling; the window goes when the worker has stopped.
        RequestCancel();
        if (cancelRequested_) closePending_ = true;
        event->ignore();
        return;
    }
    Settings(env_.values.programDir)
        .SetSetting(kOptionSection, kAutoCloseKey, autoClose_->isChecked() ? "yes" : "no");
    event->accept();
}

void ShowRadioDialog(QDialog* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

}  // namespace vgr47
