#include "app/form_registry.h"

#include <QMdiSubWindow>
#include <QTimer>

#include "app/main_frame.h"
#include "app/fleet_dlg.h"
#include "app/radio_info_dlg.h"
#include "app/radio_ports.h"
#include "app/read_dlg.h"
#include "app/tuning_dlg.h"
#include "app/write_dlg.h"
#include "editors/acs/auto_channel_select_view.h"
#include "editors/dtmf/dtmf_view.h"
#include "editors/five_tone_codes/five_tone_codes_view.h"
#include "editors/five_tone_system/five_tone_system_view.h"
#include "editors/keys/key_assign_view.h"
#include "editors/model_info/model_info_view.h"
#include "editors/options/options_view.h"
#include "editors/port/port_view.h"
#include "editors/scan/scan_view.h"
#include "editors/test_freq/test_frequency_view.h"
#include "editors/two_tone/two_tone_view.h"

namespace vgr47 {
namespace {

void RunTestMode(FormEnv& env) {
    env.image.MarkTestModeStarted();
    auto* dialog = new TuningDlg(env.texts, env.model, env.values.debug, env.values.portName,
                                 DefaultConnection(env.values, env.ports), env.messages, &env.frame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    QTimer::singleShot(0, dialog, &TuningDlg::Start);
}

}  // namespace

std::vector<FormEntry> FormEntries() {
    return {
        {kCmdDtmf,
         [](FormEnv& e) -> FormView* {
             return DtmfModel::Available(e.image) ? new DtmfView(e.image, e.texts, e.messages)
                                                  : nullptr;
         },
         [](const FormEnv& e) { return DtmfModel::Available(e.image); }},
        // No menu item (removed at start-up in every edition); the command itself stays.
        {kCmdAutoChannelSelect,
         [](FormEnv& e) -> FormView* {
             return AcsModel::Available(e.image)
                        ? new AutoChannelSelectView(e.image, e.model, e.texts, e.channels)
                        : nullptr;
         },
         [](const FormEnv& e) { return AcsModel::Available(e.image); }},
        {kCmdKeySettings,
         [](FormEnv& e) -> FormView* { return new KeyAssignView(e.image, e.model, e.texts); }},
        {kCmdScan,
         [](FormEnv& e) -> FormView* {
             return new ScanView(e.image, e.model, e.texts, e.channels, e.frame.mdiArea());
         }},
        {kCmdOptionalFeatures,
         [](FormEnv& e) -> FormView* { return new OptionsView(e.image, e.model, e.texts); }},
        // 5-tone forms: not offered when the image ends before their region.
        {kCmdFiveToneSystem,
         [](FormEnv& e) -> FormView* {
             if (!FiveToneSystemModel::Available(e.image)) return nullptr;
             return new FiveToneSystemView(e.image, e.texts);
         },
         [](const FormEnv& e) { return FiveToneSystemModel::Available(e.image); }},
        {kCmdFiveToneEnDecode,
         [](FormEnv& e) -> FormView* {
             if (!FiveToneEnDecodeModel::Available(e.image)) return nullptr;
             return new FiveToneCodesView(e.image, e.texts, e.messages);
         },
         [](const FormEnv& e) { return FiveToneEnDecodeModel::Available(e.image); }},
        {kCmdPort,
         [](FormEnv& e) -> FormView* {
             return new PortView(e.texts, e.values.programDir, e.values.portName,
                                 [&e](const std::string& name) { e.frame.SetPortName(name); });
         }},
        {kCmdModelInformation,
         [](FormEnv& e) -> FormView* {
             ModelInfoView::Actions actions;
             actions.save = e.save;
             actions.closeKeyAssignForm = [&e] {
                 if (QMdiSubWindow* keys = e.frame.openForm(kCmdKeySettings)) keys->close();
             };
             actions.imageReplaced = e.imageReplaced;
             return new ModelInfoView(e.image, e.model, e.messages, e.texts, e.values.version,
                                      actions);
         }},
        {kCmdTestFrequency,
         [](FormEnv& e) -> FormView* { return new TestFrequencyView(e.image, e.model, e.texts); }},
        {kCmdTwoTone,
         [](FormEnv& e) -> FormView* {
             // The 2-tone tables lie beyond the end of an image read from a basic radio.
             if (!TwoToneModel::Available(e.image)) return nullptr;
             return new TwoToneView(e.image, e.texts);
         },
         [](const FormEnv& e) { return TwoToneModel::Available(e.image); }},
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
        {kCmdReadData, [](FormEnv& e) { ShowRadioDialog(new ReadDialog(e, DefaultConnection(e.values, e.ports), &e.frame)); }},
        {kCmdWriteData, [](FormEnv& e) { ShowRadioDialog(new WriteDialog(e, DefaultConnection(e.values, e.ports), &e.frame)); }},
        {kCmdRadioInformation,
         [](FormEnv& e) { ShowRadioDialog(new RadioInfoDialog(e, DefaultConnection(e.values, e.ports), &e.frame)); }},
        {kCmdTestMode, RunTestMode},
        {kCmdWriteSeveral, ShowFleetDialog},
        // The debug menu's link test: the information exchange, with its trace, image untouched.
        {kCmdTest1,
         [](FormEnv& e) { ShowRadioDialog(new RadioInfoDialog(e, DefaultConnection(e.values, e.ports), &e.frame)); }},
    };
}

}  // namespace vgr47
