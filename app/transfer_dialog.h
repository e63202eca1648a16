// What the read and write dialogs share: start buttons, Cancel, progress bar, the auto-close
// check box and the trace log (shown in debug mode only; the dialog is smaller without it).
// Sequences run on the dialog's RadioThread; the UI thread stays free the whole time.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "app/form_registry.h"
#include "app/radio_worker.h"

class QCheckBox;
class QHBoxLayout;
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

    // What Enter does: the dialog's main action.
    virtual void Start() = 0;
    // The Cancel button: asks where the dialog needs to, then stops at the next block.
    void RequestCancel();

  signals:
    // A sequence has ended, successfully or not (after a read's image was installed).
    void transferFinished(bool ok);

  protected:
    void AddStartButton(QPushButton* button);
    // False keeps the sequence running (the user chose to go on).
    virtual bool ConfirmCancel() { return true; }
    void BeginSequence();
    // Back on the UI thread after the worker's sequence; ok allows the auto-close.
    void EndSequence(bool ok);
    // Runs f on the UI thread; callable from the worker.
    void PostToUi(std::function<void()> f);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape does not close the dialog.
    void reject() override {}

    FormEnv& env_;
    std::unique_ptr<RadioThread> radio_;

  private:
    QHBoxLayout* buttons_;
    QList<QPushButton*> starts_;
    QPushButton* cancel_;
    QProgressBar* progress_;
    QCheckBox* autoClose_;
    QPlainTextEdit* trace_;
    bool running_ = false;
    bool cancelRequested_ = false;
    bool closePending_ = false;
};

// Opens a radio dialog window-modal over the main window, deleted when it closes.
void ShowRadioDialog(QDialog* dialog);

}  // namespace vgr47
