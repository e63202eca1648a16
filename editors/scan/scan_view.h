// The scan form. It behaves like a small modal panel: switching to another child window of
// the main window discards its unsaved changes, as Cancel would.
#pragma once

#include "editors/common/form_view.h"
#include "editors/scan/scan_model.h"

class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace vgr47 {

class ScanView : public FormView {
    Q_OBJECT
  public:
    // mdiArea: the main window's child window area, watched for another child window becoming
    // active; may be null (the form shown on its own).
    ScanView(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
             const ChannelModel& channels, QMdiArea* mdiArea = nullptr, QWidget* parent = nullptr);

    QComboBox* functionList() const { return function_; }
    QComboBox* priorityList() const { return priority_; }
    QComboBox* revertList() const { return revert_; }
    QComboBox* txPauseList() const { return txPause_; }
    QComboBox* holdList() const { return hold_; }
    QComboBox* powerOnScanList() const { return powerOnScan_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void Ok();
    void SubWindowActivated(QMdiSubWindow* window);
    // Shows the model's selections, revert entries and enable states.
    void Sync();

    ScanModel model_;
    QComboBox* function_;
    QComboBox* powerOnScan_;
    QComboBox* priority_;
    QComboBox* revert_;
    QComboBox* txPause_;
    QComboBox* dwell_;
    QComboBox* hold_;
    QLabel* holdLabel_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool wasActive_ = false;
    bool closing_ = false;
};

}  // namespace vgr47
