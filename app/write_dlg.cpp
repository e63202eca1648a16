#include "app/write_dlg.h"

#include <QPushButton>

#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "link/write_sequence.h"

namespace vgr47 {

WriteDialog::WriteDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent)
    : TransferDialog(env, std::move(maker), kTextWriteTitle, parent) {
    write_ = new QPushButton(QString::fromStdString(env_.texts.GetText(kTextWriteButton)), this);
    test_ = new QPushButton("Test", this);
    AddStartButton(write_);
    AddStartButton(test_);
    test_->setVisible(env_.values.debug);
    connect(write_, &QPushButton::clicked, this, [this] { Begin(false); });
    connect(test_, &QPushButton::clicked, this, [this] { Begin(true); });
}

bool WriteDialog::ConfirmCancel() {
    return env_.messages.Ask(env_.texts.GetText(kTextStopWriteQuestion),
                             env_.texts.GetText(kTextQuestionCaption), Buttons::YesNo,
                             true) == Answer::Yes;
}

void WriteDialog::Begin(bool dryRun) {
    if (running()) return;
    BeginSequence();
    // The stamp goes into the program's image; the worker sends a copy taken here.
    const std::string stamp = VersionStampHex(env_.values.version);
    env_.image.WriteBytes(mem::kVersionStamp, stamp);
    auto copy = std::make_shared<CodeplugImage>();
    copy->SetImageText(env_.image.image());
    const std::string identity = env_.model.currentIdentity();
    const ModelState model = env_.model;
    const std::string port = env_.values.portName;
    RadioThread* radio = radio_.get();
    radio_->Run([=](const LinkContext& link, std::atomic<bool>& cancel) {
        SequenceHooks hooks;
        hooks.cancel = &cancel;
        hooks.progress = [radio](int position, int maximum) {
            emit radio->progress(position, maximum);
        };
        hooks.isSignalling = [&model](const std::string& id) { return model.IsExtendedModel(id); };
        WriteJob job{*copy, identity, stamp};
        const bool ok =
            dryRun ? WriteDryRun(link, job, hooks) : WriteToRadio(link, port, job, hooks).ok();
        PostToUi([this, ok] { EndSequence(ok); });
    });
}

}  // namespace vgr47
