#include "editors/options/options_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/text_ids.h"
#include "editors/common/form_combo.h"

namespace vgr47 {

OptionsView::OptionsView(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                         QWidget* parent)
    : FormView(parent), model_(image, state, texts) {
    setWindowTitle(Qs(texts.GetText(kTextOptionalFeaturesTitle)));
    auto combo = [this] {
        auto* box = new QComboBox(this);
        box->setMaxVisibleItems(12);
        return box;
    };
    auto check = [this, &texts](int text) { return new QCheckBox(Qs(texts.GetText(text)), this); };
    tot_ = combo();
    preAlert_ = combo();
    rekey_ = combo();
    reset_ = combo();
    squelch_ = combo();
    power_ = combo();
    autoAnswer_ = combo();
    ptt_ = combo();
    keyLock_ = check(kTextKeyLock);
    userSettings_ = check(kTextUserSettings);
    disableManualTuning_ = check(kTextDisableManualTuning);
    disableSelfProgramming_ = check(kTextDisableSelfProgramming);
    powerOn_ = check(kTextPowerOn);
    ok_ = new QPushButton(Qs(texts.GetText(kTextOk)), this);
    cancel_ = new QPushButton(Qs(texts.GetText(kTextCancel)), this);

    auto* grid = new QGridLayout;
    const std::pair<int, QComboBox*> left[] = {
        {kTextTimeOutTimer, tot_},   {kTextTotPreAlert, preAlert_}, {kTextTotRekeyTime, rekey_},
        {kTextTotResetTime, reset_}, {kTextSquelchLevel, squelch_}, {kTextPower, power_},
    };
    int row = 0;
    for (const auto& [text, box] : left) {
        grid->addWidget(new QLabel(Qs(texts.GetText(text)), this), row, 0);
        grid->addWidget(box, row++, 1);
    }
    auto* autoAnswerLabel = new QLabel(Qs(texts.GetText(kTextAutoAnswerDelay)), this);
    auto* pttLabel = new QLabel(Qs(texts.GetText(kTextPttMode)), this);
    grid->addWidget(autoAnswerLabel, 0, 3);
    grid->addWidget(autoAnswer_, 0, 4);
    grid->addWidget(pttLabel, 1, 3);
    grid->addWidget(ptt_, 1, 4);
    row = 2;
    for (QCheckBox* box :
         {powerOn_, userSettings_, keyLock_, disableSelfProgramming_, disableManualTuning_})
        grid->addWidget(box, row++, 3, 1, 2);
    grid->setColumnMinimumWidth(1, 110);
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnMinimumWidth(4, 130);

    LayOutWithOkCancel(grid, ok_, cancel_);

    FillCombo(tot_, model_.TotEntries());
    FillCombo(preAlert_, model_.PreAlertEntries());
    FillCombo(rekey_, model_.RekeyEntries());
    FillCombo(reset_, model_.ResetEntries());
    FillCombo(squelch_, OptionModel::SquelchEntries());
    FillCombo(power_, model_.PowerEntries());
    FillCombo(autoAnswer_, model_.AutoAnswerEntries());
    FillCombo(ptt_, model_.PttEntries());
    // Auto-answer and PTT mode belong to the signalling models; elsewhere they only carry
    // their bits through.
    for (QWidget* w : {static_cast<QWidget*>(autoAnswerLabel), static_cast<QWidget*>(autoAnswer_),
                       static_cast<QWidget*>(pttLabel), static_cast<QWidget*>(ptt_)})
        w->setEnabled(model_.signallingEnabled());

    SelectIndex(tot_, model_.tot);
    SelectIndex(preAlert_, model_.preAlert);
    SelectIndex(rekey_, model_.rekey);
    SelectIndex(reset_, model_.reset);
    SelectIndex(squelch_, model_.squelch);
    SelectIndex(power_, model_.power);
    SelectIndex(autoAnswer_, model_.autoAnswer);
    SelectIndex(ptt_, model_.ptt);
    keyLock_->setChecked(model_.keyLock);
    userSettings_->setChecked(model_.userSettings);
    disableManualTuning_->setChecked(model_.disableManualTuning);
    disableSelfProgramming_->setChecked(model_.disableSelfProgramming);
    powerOn_->setChecked(model_.powerOn);

    connect(ok_, &QPushButton::clicked, this, &OptionsView::Ok);
    connect(cancel_, &QPushButton::clicked, this, &FormView::closeRequested);
}

void OptionsView::Ok() {
    model_.tot = tot_->currentIndex();
    model_.preAlert = preAlert_->currentIndex();
    model_.rekey = rekey_->currentIndex();
    model_.reset = reset_->currentIndex();
    model_.squelch = squelch_->currentIndex();
    model_.power = power_->currentIndex();
    model_.autoAnswer = autoAnswer_->currentIndex();
    model_.ptt = ptt_->currentIndex();
    model_.keyLock = keyLock_->isChecked();
    model_.userSettings = userSettings_->isChecked();
    model_.disableManualTuning = disableManualTuning_->isChecked();
    model_.disableSelfProgramming = disableSelfProgramming_->isChecked();
    model_.powerOn = powerOn_->isChecked();
    model_.Store();
    emit closeRequested();
}

}  // namespace vgr47
