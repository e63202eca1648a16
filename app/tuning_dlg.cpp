#include "app/tuning_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
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
#include <QVBoxLayout>

#include "core/frequency_codec.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "core/text_ids.h"

namespace vgr47 {
namespace {

constexpr int kCompactHeight = 437;

QLabel* Lamp(QWidget* parent) {
    auto* lamp = new QLabel(parent);
    lamp->setFixedSize(14, 14);
    return lamp;
}

void Colour(QLabel* lamp, const char* colour) {
    lamp->setStyleSheet(QString("background:%1; border:1px solid #555; border-radius:7px;").arg(colour));
}

constexpr const char* kLit = "#20c020";
constexpr const char* kTransmitColour = "#e02020";

QString FrequencyText(const std::string& hex8) {
    if (hex8.size() != 8 || hex8 == "FFFFFFFF" || hex8 == "00000000") return {};
    return QString::fromStdString(FormatFrequency(DecodeFrequency(hex8))).trimmed();
}

std::optional<TuningKey> KeyOf(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return TuningKey::Enter;
        case Qt::Key_Escape: return TuningKey::Escape;
        case Qt::Key_Left: return TuningKey::Left;
        case Qt::Key_Up: return TuningKey::Up;
        case Qt::Key_Right: return TuningKey::Right;
        case Qt::Key_F2: return TuningKey::F2;
        case Qt::Key_F5: return TuningKey::F5;
        case Qt::Key_F9: return TuningKey::F9;
        case Qt::Key_F12: return TuningKey::F12;
        default: return std::nullopt;
    }
}

}  // namespace

TuningDlg::TuningDlg(const TextCatalogue& texts, const ModelState& model, bool debug, std::string portName,
                     ConnectionMaker makeConnection, Messages& messages, QWidget* parent)
    : QDialog(parent),
      texts_(texts),
      model_(model),
      debug_(debug),
      portName_(std::move(portName)),
      messages_(messages),
      radio_(std::make_unique<RadioThread>(this, messages, std::move(makeConnection), texts)),
      items_(TuningItems(model.IsExtendedModel())) {
    Build();
    connect(radio_.get(), &RadioThread::traceChanged, trace_, [this](const QString& text, bool reset) {
        if (reset) trace_->clear();
        trace_->moveCursor(QTextCursor::End);
        trace_->insertPlainText(text);
        trace_->moveCursor(QTextCursor::End);
    });
}

TuningDlg::~TuningDlg() {
    // A dialog destroyed without ending (the program closing) still leaves test mode.
    if (!finished_) {
        const bool value = valueShown_, adjusting = adjusting_, keyed = mayBeKeyed_;
        // The worker takes its jobs in order and finishes them before its thread ends.
        Post([=](const LinkContext& link) {
            if (link.port.IsOpen()) TuningEngine(link).LeaveTestMode(value, adjusting, keyed);
        }, {});
    }
    radio_.reset();
}

void TuningDlg::Post(std::function<void(const LinkContext&)> job, std::function<void()> done) {
    radio_->Run([this, job = std::move(job), done = std::move(done)](const LinkContext& link, std::atomic<bool>&) {
        job(link);
        // The dialog outlives its worker's jobs (its destructor waits for them); a call
        // posted while it is being destroyed is dropped with it.
        if (done) QMetaObject::invokeMethod(this, done, Qt::QueuedConnection);
    });
}

QString TuningDlg::T(int number) const { return QString::fromStdString(texts_.GetText(number)); }

