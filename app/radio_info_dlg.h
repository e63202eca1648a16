// Tools > Radio information: asks the radio for its model and versions when the dialog
// opens; there is no button to ask again.
#pragma once

#include <QDialog>
#include <memory>

#include "app/form_registry.h"
#include "app/radio_worker.h"
#include "link/radio_info.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vgr47 {

class RadioInfoDialog : public QDialog {
    Q_OBJECT
  public:
    RadioInfoDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent = nullptr);
    ~RadioInfoDialog() override;

    QLineEdit* modelField() const { return model_; }
    QLineEdit* firmwareField() const { return firmware_; }
    QLineEdit* softwareField() const { return software_; }
    QPlainTextEdit* traceLog() const { return trace_; }
    bool running() const { return running_; }

  signals:
    void exchangeFinished(bool complete);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void Ask();
    void Finish(const RadioInfo& info);

    FormEnv& env_;
    std::unique_ptr<RadioThread> radio_;
    QLineEdit* model_;
    QLineEdit* firmware_;
    QLineEdit* software_;
    QPlainTextEdit* trace_;
    QPushButton* ok_;
    bool asked_ = false;
    bool running_ = false;
    bool closePending_ = false;
};

}  // namespace vgr47
