#include "app/form_registry.h"

#include <QMdiSubWindow>
#include <QTimer>

#include "app/main_frame.h"
#include "app/radio_info_dlg.h"
#include "app/radio_ports.h"
#include "app/read_dlg.h"
#include "app/tuning_dlg.h"
#include "app/write_dlg.h"
#include "editors/acs/acs_frm.h"
#include "editors/dtmf/dtmf_frm.h"
#include "editors/five_tone_codes/fivetone_endecode_frm.h"
#include "editors/five_tone_system/fivetone_system_frm.h"
#include "editors/keys/key_assign_frm.h"
#include "editors/model_info/radio_info_frm.h"
#include "editors/options/option_frm.h"
#include "editors/port/set_com_frm.h"
#include "editors/scan/scan_frm.h"
#include "editors/test_freq/test_freq_frm.h"
#include "editors/two_tone/two_tone_frm.h"

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
             return DtmfModel::Available(e.image) ? new CDTMFFrm(e.image, e.texts, e.messages) : nullptr;
         },
         [](const FormEnv& e) { return DtmfModel::Available(e.image); }},
        // No menu item (removed at start-up in every edition); the command itself stays.
        {kCmdAutoChannelSelect,
         [](FormEnv& e) -> FormView* {
             return AcsModel::Available(e.image) ? new CACSFrm(e.image, e.model, e.texts, e.channels) : nullptr;
         },
         [](const FormEnv& e) { return AcsModel::Available(e.image); }},
        {kCmdKeySettings, [](FormEnv& e) -> FormView* { return new CKeyAssignFrm(e.image, e.model, e.texts); }},
        {kCmdScan,
         [](FormEnv& e) -> FormView* {
             return new CScanFrm(e.image, e.model, e.texts, e.channels, e.frame.mdiArea());
         }},
        {kCmdOptionalFeatures, [](FormEnv& e) -> FormView* { return new COptionFrm(e.image, e.model, e.texts); }},
        // 5-tone forms: not offered when the image ends before their region.
        {kCmdFiveToneSystem,
         [](FormEnv& e) -> FormView* {
             if (!FiveToneSystemModel::Available(e.image)) return nullptr;
             return new C5ToneSysParaFrm(e.image, e.texts);
         },
         [](const FormEnv& e) { return FiveToneSystemModel::Available(e.image); }},
        {kCmdFiveToneEnDecode,
         [](FormEnv& e) -> FormView* {
             if (!FiveToneEnDecodeModel::Available(e.image)) return nullptr;
             return new C5ToneEnDecodeFrm(e.image, e.texts, e.messages);
         },
         [](const FormEnv& e) { return FiveToneEnDecodeModel::Available(e.image); }},
        {kCmdPort,
         [](FormEnv& e) -> FormView* {
             return new CSetComFrm(e.texts, e.values.programDir, e.values.portName,
                                   [&e](const std::string& name) { e.frame.SetPortName(name); });
         }},
        {kCmdModelInformation,
         [](FormEnv& e) -> FormView* {
             CRadioInfoFrm::Actions actions;
             actions.save = e.save;
             actions.closeKeyAssignForm = [&e] {
                 if (QMdiSubWindow* keys = e.frame.openForm(kCmdKeySettings)) keys->close();
             };
             actions.imageReplaced = e.imageReplaced;
             return new CRadioInfoFrm(e.image, e.model, e.messages, e.texts, e.values.version,
                                      actions);
         }},
        {kCmdTestFrequency,
         [](FormEnv& e) -> FormView* { return new CTestFreqFrm(e.image, e.model, e.texts); }},
        {kCmdTwoTone,
         [](FormEnv& e) -> FormView* {
             // The 2-tone tables lie beyond the end of an image read from a basic radio.
             if (!TwoToneModel::Available(e.image)) return nullptr;
             return new C2ToneEnDecodeFrm(e.image, e.texts);
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
        // The debug menu's link test: the information exchange, with its trace, image untouched.
        {kCmdTest1,
         [](FormEnv& e) { ShowRadioDialog(new RadioInfoDialog(e, DefaultConnection(e.values, e.ports), &e.frame)); }},
    };
}

}  // namespace vgr47
