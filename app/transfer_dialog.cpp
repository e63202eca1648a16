#include "app/transfer_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <ctime>

#include "core/memory_map.h"
#include "core/settings.h"
#include "core/text_ids.h"
#include "link/transfer_report.h"

namespace vgr47 {

namespace {

constexpr const char* kOptionSection = "option";
constexpr const char* kAutoCloseKey = "auto_close_rw_window";

}  // namespace

TransferDialog::TransferDialog(FormEnv& env, ConnectionMaker maker, int titleText, QWidget* parent)
    : QDialog(parent), env_(env) {
    setWindowTitle(T(titleText));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* layout = new QVBoxLayout(this);
    subject_ = new QLabel(this);
    subject_->setVisible(false);
    layout->addWidget(subject_);
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
    progress_->setTextVisible(true);
    progress_->setFormat("%p%");
    layout->addWidget(progress_);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    layout->addWidget(status_);
    backup_ = new QLabel(this);
    backup_->setWordWrap(true);
    backup_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    backup_->setVisible(false);
    layout->addWidget(backup_);

    options_ = new QVBoxLayout;
    layout->addLayout(options_);
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

    radio_ = std::make_unique<RadioThread>(this, std::move(maker));
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
    radio_->Stop();
    radio_.reset();
    QWidget::unsetCursor();
}

QString TransferDialog::T(int number) const {
    return QString::fromStdString(env_.texts.GetText(number));
}

void TransferDialog::AddStartButton(QPushButton* button) {
    button->setAutoDefault(false);
    buttons_->insertWidget(starts_.size(), button);
    starts_.append(button);
}

void TransferDialog::AddOption(QWidget* widget) { options_->addWidget(widget); }

void TransferDialog::SetSubject(const QString& codeplug) {
    codeplug_ = codeplug;
    const QString both = radioLine_.isEmpty()  ? codeplug_
                         : codeplug_.isEmpty() ? radioLine_
                                               : codeplug_ + "\n" + radioLine_;
    subject_->setText(both);
    subject_->setVisible(!both.isEmpty());
}

void TransferDialog::ShowStatus() {
    // Late news of a sequence that has ended must not replace its closing line.
    if (!running_) return;
    status_->setText(QString::fromStdString(StatusLine(
        writing_, phase_, position_, maximum_, [this](int n) { return env_.texts.GetText(n); })));
}

void TransferDialog::ShowBackup(const BackupResult& kept) {
    if (kept.ok) {
        backup_->setText(
            QString::fromStdString(FillText(env_.texts.GetText(kTextBackupKept), {kept.path})));
        backup_->setVisible(true);
    } else {
        // Said once the transfer has ended: a message box now would hold the transfer up.
        backupFailure_ = kept;
    }
}

SequenceHooks TransferDialog::MakeHooks(std::atomic<bool>& cancel, bool writing,
                                        std::optional<BackupKind> backup) {
    writing_ = writing;
    SequenceHooks hooks;
    hooks.cancel = &cancel;
    hooks.progress = [this](int position, int maximum) {
        PostToUi([this, position, maximum] {
            // The bar counts blocks done; the status names the one under way.
            position_ = position;
            maximum_ = maximum;
            ShowStatus();
            progress_->setRange(0, maximum + 1);
            progress_->setValue(position);
        });
    };
    const ModelState model = env_.model;
    hooks.isSignalling = [model](const std::string& identity) {
        return model.IsExtendedModel(identity);
    };
    hooks.phase = [this](TransferPhase phase) {
        PostToUi([this, phase] {
            phase_ = phase;
            position_ = maximum_ = -1;
            ShowStatus();
            if (phase == TransferPhase::VerifyPause || phase == TransferPhase::Verifying)
                progress_->setValue(0);
        });
    };
    hooks.identified = [this, model](const std::string& identity) {
        const QString name = QString::fromStdString(CompactName(model.ModelDisplayName(identity)));
        PostToUi([this, name] {
            radioLine_ = QString::fromStdString(
                FillText(env_.texts.GetText(kTextTransferRadio), {name.toStdString()}));
            SetSubject(codeplug_);
        });
    };
    std::shared_ptr<BlockGate> gate = radio_->gate();
    hooks.betweenBlocks = [gate] { gate->WaitWhileHeld(); };
    if (backup && BackupsEnabled(env_.values.programDir)) {
        const BackupKind kind = *backup;
        hooks.keep = [this, kind, model](const std::string& image) {
            const std::string identity = image.substr(2 * mem::kIdentity, 2 * mem::kIdentityBytes);
            const BackupResult kept = KeepBackup(
                BackupFolder(), image, model.ModelDisplayName(identity), kind, std::time(nullptr));
            PostToUi([this, kept] { ShowBackup(kept); });
        };
    }
    return hooks;
}

void TransferDialog::BeginSequence() {
    running_ = true;
    cancelRequested_ = false;
    for (QPushButton* b : starts_) b->setEnabled(false);
    cancel_->setEnabled(true);
    setCursor(Qt::WaitCursor);
    radioLine_.clear();
    SetSubject(codeplug_);
    phase_ = TransferPhase::Connecting;
    position_ = maximum_ = -1;
    progress_->setRange(0, 1);
    progress_->setValue(0);
    backup_->setVisible(false);
    backupFailure_.reset();
    ShowStatus();
}

void TransferDialog::EndSequence(bool ok, const QString& closingLine) {
    running_ = false;
    unsetCursor();
    cancel_->setEnabled(false);
    for (QPushButton* b : starts_) b->setEnabled(true);
    if (!starts_.isEmpty()) starts_.front()->setFocus();
    status_->setText(closingLine);
    if (ok) progress_->setValue(progress_->maximum());
    if (backupFailure_) {
        const std::string problem = backupFailure_->problem;
        backupFailure_.reset();
        env_.messages.ShowWarning(FillText(env_.texts.GetText(kTextBackupFailed), {problem}));
    }
    emit transferFinished(ok);
    if (closePending_) {
        close();
    } else if (ok && autoClose_->isChecked()) {
        // Ending through the auto-close option leaves the setting as it was.
        done(0);
    }
}

void TransferDialog::PostToUi(std::function<void()> f) { radio_->PostToUi(std::move(f)); }

void TransferDialog::RequestCancel() {
    if (!running_ || cancelRequested_) return;
    // While the question is open the sequence waits at the next block, so that what the
    // user is asked about is still what happens; the answer is in place before it goes on.
    const std::shared_ptr<BlockGate> gate = radio_->gate();
    gate->Hold(HoldWhileAsking());
    const bool confirmed = ConfirmCancel();
    if (confirmed && running_) {
        cancelRequested_ = true;
        radio_->cancelFlag().store(true);
        cancel_->setEnabled(false);
    }
    gate->Hold(false);
    if (confirmed && !running_) StopConfirmedAfterEnd();
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