void TuningDlg::Build() {
    const bool zh = texts_.isChinese();
    auto caption = [zh](const char* en, const char* cn) { return zh ? QString::fromUtf8(cn) : QString(en); };
    setWindowTitle(caption("Test mode", "测试模式"));

    auto* layout = new QVBoxLayout(this);

    // Test panel.
    testBox_ = new QGroupBox(caption("Test channel", "测试信道"), this);
    auto* test = new QGridLayout(testBox_);
    channelCombo_ = new QComboBox(testBox_);
    signallingCombo_ = new QComboBox(testBox_);
    signallingCombo_->setMaxVisibleItems(20);
    rxLabel_ = new QLabel(testBox_);
    txLabel_ = new QLabel(testBox_);
    rxMarker_ = new QLabel(caption("RX", "接收"), testBox_);
    txMarker_ = new QLabel(caption("TX", "发射"), testBox_);
    wide_ = new QPushButton(caption("Wide", "宽带"), testBox_);
    narrow_ = new QPushButton(caption("Narrow", "窄带"), testBox_);
    ptt_ = new QPushButton("PTT", testBox_);
    wideLamp_ = Lamp(testBox_);
    narrowLamp_ = Lamp(testBox_);
    txLamp_ = Lamp(testBox_);
    test->addWidget(new QLabel(caption("Channel", "信道"), testBox_), 0, 0);
    test->addWidget(channelCombo_, 0, 1);
    test->addWidget(new QLabel(caption("Signalling", "信令"), testBox_), 0, 2);
    test->addWidget(signallingCombo_, 0, 3);
    test->addWidget(rxMarker_, 1, 0);
    test->addWidget(rxLabel_, 1, 1);
    test->addWidget(txMarker_, 1, 2);
    test->addWidget(txLabel_, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(wideLamp_);
    buttons->addWidget(wide_);
    buttons->addWidget(narrowLamp_);
    buttons->addWidget(narrow_);
    buttons->addWidget(txLamp_);
    buttons->addWidget(ptt_);
    test->addLayout(buttons, 2, 0, 1, 4);
    layout->addWidget(testBox_);

    auto* middle = new QHBoxLayout;
    toggle_ = new QPushButton(T(kTextEnterAdjust), this);
    exit_ = new QPushButton(caption("Exit", "退出"), this);
    middle->addWidget(toggle_);
    middle->addStretch();
    middle->addWidget(exit_);
    layout->addLayout(middle);

    // Adjusting panel.
    adjustBox_ = new QGroupBox(caption("Alignment", "校准"), this);
    auto* adjust = new QGridLayout(adjustBox_);
    itemList_ = new QListWidget(adjustBox_);
    for (const TuningItem& item : items_) itemList_->addItem(T(item.textNumber));
    itemList_->setMinimumWidth(170);
    tune_ = new QPushButton(caption("Tune", "调整"), adjustBox_);
    adjust->addWidget(itemList_, 0, 0, 6, 1);
    adjust->addWidget(tune_, 6, 0);
    pages_ = new QTabBar(adjustBox_);
    adjust->addWidget(pages_, 0, 1, 1, 4);
    refRx_ = new QLabel(adjustBox_);
    refTx_ = new QLabel(adjustBox_);
    adjust->addWidget(new QLabel(caption("RX", "接收"), adjustBox_), 1, 1);
    adjust->addWidget(refRx_, 1, 2);
    adjust->addWidget(new QLabel(caption("TX", "发射"), adjustBox_), 1, 3);
    adjust->addWidget(refTx_, 1, 4);
    slider_ = new QSlider(Qt::Horizontal, adjustBox_);
    slider_->setRange(0, kTuningValueMax);
    adjust->addWidget(new QLabel("0", adjustBox_), 2, 1);
    adjust->addWidget(slider_, 2, 2, 1, 2);
    adjust->addWidget(new QLabel("255", adjustBox_), 2, 4);
    auto* valueRow = new QHBoxLayout;
    valueField_ = new QLineEdit(adjustBox_);
    valueField_->setValidator(new QIntValidator(0, 999, valueField_));
    valueField_->setMaxLength(3);
    valueField_->setFixedWidth(60);
    valueDown_ = new QToolButton(adjustBox_);
    valueDown_->setArrowType(Qt::DownArrow);
    valueUp_ = new QToolButton(adjustBox_);
    valueUp_->setArrowType(Qt::UpArrow);
    progress_ = new QProgressBar(adjustBox_);
    progress_->setRange(0, kTuningValueMax);
    progress_->setFormat("%v");
    valueRow->addWidget(valueField_);
    valueRow->addWidget(valueDown_);
    valueRow->addWidget(valueUp_);
    valueRow->addWidget(progress_, 1);
    adjust->addLayout(valueRow, 3, 1, 1, 4);
    auto* adjButtons = new QHBoxLayout;
    adjWide_ = new QPushButton(caption("Wide", "宽带"), adjustBox_);
    adjNarrow_ = new QPushButton(caption("Narrow", "窄带"), adjustBox_);
    adjPtt_ = new QPushButton("PTT", adjustBox_);
    adjWideLamp_ = Lamp(adjustBox_);
    adjNarrowLamp_ = Lamp(adjustBox_);
    adjTxLamp_ = Lamp(adjustBox_);
    adjButtons->addWidget(adjWideLamp_);
    adjButtons->addWidget(adjWide_);
    adjButtons->addWidget(adjNarrowLamp_);
    adjButtons->addWidget(adjNarrow_);
    adjButtons->addWidget(adjTxLamp_);
    adjButtons->addWidget(adjPtt_);
    adjust->addLayout(adjButtons, 4, 1, 1, 4);
    auto* storeRow = new QHBoxLayout;
    store_ = new QPushButton(caption("Store", "保存"), adjustBox_);
    discard_ = new QPushButton(caption("Discard", "放弃"), adjustBox_);
    storeRow->addStretch();
    storeRow->addWidget(store_);
    storeRow->addWidget(discard_);
    adjust->addLayout(storeRow, 5, 1, 2, 4);
    layout->addWidget(adjustBox_);

    status_ = new QLabel(this);
    status_->setWordWrap(true);
    layout->addWidget(status_);
    trace_ = new QPlainTextEdit(this);
    trace_->setReadOnly(true);
    trace_->setVisible(debug_);
    trace_->setMinimumHeight(120);
    layout->addWidget(trace_);

    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(channelCombo_, &QComboBox::activated, this, [this](int position) {
        Send([position](TuningEngine& e) { return e.SelectTestChannel(position); },
             [this, position](bool ok) {
                 if (ok) ShowChannel(position);
             });
    });
    connect(signallingCombo_, &QComboBox::activated, this, [this](int position) {
        Send([position](TuningEngine& e) { return e.SelectSignalling(position); }, {});
    });
    connect(wide_, &QPushButton::clicked, this, [this] { PanelBandwidth(true); });
    connect(narrow_, &QPushButton::clicked, this, [this] { PanelBandwidth(false); });
    connect(ptt_, &QPushButton::clicked, this, &TuningDlg::PanelPtt);
    connect(toggle_, &QPushButton::clicked, this, &TuningDlg::ToggleAdjusting);
    connect(exit_, &QPushButton::clicked, this, &TuningDlg::Exit);
    connect(tune_, &QPushButton::clicked, this, &TuningDlg::Tune);
    connect(store_, &QPushButton::clicked, this, [this] { StoreOrDiscard(true); });
    connect(discard_, &QPushButton::clicked, this, [this] { StoreOrDiscard(false); });
    connect(adjWide_, &QPushButton::clicked, this, [this] { AdjustBandwidth(true); });
    connect(adjNarrow_, &QPushButton::clicked, this, [this] { AdjustBandwidth(false); });
    connect(adjPtt_, &QPushButton::clicked, this, &TuningDlg::AdjustPtt);
    connect(valueField_, &QLineEdit::textChanged, this, &TuningDlg::ValueTextChanged);
    connect(slider_, &QSlider::valueChanged, this, [this](int v) {
        if (!updatingValue_) valueField_->setText(QString::number(v));
    });
    connect(valueUp_, &QToolButton::clicked, this,
            [this] { valueField_->setText(QString::number(StepValue(slider_->value(), 1))); });
    connect(valueDown_, &QToolButton::clicked, this,
            [this] { valueField_->setText(QString::number(StepValue(slider_->value(), -1))); });
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    SetPanelEnabled(true);
    testBox_->setEnabled(false);
    toggle_->setEnabled(false);
    ShowIndicators();
    if (!debug_) {
        adjustSize();
        resize(width(), std::max(kCompactHeight, minimumSizeHint().height()));
    }
}

void TuningDlg::Send(std::function<bool(TuningEngine&)> call, std::function<void(bool)> after) {
    ++busy_;
    auto ok = std::make_shared<bool>(false);
    Post([call = std::move(call), ok](const LinkContext& link) {
                     TuningEngine engine(link);
                     *ok = call(engine);
                 },
                 [this, ok, after = std::move(after)] {
                     --busy_;
                     if (after) after(*ok);
                     if (busy_ == 0) emit settled();
                 });
}

void TuningDlg::Start() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto entry = std::make_shared<TuningEntry>();
    auto opened = std::make_shared<bool>(false);
    auto entered = std::make_shared<bool>(false);
    ++busy_;
    Post(
        [this, entry, opened, entered](const LinkContext& link) {
            TuningEngine engine(link);
            *opened = engine.OpenPort(portName_);
            *entered = *opened && engine.Enter(*entry);
        },
        [this, entry, opened, entered] {
            --busy_;
            QApplication::restoreOverrideCursor();
            if (!*opened) {
                End();  // the port could not be opened: message 3020 was shown
                return;
            }
            EntryDone(*entered, *entry);
        });
}

