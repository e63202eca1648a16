#include "editors/scan/scan_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "core/text_ids.h"
#include "editors/common/form_combo.h"

namespace vgr47 {

ScanView::ScanView(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                   const ChannelModel& channels, QMdiArea* mdiArea, QWidget* parent)
    : FormView(parent),
      model_(image, state, texts, channels),
      function_(new QComboBox(this)),
      powerOnScan_(new QComboBox(this)),
      priority_(new QComboBox(this)),
      revert_(new QComboBox(this)),
      txPause_(new QComboBox(this)),
      dwell_(new QComboBox(this)),
      hold_(new QComboBox(this)),
      holdLabel_(new QLabel(Qs(texts.GetText(kTextSignallingHoldTime)), this)),
      ok_(new QPushButton(Qs(texts.GetText(kTextOk)), this)),
      cancel_(new QPushButton(Qs(texts.GetText(kTextCancel)), this)) {
    setWindowTitle(Qs(texts.GetText(kTextScan)));
    auto* grid = new QGridLayout;
    const std::pair<int, QComboBox*> rows[] = {
        {kTextScanType, function_},        {kTextPowerOnScanOption, powerOnScan_},
        {kTextPriorityChannel, priority_}, {kTextRevertChannel, revert_},
        {kTextTxPauseTime, txPause_},      {kTextDwellTime, dwell_},
    };
    int row = 0;
    for (const auto& [text, box] : rows) {
        grid->addWidget(new QLabel(Qs(texts.GetText(text)), this), row, 0);
        grid->addWidget(box, row++, 1);
    }
    grid->addWidget(holdLabel_, row, 0);
    grid->addWidget(hold_, row, 1);
    grid->setColumnMinimumWidth(1, 170);
    hold_->setMaxVisibleItems(12);
    // The hold time is a signalling feature; the rows close up without it.
    holdLabel_->setVisible(model_.holdShown());
    hold_->setVisible(model_.holdShown());

    LayOutWithOkCancel(grid, ok_, cancel_);
    SetPlacementOffset(QPoint(5, 25));

    FillCombo(function_, model_.FunctionEntries());
    FillCombo(powerOnScan_, model_.PowerOnScanEntries());
    FillCombo(priority_, model_.PriorityEntries());
    FillCombo(txPause_, ScanModel::PauseEntries());
    FillCombo(dwell_, ScanModel::PauseEntries());
    FillCombo(hold_, model_.HoldEntries());
    Sync();

    connect(function_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.SetFunction(index);
        Sync();
    });
    connect(priority_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.SetPriority(index);
        Sync();
    });
    connect(revert_, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.SetRevert(index); });
    connect(ok_, &QPushButton::clicked, this, &ScanView::Ok);
    connect(cancel_, &QPushButton::clicked, this, &FormView::closeRequested);
    if (mdiArea)
        connect(mdiArea, &QMdiArea::subWindowActivated, this, &ScanView::SubWindowActivated);
}

void ScanView::Sync() {
    SelectIndex(function_, model_.function());
    SelectIndex(priority_, model_.priority());
    FillCombo(revert_, model_.RevertEntries());
    SelectIndex(revert_, model_.revert());
    SelectIndex(txPause_, model_.txPause);
    SelectIndex(dwell_, model_.dwell);
    SelectIndex(hold_, model_.hold);
    SelectIndex(powerOnScan_, model_.powerOnScan);
    function_->setEnabled(model_.functionEnabled());
    for (QComboBox* box : {priority_, revert_, txPause_, dwell_, hold_, powerOnScan_})
        box->setEnabled(model_.othersEnabled());
}

void ScanView::SubWindowActivated(QMdiSubWindow* window) {
    QWidget* mine = parentWidget();
    if (window && window == mine) {
        wasActive_ = true;
        return;
    }
    // No window at all (another application, a message box) does not count; neither does a
    // child window activated while this one is still being opened.
    if (!window || !wasActive_ || closing_) return;
    closing_ = true;
    QMetaObject::invokeMethod(this, &FormView::closeRequested, Qt::QueuedConnection);
}

void ScanView::Ok() {
    model_.txPause = txPause_->currentIndex();
    model_.dwell = dwell_->currentIndex();
    model_.hold = hold_->currentIndex();
    model_.powerOnScan = powerOnScan_->currentIndex();
    model_.Store();
    closing_ = true;
    emit closeRequested();
}

}  // namespace vgr47
