// Tools > Read data: reads the radio's memory and installs it as the program's image.
#pragma once

#include "app/transfer_dialog.h"
#include "link/read_sequence.h"

class QPushButton;

namespace vgr47 {

class ReadDialog : public TransferDialog {
    Q_OBJECT
  public:
    ReadDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent = nullptr);
    QPushButton* readButton() const { return read_; }
    void Start() override;

  private:
    void Finish(const ReadResult& result);
    QPushButton* read_;
};

}  // namespace vgr47