void TuningDlg::EntryDone(bool ok, const TuningEntry& entry) {
    entered_ = ok;
    if (ok) {
        testChannels_ = entry.testChannels;
        channelCombo_->clear();
        for (int n = 1; n <= kTestChannelCount; ++n) channelCombo_->addItem(QString::number(n));
        channelCombo_->setCurrentIndex(0);
        ShowChannel(0);
        status_->setText(T(kTextTuningStatusTest));
        references_ = TuningReferenceFrequencies(model_.bandLow(), model_.bandHigh());
        signallingCombo_->clear();
        for (const std::string& s : TuningSignallingList(texts_.GetText(kTextNone)))
            signallingCombo_->addItem(QString::fromStdString(s));
        signallingCombo_->setCurrentIndex(0);
        testBox_->setEnabled(true);
        toggle_->setEnabled(true);
        channelCombo_->setFocus();
    }
    emit entryFinished(ok);
    if (busy_ == 0) emit settled();
}

void TuningDlg::ShowChannel(int position) {
    if (position < 0 || position >= static_cast<int>(testChannels_.size())) return;
    const std::string& record = testChannels_[position];
    rxLabel_->setText(FrequencyText(record.substr(0, 8)));
    txLabel_->setText(FrequencyText(record.substr(8, 8)));
}

