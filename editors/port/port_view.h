// The port form: choose the serial device of the programming cable (or the simulated radio).
#pragma once

#include <functional>
#include <string>

#include "core/text_catalogue.h"
#include "editors/common/form_view.h"
#include "editors/port/port_choice_model.h"

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

namespace vgr47 {

// Opens and closes the named device, as a radio dialog would open it. It may block for as
// long as the device driver takes, so the form calls it off the UI thread.
PortProbe ProbeSerialDevice(const std::string& name);

// The devices the system lists right now (COM1..COM16 on Windows).
std::vector<PortChoiceModel::Candidate> SystemSerialPorts();

class PortView : public FormView {
    Q_OBJECT
  public:
    // Probing stops waiting for a device after this long; it is then shown disabled.
    static constexpr int kProbeTimeLimitMs = 3000;

    struct Options {
        std::vector<PortChoiceModel::Candidate> candidates;
        std::function<PortProbe(const std::string&)> probe = ProbeSerialDevice;
        int probeTimeLimitMs = kProbeTimeLimitMs;
    };

    // programDir: where system.ini is. currentPort: the program's port name, set on OK.
    // portStored: told the stored name (the status bar shows it).
    PortView(const TextCatalogue& texts, std::string programDir, std::string& currentPort,
             std::function<void(const std::string&)> portStored, Options options,
             QWidget* parent = nullptr);
    PortView(const TextCatalogue& texts, std::string programDir, std::string& currentPort,
             std::function<void(const std::string&)> portStored, QWidget* parent = nullptr);

    const PortChoiceModel& model() const { return model_; }
    QRadioButton* button(int entry) const;
    QRadioButton* typedButton() const { return typedButton_; }
    QLineEdit* pathEdit() const { return pathEdit_; }
    // True while probes are still outstanding.
    bool probing() const { return !model_.PendingProbes().empty(); }

    void Ok();

  private:
    void StartProbes();
    void ShowProbes();

    const TextCatalogue& texts_;
    std::string programDir_;
    std::string& currentPort_;
    std::function<void(const std::string&)> portStored_;
    Options options_;
    PortChoiceModel model_;
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    QRadioButton* typedButton_;
    QLineEdit* pathEdit_;
};

}  // namespace vgr47
