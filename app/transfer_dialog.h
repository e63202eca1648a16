// What the read and write dialogs share: start buttons, Cancel, progress bar, the auto-close
// check box and the trace log (shown in debug mode only; the dialog is smaller without it).
// Sequences run on the dialog's RadioThread; the UI thread stays free the whole time.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "app/form_registry.h"
#include "app/radio_worker.h"
#include "core/backups.h"
#include "link/read_sequence.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vgr47 {

class TransferDialog : public QDialog {
    Q_OBJECT
  public:
    TransferDialog(FormEnv& env, ConnectionMaker maker, int titleText, QWidget* parent);
    ~TransferDialog() override;

    bool running() const { return running_; }
    QProgressBar* progressBar() const { return progress_; }
    QCheckBox* autoCloseBox() const { return autoClose_; }
    QPlainTextEdit* traceLog() const { return trace_; }
    QPushButton* cancelButton() const { return cancel_; }
    // What the dialog works on (the codeplug, the radio once it has answered).
    QLabel* subjectLine() const { return subject_; }
    // The phase and block while a transfer runs; then the line that says how it ended.
    QLabel* statusLine() const { return status_; }
    // Where the backup of the last transfer went (or why it could not be kept).
    QLabel* backupLine() const { return backup_; }

    // What Enter does: the dialog's main action.
    virtual void Start() = 0;
    // The Cancel button: asks where the dialog needs to, then stops at the next block.
    void RequestCancel();

  signals:
    // A sequence has ended, successfully or not (after a read's image was installed).
    void transferFinished(bool ok);

  protected:
    void AddStartButton(QPushButton* button);
    // Room under the progress bar for a dialog's own controls.
    void AddOption(QWidget* widget);
    // False keeps the sequence running (the user chose to go on).
    virtual bool ConfirmCancel() { return true; }
    // Whether the sequence waits between blocks while ConfirmCancel asks.
    virtual bool HoldWhileAsking() const { return false; }
    // The user confirmed the stop, but the sequence had already ended meanwhile.
    virtual void StopConfirmedAfterEnd() {}
    void BeginSequence();
    // Back on the UI thread after the worker's sequence; ok allows the auto-close.
    // closingLine stays in the dialog.
    void EndSequence(bool ok, const QString& closingLine = QString());
    // Runs f on the UI thread; callable from the worker.
    void PostToUi(std::function<void()> f);
    // Hooks for a sequence on the worker: progress, phase and the radio's identity reach the
    // status lines, the pause while the stop question is open, and (kind given) the backup.
    SequenceHooks MakeHooks(std::atomic<bool>& cancel, bool writing,
                            std::optional<BackupKind> backup);
    void SetSubject(const QString& codeplug);
    TransferPhase phase() const { return phase_; }
    // The user confirmed a stop of the running (or just ended) sequence.
    bool stopRequested() const { return cancelRequested_; }
    QString T(int number) const;

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape does not close the dialog.
    void reject() override {}

    FormEnv& env_;
    std::unique_ptr<RadioThread> radio_;

  private:
    void ShowStatus();
    void ShowBackup(const BackupResult& kept);

    QLabel* subject_;
    QHBoxLayout* buttons_;
    QList<QPushButton*> starts_;
    QPushButton* cancel_;
    QProgressBar* progress_;
    QLabel* status_;
    QLabel* backup_;
    QVBoxLayout* options_;
    QCheckBox* autoClose_;
    QPlainTextEdit* trace_;
    QString codeplug_;   // the subject's first line
    QString radioLine_;  // its second, once the radio has answered
    bool writing_ = false;
    TransferPhase phase_ = TransferPhase::Connecting;
    int position_ = -1, maximum_ = -1;
    std::optional<BackupResult> backupFailure_;
    bool running_ = false;
    bool cancelRequested_ = false;
    bool closePending_ = false;
};

// Opens a radio dialog window-modal over the main window, deleted when it closes.
void ShowRadioDialog(QDialog* dialog);

}  // namespace vgr47
