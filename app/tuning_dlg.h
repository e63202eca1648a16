// The technician's test mode: test channels, signalling, bandwidth and transmit, and in the
// adjusting state the radio's alignment values one item at a time. Every action is one
// command on the dialog's worker thread; the window never waits for the radio.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

#include "app/radio_worker.h"
#include "link/tuning_engine.h"
#include "link/tuning_panel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabBar;
class QToolButton;
class QGroupBox;

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

    // For tests and the key handling.
    bool adjusting() const { return adjusting_; }
    bool valueShown() const { return valueShown_; }
    bool entered() const { return entered_; }
    bool mayBeKeyed() const { return mayBeKeyed_; }
    QComboBox* channelCombo() const { return channelCombo_; }
    QComboBox* signallingCombo() const { return signallingCombo_; }
    QListWidget* itemList() const { return itemList_; }
    QLineEdit* valueField() const { return valueField_; }
    QSlider* slider() const { return slider_; }
    QTabBar* pages() const { return pages_; }
    QLabel* statusLine() const { return status_; }
    QPushButton* toggleButton() const { return toggle_; }
    QPushButton* tuneButton() const { return tune_; }
    QPushButton* storeButton() const { return store_; }
    QPushButton* discardButton() const { return discard_; }
    QPushButton* exitButton() const { return exit_; }
    QPushButton* panelWide() const { return wide_; }
    QPushButton* panelNarrow() const { return narrow_; }
    QPushButton* panelPtt() const { return ptt_; }
    QLabel* rxFrequency() const { return rxLabel_; }
    QLabel* txFrequency() const { return txLabel_; }

    // The dialog's key table; true when the key was handled.
    bool HandleKey(TuningKey key);

signals:
    // The entry sequence finished (ok false: it failed, the dialog stays open without data).
    void entryFinished(bool ok);
    // A command finished and no other is waiting.
    void settled();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override { EscapeChain(); }
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString T(int number) const;
    // Runs job on the worker thread, then done (if any) on the UI thread.
    void Post(std::function<void(const LinkContext&)> job, std::function<void()> done);
    void Build();
    // Runs an engine call on the worker; then runs after on the UI thread.
    void Send(std::function<bool(TuningEngine&)> call, std::function<void(bool ok)> after);
    void EntryDone(bool ok, const TuningEntry& entry);
    void ShowChannel(int position);
    void SetPanelEnabled(bool testPanel);
    void ShowIndicators();
    // Actions (the dialog's buttons).
    void ToggleAdjusting();
    void Tune();
    void StoreOrDiscard(bool store);
    void Exit();
    void EscapeChain();
    void ShowValue(int value);
    void ValueTextChanged(const QString& text);
    void QueueValue(int value);
    void PanelBandwidth(bool wide);
    void AdjustBandwidth(bool wide);
    void PanelPtt();
    void AdjustPtt();
    // The dialog ends (exit, Escape, close box, or a failure): the radio is put back out of
    // test mode first.
    void End();
    void SendPtt(bool on);
    TuningKeyState KeyState() const;

    const TextCatalogue& texts_;
    const ModelState& model_;
    bool debug_;
    std::string portName_;
    Messages& messages_;
    std::unique_ptr<RadioThread> radio_;
    std::vector<TuningItem> items_;
    std::vector<std::string> testChannels_;
    std::vector<std::string> references_;

    bool entered_ = false;
    bool adjusting_ = false;
    bool valueShown_ = false;
    bool ending_ = false;
    bool finished_ = false;
    // Set when CPT goes out, cleared only when CPR is acknowledged.
    bool mayBeKeyed_ = false;
    bool escaping_ = false;
    bool wideActive_ = true;
    bool transmitting_ = false;
    bool adjustWide_ = true;
    bool adjustTransmitting_ = false;
    bool updatingValue_ = false;
    int busy_ = 0;
    // The value waiting to be sent while a value command runs (the slider moves faster than
    // the radio answers; only the latest position matters).
    std::optional<int> queuedValue_;
    bool valueInFlight_ = false;

    QComboBox* channelCombo_;
    QComboBox* signallingCombo_;
    QLabel* rxLabel_;
    QLabel* txLabel_;
    QPushButton* wide_;
    QPushButton* narrow_;
    QPushButton* ptt_;
    QLabel* wideLamp_;
    QLabel* narrowLamp_;
    QLabel* txLamp_;
    QLabel* rxMarker_;
    QLabel* txMarker_;
    QGroupBox* testBox_;
    QGroupBox* adjustBox_;
    QPushButton* toggle_;
    QPushButton* exit_;
    QListWidget* itemList_;
    QPushButton* tune_;
    QTabBar* pages_;
    QSlider* slider_;
    QLineEdit* valueField_;
    QToolButton* valueUp_;
    QToolButton* valueDown_;
    QProgressBar* progress_;
    QLabel* refRx_;
    QLabel* refTx_;
    QPushButton* adjWide_;
    QPushButton* adjNarrow_;
    QPushButton* adjPtt_;
    QLabel* adjWideLamp_;
    QLabel* adjNarrowLamp_;
    QLabel* adjTxLamp_;
    QPushButton* store_;
    QPushButton* discard_;
    QLabel* status_;
    QPlainTextEdit* trace_;
};

}  // namespace vgr47
