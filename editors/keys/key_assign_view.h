// The key assignment form: the monitor key, and the A and B side keys of signalling models.
#pragma once

#include "editors/common/form_view.h"
#include "editors/keys/key_assign_model.h"

class QComboBox;
class QPushButton;

namespace vgr47 {

class KeyAssignView : public FormView {
    Q_OBJECT
  public:
    KeyAssignView(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                  QWidget* parent = nullptr);

    QComboBox* monitorList() const { return monitor_; }
    QComboBox* aKeyList() const { return aKey_; }
    QComboBox* bKeyList() const { return bKey_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void Ok();

    KeyAssignModel model_;
    QComboBox* monitor_;
    QComboBox* aKey_;
    QComboBox* bKey_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace vgr47