void TuningDlg::SetPanelEnabled(bool testPanel) {
    testBox_->setEnabled(testPanel && entered_);
    adjustBox_->setEnabled(!testPanel);
    itemList_->setEnabled(!testPanel && !valueShown_);
    tune_->setEnabled(!testPanel && !valueShown_);
    for (QWidget* w : std::initializer_list<QWidget*>{slider_, valueField_, valueUp_, valueDown_, progress_, store_,
                                                       discard_, adjWide_, adjNarrow_, adjPtt_})
        w->setEnabled(!testPanel && valueShown_);
}

void TuningDlg::ShowIndicators() {
    wideLamp_->setVisible(wideActive_);
    narrowLamp_->setVisible(!wideActive_);
    Colour(wideLamp_, kLit);
    Colour(narrowLamp_, kLit);
    Colour(txLamp_, transmitting_ ? kTransmitColour : kLit);
    rxMarker_->setVisible(!transmitting_);
    txMarker_->setVisible(transmitting_);
    adjWideLamp_->setVisible(adjustWide_);
    adjNarrowLamp_->setVisible(!adjustWide_);
    Colour(adjWideLamp_, kLit);
    Colour(adjNarrowLamp_, kLit);
    Colour(adjTxLamp_, adjustTransmitting_ ? kTransmitColour : kLit);
}

void TuningDlg::PanelBandwidth(bool wide) {
    // Each button acts only while the other bandwidth is on.
    if (wide == wideActive_) return;
    Send([wide](TuningEngine& e) { return wide ? e.SwitchToWide() : e.SwitchToNarrow(); },
         [this, wide](bool ok) {
             if (!ok) return;
             wideActive_ = wide;
             transmitting_ = false;
             ShowIndicators();
         });
}

void TuningDlg::SendPtt(bool on) {
    if (on) mayBeKeyed_ = true;
    Send([on](TuningEngine& e) { return e.Transmit(on); },
         [this, on](bool ok) {
             if (!on && ok) mayBeKeyed_ = false;
         });
}

void TuningDlg::PanelPtt() {
    const bool on = !transmitting_;
    transmitting_ = on;
    ShowIndicators();
    SendPtt(on);
}

