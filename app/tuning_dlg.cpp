#include "app/tuning_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTextCursor>
#include <QToolButton>

#include "core/frequency_codec.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "core/text_ids.h"
#include "link/transfer_report.h"

namespace vgr47 {
namespace {

QString FrequencyText(const std::string& hex8) {
    if (hex8.size() != 8 || hex8 == "FFFFFFFF" || hex8 == "00000000") return {};
    return QString::fromStdString(FormatFrequency(DecodeFrequency(hex8))).trimmed();
}

std::optional<TuningKey> KeyOf(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return TuningKey::Enter;
        case Qt::Key_Escape:
            return TuningKey::Escape;
        case Qt::Key_Left:
            return TuningKey::Left;
        case Qt::Key_Up:
            return TuningKey::Up;
        case Qt::Key_Right:
            return TuningKey::Right;
        case Qt::Key_F2:
            return TuningKey::F2;
        case Qt::Key_F5:
            return TuningKey::F5;
        case Qt::Key_F9:
            return TuningKey::F9;
        case Qt::Key_F12:
            return TuningKey::F12;
        default:
            return std::nullopt;
    }
}

int StatusText(const TestModeTruth& t) {
    if (t.ValueShown()) return kTextTuningStatusValue;
    if (t.InAdjusting()) return kTextTuningStatusAdjust;
    if (t.InTestPanel()) return kTextTuningStatusTest;
    return 0;
}

}  // namespace

TuningDlg::TuningDlg(const TextCatalogue& texts, const ModelState& model, bool debug,
                     std::string portName, ConnectionMaker makeConnection, Messages& messages,
                     QWidget* parent)
    : QDialog(parent),
      texts_(texts),
      model_(model),
      portName_(std::move(portName)),
      messages_(messages),
      items_(TuningItems(model.IsExtendedModel())),
      w_(BuildTuningWidgets(*this, texts, items_, debug)),
      radio_(std::make_unique<RadioThread>(this, std::move(makeConnection))) {
    Connect();
    Show(truth_);
}

TuningDlg::~TuningDlg() {
    // A dialog destroyed without ending (the program closing) still leaves test mode; the
    // worker finishes its jobs in order before its thread ends.
    if (waitCursor_) QApplication::restoreOverrideCursor();
    if (!finished_) {
        std::shared_ptr<TestModeTruth> truth = workerTruth_;
        radio_->Run([truth](const LinkContext& link, std::atomic<bool>&) {
            TuningEngine engine(link);
            TestModeSession(engine, *truth).Abandon();
        });
    }
    radio_->Stop();
    radio_.reset();
}

QString TuningDlg::T(int number) const { return QString::fromStdString(texts_.GetText(number)); }

