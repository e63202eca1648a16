// Tools > Write data: sends the image to the radio, and reads it back to compare when
// "Verify after writing" is ticked; Test (debug mode) runs the same blocks as a dry run into
// the trace log without the port.
#pragma once

#include "app/transfer_dialog.h"
#include "link/write_sequence.h"

class QCheckBox;
class QPushButton;

namespace vgr47 {

class WriteDialog : public TransferDialog {
    Q_OBJECT
  public:
    WriteDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent = nullptr);
    QPushButton* writeButton() const { return write_; }
    QPushButton* testButton() const { return test_; }
    QCheckBox* verifyBox() const { return verify_; }
    void Start() override { Begin(false); }
    void StartDryRun() { Begin(true); }

  protected:
    bool ConfirmCancel() override;
    bool HoldWhileAsking() const override;
    void StopConfirmedAfterEnd() override;

  private:
    void Begin(bool dryRun);
    void Finish(const WriteResult& result, bool dryRun, int blocks);
    void ShowCodeplug();
    QPushButton* write_;
    QPushButton* test_;
    QCheckBox* verify_;
};

}  // namespace vgr47