void TuningDlg::AdjustBandwidth(bool wide) {
    if (wide == adjustWide_) return;
    auto value = std::make_shared<std::optional<int>>();
    Send([wide, value](TuningEngine& e) {
             *value = wide ? e.AdjustWide() : e.AdjustNarrow();
             return true;
         },
         [this, wide, value](bool) {
             // Only a complete reply carries a value; anything else leaves the controls alone.
             if (*value) {
                 ShowValue(**value);
             }
             adjustWide_ = wide;
             adjustTransmitting_ = false;
             ShowIndicators();
             valueField_->setFocus();
         });
}

void TuningDlg::AdjustPtt() {
    const bool on = !adjustTransmitting_;
    adjustTransmitting_ = on;
    ShowIndicators();
    SendPtt(on);
    valueField_->setFocus();
}

void TuningDlg::ToggleAdjusting() {
    if (!entered_ || valueShown_ || busy_ > 0) return;
    const bool enter = !adjusting_;
    Send([enter](TuningEngine& e) { return enter ? e.EnterAdjusting() : e.LeaveAdjusting(); },
         [this, enter](bool ok) {
             if (!ok) {
                 End();
                 return;
             }
             adjusting_ = enter;
             SetPanelEnabled(!enter);
             exit_->setVisible(!enter);
             toggle_->setText(T(enter ? kTextLeaveAdjust : kTextEnterAdjust));
             status_->setText(T(enter ? kTextTuningStatusAdjust : kTextTuningStatusTest));
             if (enter) {
                 itemList_->setCurrentRow(0);
                 itemList_->setFocus();
             } else {
                 channelCombo_->setFocus();
             }
             if (escaping_) EscapeChain();
         });
}

void TuningDlg::Tune() {
    if (!adjusting_ || valueShown_ || busy_ > 0) return;
    const int row = itemList_->currentRow();
    if (row < 0 || !itemList_->currentItem() || !itemList_->currentItem()->isSelected()) {
        messages_.ShowMessage(texts_.GetText(kTextNoTuneItemSelected));
        return;
    }
    const int code = items_[row].code;
    while (pages_->count() > 0) pages_->removeTab(0);
    for (int title : TuningPageTitles(code)) pages_->addTab(T(title));
    if (references_.size() == 6) {
        refRx_->setText(QString::fromStdString(references_[1]).trimmed());
        refTx_->setText(QString::fromStdString(references_[4]).trimmed());
    }
    auto value = std::make_shared<std::optional<int>>();
    Send([code, value](TuningEngine& e) {
             *value = e.Tune(code);
             return value->has_value();
         },
         [this, value](bool ok) {
             if (!ok) {
                 End();
                 return;
             }
             ShowValue(**value);
             valueShown_ = true;
             SetPanelEnabled(false);
             toggle_->setVisible(false);
             status_->setText(T(kTextTuningStatusValue));
             valueField_->setFocus();
             valueField_->selectAll();
         });
}

void TuningDlg::ShowValue(int value) {
    // The radio's own value: shown in all three controls, nothing sent back.
    updatingValue_ = true;
    valueField_->setText(QString::number(value));
    slider_->setValue(value);
    progress_->setValue(value);
    updatingValue_ = false;
}

void TuningDlg::ValueTextChanged(const QString& text) {
    if (updatingValue_ || !valueShown_) return;
    const ValueFieldOutcome outcome = ValueFieldChanged(text.toStdString());
    if (outcome.rewrite) {
        valueField_->setText(QString::fromStdString(*outcome.rewrite));  // comes back here
        if (!outcome.send) return;
    }
    if (!outcome.send) return;
    updatingValue_ = true;
    slider_->setValue(*outcome.send);
    progress_->setValue(*outcome.send);
    updatingValue_ = false;
    QueueValue(*outcome.send);
}

void TuningDlg::QueueValue(int value) {
    if (valueInFlight_) {
        queuedValue_ = value;
        return;
    }
    valueInFlight_ = true;
    Send([value](TuningEngine& e) { return e.SetValue(value); },
         [this](bool) {
             valueInFlight_ = false;
             if (queuedValue_) {
                 const int next = *queuedValue_;
                 queuedValue_.reset();
                 QueueValue(next);
             }
         });
}

