// Tools > Write data: sends the image to the radio; Test (debug mode) runs the same blocks
// as a dry run into the trace log without the port.
#pragma once

#include "app/transfer_dialog.h"

class QPushButton;

namespace vgr47 {

class WriteDialog : public TransferDialog {
    Q_OBJECT
  public:
    WriteDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent = nullptr);
    QPushButton* writeButton() const { return write_; }
    QPushButton* testButton() const { return test_; }
    void Start() override { Begin(false); }
    void StartDryRun() { Begin(true); }

  protected:
    bool ConfirmCancel() override;

  private:
    void Begin(bool dryRun);
    QPushButton* write_;
    QPushButton* test_;
};

}  // namespace vgr47
