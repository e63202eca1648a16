// The optional features form: general settings read when the form opens, all written on OK.
#pragma once

#include "editors/common/form_view.h"
#include "editors/options/option_model.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vgr47 {

class OptionsView : public FormView {
    Q_OBJECT
  public:
    OptionsView(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                QWidget* parent = nullptr);

    QComboBox* totList() const { return tot_; }
    QComboBox* squelchList() const { return squelch_; }
    QComboBox* pttList() const { return ptt_; }
    QComboBox* autoAnswerList() const { return autoAnswer_; }
    QCheckBox* keyLockBox() const { return keyLock_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void Ok();

    OptionModel model_;
    QComboBox* tot_;
    QComboBox* preAlert_;
    QComboBox* rekey_;
    QComboBox* reset_;
    QComboBox* squelch_;
    QComboBox* power_;
    QComboBox* autoAnswer_;
    QComboBox* ptt_;
    QCheckBox* keyLock_;
    QCheckBox* userSettings_;
    QCheckBox* disableManualTuning_;
    QCheckBox* disableSelfProgramming_;
    QCheckBox* powerOn_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace vgr47