void TuningDlg::Connect() {
    connect(radio_.get(), &RadioThread::traceChanged, w_.trace,
            [this](const QString& text, bool reset) {
                if (reset) w_.trace->clear();
                w_.trace->moveCursor(QTextCursor::End);
                w_.trace->insertPlainText(text);
                w_.trace->moveCursor(QTextCursor::End);
            });
    auto on = [this](QPushButton* button, Call call) {
        connect(button, &QPushButton::clicked, this, [this, call] { Post(call); });
    };
    on(w_.wide, [](TestModeSession& s) { s.Wide(); });
    on(w_.narrow, [](TestModeSession& s) { s.Narrow(); });
    on(w_.ptt, [](TestModeSession& s) { s.Ptt(); });
    on(w_.toggle, [](TestModeSession& s) { s.ToggleAdjusting(); });
    on(w_.store, [](TestModeSession& s) { s.Store(); });
    on(w_.discard, [](TestModeSession& s) { s.Discard(); });
    on(w_.adjWide, [](TestModeSession& s) { s.AdjustWide(); });
    on(w_.adjNarrow, [](TestModeSession& s) { s.AdjustNarrow(); });
    on(w_.adjPtt, [](TestModeSession& s) { s.AdjustPtt(); });
    for (QPushButton* b : {w_.adjWide, w_.adjNarrow, w_.adjPtt}) {
        connect(b, &QPushButton::clicked, this, [this] {
            if (truth_.ValueShown()) w_.valueField->setFocus();
        });
    }
    connect(w_.exit, &QPushButton::clicked, this, [this] { Leave(&TestModeSession::Exit); });
    connect(w_.tune, &QPushButton::clicked, this, &TuningDlg::Tune);
    connect(w_.channelCombo, &QComboBox::activated, this,
            [this](int n) { Post([n](TestModeSession& s) { s.SelectChannel(n); }); });
    connect(w_.signallingCombo, &QComboBox::activated, this,
            [this](int n) { Post([n](TestModeSession& s) { s.SelectSignalling(n); }); });
    connect(w_.valueField, &QLineEdit::textChanged, this, &TuningDlg::ValueTextChanged);
    connect(w_.slider, &QSlider::valueChanged, this, [this](int v) {
        if (!updatingValue_) w_.valueField->setText(QString::number(v));
    });
    connect(w_.valueUp, &QToolButton::clicked, this, [this] { StepValue(1); });
    connect(w_.valueDown, &QToolButton::clicked, this, [this] { StepValue(-1); });
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

void TuningDlg::Post(Call call, std::function<void()> after, bool isValue) {
    std::shared_ptr<std::atomic<bool>> dropped;
    if (isValue) {
        // The slider moves faster than the radio answers: only the latest position matters.
        if (lastValueDropped_) lastValueDropped_->store(true);
        dropped = lastValueDropped_ = std::make_shared<std::atomic<bool>>(false);
    } else {
        lastValueDropped_.reset();
    }
    ++pending_;
    std::shared_ptr<TestModeTruth> truth = workerTruth_;
    RadioThread* radio = radio_.get();
    radio_->Run([this, radio, call = std::move(call), after = std::move(after), dropped, truth](
                    const LinkContext& link, std::atomic<bool>&) {
        if (!dropped || !dropped->load()) {
            TuningEngine engine(link);
            TestModeSession session(engine, *truth);
            call(session);
            // Said before the call's outcome is shown, the worker waiting as for a question.
            const std::vector<LinkFailure> failures = engine.TakeFailures();
            if (!failures.empty()) {
                radio->OnUi([this, failures] {
                    ShowFailures(failures);
                    return Answer::Yes;
                });
            }
        }
        // The dialog outlives its worker's jobs (its destructor waits for them); a call
        // posted while it is being destroyed is dropped with it.
        radio->PostToUi([this, shown = *truth, after] {
            --pending_;
            if (finished_) return;
            Show(shown);
            if (after) after();
            if (pending_ == 0) emit settled();
        });
    });
}

void TuningDlg::ShowFailures(const std::vector<LinkFailure>& failures) {
    const auto text = [this](int n) { return texts_.GetText(n); };
    for (const LinkFailure& failure : failures) {
        if (failure.kind == FailureKind::PortNotOpened)
            messages_.ShowMessage(FailureText(failure, text, kTextTuningPortOpenFailed));
        else
            messages_.ShowWarning(FailureText(failure, text));
    }
}

void TuningDlg::Start() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    waitCursor_ = true;
    Post([port = portName_](TestModeSession& s) { s.Start(port); },
         [this] {
             QApplication::restoreOverrideCursor();
             waitCursor_ = false;
             emit entryFinished(truth_.InTestPanel());
         });
}

