#include "app/tuning_widgets.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/text_catalogue.h"
#include "core/text_ids.h"
#include "link/tuning_engine.h"

namespace vgr47 {
namespace {

constexpr int kCompactHeight = 437;

void KeepSpaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

QLabel* Lamp(QWidget* parent) {
    auto* lamp = new QLabel(parent);
    lamp->setFixedSize(14, 14);
    KeepSpaceWhenHidden(lamp);
    LightLamp(lamp, false);
    return lamp;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets) row->addWidget(w);
    return row;
}

}  // namespace

void LightLamp(QLabel* lamp, bool transmit) {
    lamp->setStyleSheet(QString("background:%1; border:1px solid #555; border-radius:7px;")
                            .arg(transmit ? "#e02020" : "#20c020"));
}

std::vector<QWidget*> TuningWidgets::ValueControls() const {
    return {slider, valueField, valueUp, valueDown, progress, store, discard};
}

TuningWidgets BuildTuningWidgets(QDialog& dialog, const TextCatalogue& texts,
                                 const std::vector<TuningItem>& items, bool debug) {
    auto T = [&texts](int number) { return QString::fromStdString(texts.GetText(number)); };
    TuningWidgets w{};
    dialog.setWindowTitle(T(kTextTestModeTitle));
    auto* layout = new QVBoxLayout(&dialog);

    w.testBox = new QGroupBox(T(kTextTestPanel), &dialog);
    QGroupBox* box = w.testBox;
    auto* test = new QGridLayout(box);
    w.channelCombo = new QComboBox(box);
    w.signallingCombo = new QComboBox(box);
    w.signallingCombo->setMaxVisibleItems(20);
    w.rxFrequency = new QLabel(box);
    w.txFrequency = new QLabel(box);
    w.rxMarker = new QLabel(T(kTextTestReceive), box);
    w.txMarker = new QLabel(T(kTextTestTransmit), box);
    KeepSpaceWhenHidden(w.rxMarker);
    KeepSpaceWhenHidden(w.txMarker);
    w.wide = new QPushButton(T(kTextTestWide), box);
    w.narrow = new QPushButton(T(kTextTestNarrow), box);
    w.ptt = new QPushButton("PTT", box);
    w.wideLamp = Lamp(box);
    w.narrowLamp = Lamp(box);
    w.txLamp = Lamp(box);
    test->addWidget(new QLabel(T(kTextTestChannelLabel), box), 0, 0);
    test->addWidget(w.channelCombo, 0, 1);
    test->addWidget(new QLabel(T(kTextTestSignallingLabel), box), 0, 2);
    test->addWidget(w.signallingCombo, 0, 3);
    test->addWidget(w.rxMarker, 1, 0);
    test->addWidget(w.rxFrequency, 1, 1);
    test->addWidget(w.txMarker, 1, 2);
    test->addWidget(w.txFrequency, 1, 3);
    test->addLayout(Row({w.wideLamp, w.wide, w.narrowLamp, w.narrow, w.txLamp, w.ptt}), 2, 0, 1, 4);
    layout->addWidget(box);

    // Both buttons hide in some states; the panel below must not move when they do.
    auto* middle = new QHBoxLayout;
    w.toggle = new QPushButton(T(kTextEnterAdjust), &dialog);
    w.exit = new QPushButton(T(kTextTestExit), &dialog);
    KeepSpaceWhenHidden(w.toggle);
    KeepSpaceWhenHidden(w.exit);
    middle->addWidget(w.toggle);
    middle->addStretch();
    middle->addWidget(w.exit);
    layout->addLayout(middle);

    w.adjustBox = new QGroupBox(T(kTextAlignmentPanel), &dialog);
    box = w.adjustBox;
    auto* adjust = new QGridLayout(box);
    w.itemList = new QListWidget(box);
    for (const TuningItem& item : items) w.itemList->addItem(T(item.textNumber));
    w.itemList->setMinimumWidth(170);
    w.tune = new QPushButton(T(kTextTuneButton), box);
    adjust->addWidget(w.itemList, 0, 0, 6, 1);
    adjust->addWidget(w.tune, 6, 0);
    w.pages = new QTabBar(box);
    // The pages come with the first value; their height is kept from the start.
    w.pages->addTab(T(kTextMiddle));
    w.pages->setMinimumHeight(w.pages->sizeHint().height());
    w.pages->removeTab(0);
    adjust->addWidget(w.pages, 0, 1, 1, 4);
    w.refRx = new QLabel(box);
    w.refTx = new QLabel(box);
    adjust->addWidget(new QLabel(T(kTextTestReceive), box), 1, 1);
    adjust->addWidget(w.refRx, 1, 2);
    adjust->addWidget(new QLabel(T(kTextTestTransmit), box), 1, 3);
    adjust->addWidget(w.refTx, 1, 4);
    w.slider = new QSlider(Qt::Horizontal, box);
    w.slider->setRange(0, kTuningValueMax);
    adjust->addWidget(new QLabel("0", box), 2, 1);
    adjust->addWidget(w.slider, 2, 2, 1, 2);
    adjust->addWidget(new QLabel(QString::number(kTuningValueMax), box), 2, 4);
    w.valueField = new QLineEdit(box);
    w.valueField->setValidator(new QIntValidator(0, 999, w.valueField));
    w.valueField->setMaxLength(3);
    w.valueField->setFixedWidth(60);
    w.valueDown = new QToolButton(box);
    w.valueDown->setArrowType(Qt::DownArrow);
    w.valueUp = new QToolButton(box);
    w.valueUp->setArrowType(Qt::UpArrow);
    w.progress = new QProgressBar(box);
    w.progress->setRange(0, kTuningValueMax);
    w.progress->setFormat("%v");
    auto* valueRow = Row({w.valueField, w.valueDown, w.valueUp});
    valueRow->addWidget(w.progress, 1);
    adjust->addLayout(valueRow, 3, 1, 1, 4);
    w.adjWide = new QPushButton(T(kTextTestWide), box);
    w.adjNarrow = new QPushButton(T(kTextTestNarrow), box);
    w.adjPtt = new QPushButton("PTT", box);
    w.adjWideLamp = Lamp(box);
    w.adjNarrowLamp = Lamp(box);
    w.adjTxLamp = Lamp(box);
    adjust->addLayout(
        Row({w.adjWideLamp, w.adjWide, w.adjNarrowLamp, w.adjNarrow, w.adjTxLamp, w.adjPtt}), 4, 1,
        1, 4);
    auto* storeRow = new QHBoxLayout;
    w.store = new QPushButton(T(kTextStoreButton), box);
    w.discard = new QPushButton(T(kTextDiscardButton), box);
    storeRow->addStretch();
    storeRow->addWidget(w.store);
    storeRow->addWidget(w.discard);
    adjust->addLayout(storeRow, 5, 1, 2, 4);
    layout->addWidget(box);

    w.status = new QLabel(&dialog);
    w.status->setWordWrap(true);
    // Two lines whatever the state's help text, so the panels above keep their size.
    w.status->setMinimumHeight(2 * w.status->fontMetrics().lineSpacing());
    layout->addWidget(w.status);
    w.trace = new QPlainTextEdit(&dialog);
    w.trace->setReadOnly(true);
    w.trace->setVisible(debug);
    w.trace->setMinimumHeight(120);
    layout->addWidget(w.trace);

    // Enter belongs to the key table, never to a default button.
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    if (!debug) {
        dialog.adjustSize();
        dialog.resize(dialog.width(), std::max(kCompactHeight, dialog.minimumSizeHint().height()));
    }
    return w;
}

}  // namespace vgr47
