// The 5-tone system parameters form: standard, tone period, receive interval, group call
// and the single-tone decode times, written on OK.
#pragma once

#include "editors/common/form_view.h"
#include "editors/five_tone_system/five_tone_system_model.h"

class QComboBox;
class QPushButton;

namespace vgr47 {

class WrapSpinField;

class FiveToneSystemView : public FormView {
    Q_OBJECT
  public:
    FiveToneSystemView(CodeplugImage& image, const TextCatalogue& texts, QWidget* parent = nullptr);

    FiveToneSystemModel& model() { return model_; }
    QComboBox* standardList() const { return standard_; }
    QComboBox* groupCallList() const { return groupCall_; }
    WrapSpinField* field(FiveToneSystemModel::Field f) const { return fields_[f]; }
    QPushButton* okButton() const { return ok_; }

  private:
    void Refresh();

    FiveToneSystemModel model_;
    QComboBox* standard_;
    QComboBox* groupCall_;
    QComboBox* encodePause_;
    WrapSpinField* fields_[FiveToneSystemModel::kFieldCount];
    QPushButton* ok_;
};

}  // namespace vgr47
