// The technician's test mode: a view over the test-mode session. Every button and key is
// one call of the session on the dialog's worker thread; the window never waits for the
// radio and shows only the session's truth as it comes back.
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/radio_worker.h"
#include "app/tuning_widgets.h"
#include "link/test_mode_session.h"

namespace vgr47 {

class ModelState;
class TextCatalogue;

class TuningDlg : public QDialog {
    Q_OBJECT
  public:
    TuningDlg(const TextCatalogue& texts, const ModelState& model, bool debug, std::string portName,
              ConnectionMaker makeConnection, Messages& messages, QWidget* parent = nullptr);
    ~TuningDlg() override;

    // Opens the port and runs the entry sequence (called once the dialog is shown).
    void Start();

    // The session's truth as the dialog shows it now.
    const TestModeTruth& truth() const { return truth_; }
    const TuningWidgets& widgets() const { return w_; }

    // The dialog's key table; true when the key was handled.
    bool HandleKey(TuningKey key);

  signals:
    // The entry sequence finished (ok false: it failed, the dialog stays open without data).
    void entryFinished(bool ok);
    // Every call posted so far has come back and is shown.
    void settled();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using Call = std::function<void(TestModeSession&)>;
    QString T(int number) const;
    void Connect();
    // Runs the call on the worker's session; its truth then comes back and is shown, and
    // after (if any) runs. A value call is dropped when the next call is a newer value.
    void Post(Call call, std::function<void()> after = {}, bool isValue = false);
    void Show(const TestModeTruth& truth);
    void ShowFailures(const std::vector<LinkFailure>& failures);
    void ShowPanels(const TestModeTruth& t);
    void ShowValue(int value);
    void FillLists();
    // Starts a way out; the dialog closes when the session has left.
    void Leave(void (TestModeSession::*way)());
    void Tune();
    void ValueTextChanged(const QString& text);
    void StepValue(int delta);

    const TextCatalogue& texts_;
    const ModelState& model_;
    std::string portName_;
    Messages& messages_;
    std::vector<TuningItem> items_;
    TuningWidgets w_;
    std::unique_ptr<RadioThread> radio_;
    // The session's truth: the worker's own, touched by its jobs only, and the copy shown.
    std::shared_ptr<TestModeTruth> workerTruth_ = std::make_shared<TestModeTruth>();
    TestModeTruth truth_;
    TestModeState shownState_ = TestModeState::Outside;
    int pending_ = 0;
    int valuesShown_ = 0;
    bool listsFilled_ = false;
    bool leaving_ = false;
    bool finished_ = false;
    bool updatingValue_ = false;
    bool waitCursor_ = false;
    // Set to drop the last value call posted, while no other call followed it.
    std::shared_ptr<std::atomic<bool>> lastValueDropped_;
};

}  // namespace vgr47