void TuningDlg::Show(const TestModeTruth& t) {
    truth_ = t;
    if (t.state == TestModeState::Leaving) {
        // The session has left test mode (or never entered it): the dialog ends.
        finished_ = true;
        done(QDialog::Accepted);
        return;
    }
    if (!listsFilled_ && t.InTestPanel()) FillLists();
    // Calls still on their way change the truth again: the lists and the focus follow once
    // the last one is back, so a quick second choice is not undone by the first reply.
    if (pending_ > 0) return;
    TestModeTruth before;
    before.state = shownState_;
    shownState_ = t.state;
    ShowPanels(t);
    if (t.valuesRead != valuesShown_) {
        valuesShown_ = t.valuesRead;
        ShowValue(t.value);
    }
    if (!before.InAdjusting() && t.InAdjusting()) {
        w_.itemList->setCurrentRow(0);
        w_.itemList->setFocus();
    } else if (!before.InTestPanel() && t.InTestPanel()) {
        w_.channelCombo->setFocus();
    }
    if (!before.ValueShown() && t.ValueShown()) {
        w_.valueField->setFocus();
        w_.valueField->selectAll();
    } else if (before.ValueShown() && !t.ValueShown() && t.InAdjusting()) {
        w_.itemList->setFocus();
    }
}

void TuningDlg::ShowPanels(const TestModeTruth& t) {
    const bool live = !leaving_, adjusting = t.InAdjusting(), value = t.ValueShown();
    const bool transmitting = t.Transmitting(), narrow = t.told.narrow;
    w_.testBox->setEnabled(live && t.InTestPanel());
    w_.adjustBox->setEnabled(live && adjusting);
    w_.itemList->setEnabled(adjusting && !value);
    w_.tune->setEnabled(adjusting && !value);
    for (QWidget* control : w_.ValueControls()) control->setEnabled(value);
    // The bandwidth and transmit buttons stay usable for the whole adjusting state, so the
    // PTT that keyed the transmitter can always release it.
    for (QWidget* control : {w_.adjWide, w_.adjNarrow, w_.adjPtt}) control->setEnabled(adjusting);
    w_.toggle->setVisible(!value);
    w_.toggle->setEnabled(live && t.ToggleEnabled());
    w_.toggle->setText(T(adjusting ? kTextLeaveAdjust : kTextEnterAdjust));
    w_.exit->setVisible(!adjusting);
    w_.exit->setEnabled(live);
    for (QLabel* lamp : {w_.wideLamp, w_.adjWideLamp}) lamp->setVisible(!narrow);
    for (QLabel* lamp : {w_.narrowLamp, w_.adjNarrowLamp}) lamp->setVisible(narrow);
    for (QLabel* lamp : {w_.txLamp, w_.adjTxLamp}) LightLamp(lamp, transmitting);
    w_.rxMarker->setVisible(!transmitting);
    w_.txMarker->setVisible(transmitting);
    if (listsFilled_) {
        const int channel = t.told.channel;
        w_.channelCombo->setCurrentIndex(channel);
        w_.signallingCombo->setCurrentIndex(t.told.signalling);
        const std::vector<std::string>& records = t.entry.testChannels;
        if (channel >= 0 && channel < static_cast<int>(records.size())) {
            w_.rxFrequency->setText(FrequencyText(records[channel].substr(0, 8)));
            w_.txFrequency->setText(FrequencyText(records[channel].substr(8, 8)));
        }
    }
    const int status = StatusText(t);
    w_.status->setText(status ? T(status) : QString());
}

void TuningDlg::FillLists() {
    listsFilled_ = true;
    w_.channelCombo->clear();
    for (int n = 1; n <= kTestChannelCount; ++n) w_.channelCombo->addItem(QString::number(n));
    w_.signallingCombo->clear();
    for (const std::string& s : TuningSignallingList(texts_.GetText(kTextNone)))
        w_.signallingCombo->addItem(QString::fromStdString(s));
}

void TuningDlg::ShowValue(int value) {
    // The radio's own value: shown in all three controls, nothing sent back.
    updatingValue_ = true;
    w_.valueField->setText(QString::number(value));
    w_.slider->setValue(value);
    w_.progress->setValue(value);
    updatingValue_ = false;
}