void TuningDlg::StoreOrDiscard(bool store) {
    if (!valueShown_) return;
    if (store && queuedValue_) {
        // The last position the user chose goes to the radio before it is stored.
        const int last = *queuedValue_;
        queuedValue_.reset();
        Send([last](TuningEngine& e) { return e.SetValue(last); }, {});
    }
    if (!store) queuedValue_.reset();
    Send([store](TuningEngine& e) { return store ? e.Store() : e.Discard(); },
         [this](bool ok) {
             if (!ok) {
                 End();
                 return;
             }
             valueShown_ = false;
             toggle_->setVisible(true);
             SetPanelEnabled(false);
             status_->setText(T(kTextTuningStatusAdjust));
             itemList_->setFocus();
             if (escaping_) EscapeChain();
         });
}

void TuningDlg::Exit() { End(); }

void TuningDlg::EscapeChain() {
    escaping_ = true;
    if (!entered_) {
        End();
        return;
    }
    if (ending_) return;
    switch (EscapeStep(KeyState())) {
        case TuningAction::Discard: StoreOrDiscard(false); break;
        case TuningAction::ToggleAdjusting:
            if (busy_ > 0) {
                // Wait for the command in flight; the chain goes on when it has finished.
                connect(this, &TuningDlg::settled, this, &TuningDlg::EscapeChain, Qt::SingleShotConnection);
                return;
            }
            ToggleAdjusting();
            break;
        default: End(); break;
    }
}

void TuningDlg::End() {
    if (ending_) return;
    ending_ = true;
    testBox_->setEnabled(false);
    adjustBox_->setEnabled(false);
    toggle_->setEnabled(false);
    exit_->setEnabled(false);
    auto finish = [this] {
        finished_ = true;
        done(QDialog::Accepted);
    };
    const bool value = valueShown_, adjusting = adjusting_, keyed = mayBeKeyed_;
    queuedValue_.reset();
    ++busy_;
    // Skipped when the port never opened (the entry may still be running: the worker takes
    // its jobs in order, so this one sees the port as the entry left it).
    Post(
        [=](const LinkContext& link) {
            if (link.port.IsOpen()) TuningEngine(link).LeaveTestMode(value, adjusting, keyed);
        },
        [this, finish] {
                     --busy_;
                     mayBeKeyed_ = false;
                     finish();
                 });
}

TuningKeyState TuningDlg::KeyState() const {
    TuningKeyState s;
    s.adjusting = adjusting_;
    s.storeShown = valueShown_;
    s.toggleEnabled = toggle_->isVisible() && toggle_->isEnabled();
    s.valueFocused = valueField_->hasFocus();
    return s;
}

bool TuningDlg::HandleKey(TuningKey key) {
    auto action = KeyAction(key, KeyState());
    if (!action) return key == TuningKey::Enter;  // Enter never closes the dialog
    switch (*action) {
        case TuningAction::Store: StoreOrDiscard(true); break;
        case TuningAction::Tune: Tune(); break;
        case TuningAction::Discard: StoreOrDiscard(false); break;
        case TuningAction::ToggleAdjusting: ToggleAdjusting(); break;
        case TuningAction::Exit: EscapeChain(); break;
        case TuningAction::ValueDown:
            if (valueShown_) valueField_->setText(QString::number(StepValue(slider_->value(), -1)));
            break;
        case TuningAction::ValueUp:
            if (valueShown_) valueField_->setText(QString::number(StepValue(slider_->value(), 1)));
            break;
        case TuningAction::ClearTrace:
            Post([](const LinkContext& link) { link.trace.Clear(); }, {});
            break;
    }
    return true;
}

bool TuningDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto key = KeyOf(static_cast<QKeyEvent*>(event)->key())) {
            if (*key == TuningKey::Escape) {
                EscapeChain();
                return true;
            }
            if (HandleKey(*key)) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TuningDlg::keyPressEvent(QKeyEvent* event) {
    if (auto key = KeyOf(event->key())) {
        if (*key == TuningKey::Escape) {
            EscapeChain();
            return;
        }
        if (HandleKey(*key)) return;
    }
    QDialog::keyPressEvent(event);
}

void TuningDlg::closeEvent(QCloseEvent* event) {
    if (finished_) {
        event->accept();
        return;
    }
    if (ending_) {
        event->ignore();
        return;
    }
    // Closing the window leaves test mode the way Escape does, so the radio is never left
    // transmitting or in test mode.
    event->ignore();
    EscapeChain();
}

}  // namespace vgr47
