#include "editors/keys/key_assign_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/text_ids.h"
#include "editors/common/form_combo.h"

namespace vgr47 {

KeyAssignView::KeyAssignView(CodeplugImage& image, const ModelState& state,
                             const TextCatalogue& texts, QWidget* parent)
    : FormView(parent),
      model_(image, state, texts),
      monitor_(new QComboBox(this)),
      aKey_(new QComboBox(this)),
      bKey_(new QComboBox(this)),
      ok_(new QPushButton(Qs(texts.GetText(kTextOk)), this)),
      cancel_(new QPushButton(Qs(texts.GetText(kTextCancel)), this)) {
    setWindowTitle(Qs(texts.GetText(kTextKeySettingsTitle)));
    auto* grid = new QGridLayout;
    auto* aLabel = new QLabel(Qs(texts.GetText(kTextKeyA)), this);
    auto* bLabel = new QLabel(Qs(texts.GetText(kTextKeyB)), this);
    // The side keys come first; on a basic model the monitor key moves up into their place.
    grid->addWidget(aLabel, 0, 0);
    grid->addWidget(aKey_, 0, 1);
    grid->addWidget(bLabel, 1, 0);
    grid->addWidget(bKey_, 1, 1);
    grid->addWidget(new QLabel(Qs(texts.GetText(kTextMonitorKey)), this), 2, 0);
    grid->addWidget(monitor_, 2, 1);
    grid->setColumnMinimumWidth(1, 170);
    // The option box only carries its byte through; the form never shows it.
    auto* option = new QCheckBox(Qs(texts.GetText(kTextKeyOption)), this);
    option->setChecked(model_.optionByte != 0);
    option->hide();

    LayOutWithOkCancel(grid, ok_, cancel_);
    SetPlacementOffset(QPoint(150, 80));

    FillCombo(monitor_, model_.MonitorEntries());
    FillCombo(aKey_, model_.AKeyEntries());
    FillCombo(bKey_, model_.BKeyEntries());
    if (!model_.sideKeysShown()) {
        for (QWidget* w : {static_cast<QWidget*>(aLabel), static_cast<QWidget*>(aKey_),
                           static_cast<QWidget*>(bLabel), static_cast<QWidget*>(bKey_)})
            w->hide();
    }
    SelectIndex(monitor_, model_.monitor);
    SelectIndex(aKey_, model_.aKey);
    SelectIndex(bKey_, model_.bKey);

    connect(ok_, &QPushButton::clicked, this, &KeyAssignView::Ok);
    connect(cancel_, &QPushButton::clicked, this, &FormView::closeRequested);
}

void KeyAssignView::Ok() {
    model_.monitor = monitor_->currentIndex();
    model_.aKey = aKey_->currentIndex();
    model_.bKey = bKey_->currentIndex();
    model_.Store();
    emit closeRequested();
}

}  // namespace vgr47