void TuningDlg::Leave(void (TestModeSession::*way)()) {
    if (leaving_ || finished_) return;
    leaving_ = true;
    for (QWidget* w : {static_cast<QWidget*>(w_.testBox), static_cast<QWidget*>(w_.adjustBox),
                       static_cast<QWidget*>(w_.toggle), static_cast<QWidget*>(w_.exit)})
        w->setEnabled(false);
    Post([way](TestModeSession& s) { (s.*way)(); });
}

void TuningDlg::Tune() {
    if (!truth_.InAdjusting() || truth_.ValueShown()) return;
    const int row = w_.itemList->currentRow();
    if (row < 0 || !w_.itemList->currentItem()->isSelected()) {
        messages_.ShowMessage(texts_.GetText(kTextNoTuneItemSelected));
        return;
    }
    const int code = items_[row].code;
    while (w_.pages->count() > 0) w_.pages->removeTab(0);
    for (int title : TuningPageTitles(code)) w_.pages->addTab(T(title));
    const auto references = TuningReferenceFrequencies(model_.bandLow(), model_.bandHigh());
    w_.refRx->setText(QString::fromStdString(references[1]).trimmed());
    w_.refTx->setText(QString::fromStdString(references[4]).trimmed());
    Post([code](TestModeSession& s) { s.Tune(code); });
}

void TuningDlg::ValueTextChanged(const QString& text) {
    if (updatingValue_ || !truth_.ValueShown()) return;
    // One edit, one value: a rewritten text is not handled a second time.
    const ValueFieldOutcome outcome = ValueFieldChanged(text.toStdString());
    updatingValue_ = true;
    if (outcome.rewrite) w_.valueField->setText(QString::fromStdString(*outcome.rewrite));
    w_.slider->setValue(outcome.send);
    w_.progress->setValue(outcome.send);
    updatingValue_ = false;
    const int value = outcome.send;
    Post([value](TestModeSession& s) { s.SetValue(value); }, {}, true);
}

void TuningDlg::StepValue(int delta) {
    if (truth_.ValueShown())
        w_.valueField->setText(QString::number(vgr47::StepValue(w_.slider->value(), delta)));
}

bool TuningDlg::HandleKey(TuningKey key) {
    if (key == TuningKey::Escape) {
        Leave(&TestModeSession::Escape);
        return true;
    }
    const auto action = KeyAction(key, truth_.KeyState(w_.valueField->hasFocus()));
    if (!action) return key == TuningKey::Enter;  // Enter never closes the dialog
    switch (*action) {
        case TuningAction::Tune:
            Tune();
            break;
        case TuningAction::ValueDown:
            StepValue(-1);
            break;
        case TuningAction::ValueUp:
            StepValue(1);
            break;
        case TuningAction::Exit:
            Leave(&TestModeSession::Exit);
            break;
        case TuningAction::ClearTrace:
            radio_->Run([](const LinkContext& link, std::atomic<bool>&) { link.trace.Clear(); });
            break;
        default: {
            const TuningAction pressed = *action;
            Post([pressed](TestModeSession& s) { s.Press(pressed, std::nullopt); });
        }
    }
    return true;
}

bool TuningDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto key = KeyOf(static_cast<QKeyEvent*>(event)->key()); key && HandleKey(*key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TuningDlg::keyPressEvent(QKeyEvent* event) {
    if (auto key = KeyOf(event->key()); key && HandleKey(*key)) return;
    QDialog::keyPressEvent(event);
}

void TuningDlg::reject() {
    // Closing the window leaves test mode the way Escape does, so the radio is never left
    // transmitting or in test mode.
    Leave(&TestModeSession::Escape);
}

void TuningDlg::closeEvent(QCloseEvent* event) {
    if (finished_) {
        event->accept();
        return;
    }
    event->ignore();
    Leave(&TestModeSession::Escape);
}

}  // namespace vgr47
