#include "app/form_registry.h"

#include <QTimer>

#include "app/main_frame.h"
#include "app/radio_ports.h"
#include "app/tuning_dlg.h"

namespace vgr47 {
namespace {

void RunTestMode(FormEnv& env) {
    env.image.MarkTestModeStarted();
    const std::string port = env.values.portName;
    RadioPorts* ports = &env.ports;
    auto* dialog = new TuningDlg(env.texts, env.model, env.values.debug, port,
                                 [ports, port] { return ports->Make(port); }, env.messages, &env.frame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    QTimer::singleShot(0, dialog, &TuningDlg::Start);
}

}  // namespace

std::vector<FormEntry> FormEntries() {
    return {
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
        {kCmdTestMode, RunTestMode},
    };
}

}  // namespace vgr47
