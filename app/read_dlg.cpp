#include "app/read_dlg.h"

#include <QPushButton>

#include "core/text_ids.h"
#include "link/transfer_report.h"

namespace vgr47 {

ReadDialog::ReadDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent)
    : TransferDialog(env, std::move(maker), kTextReadTitle, parent) {
    read_ = new QPushButton(T(kTextReadButton), this);
    AddStartButton(read_);
    connect(read_, &QPushButton::clicked, this, &ReadDialog::Start);
    read_->setFocus();
}

void ReadDialog::Start() {
    if (running()) return;
    BeginSequence();
    const std::string port = env_.values.portName;
    const SequenceHooks hooks = MakeHooks(radio_->cancelFlag(), false, BackupKind::Read);
    radio_->Run([this, hooks, port](const LinkContext& link, std::atomic<bool>&) {
        ReadResult result = ReadFromRadio(link, port, hooks);
        PostToUi([this, result] { Finish(result); });
    });
}

void ReadDialog::Finish(const ReadResult& result) {
    if (result.failure) {
        std::string text =
            FailureText(*result.failure, [this](int n) { return env_.texts.GetText(n); });
        // A read that breaks off says that the codeplug in the window was not touched; one
        // whose end command alone failed has been installed.
        if (!result.ok()) text += "\n\n" + env_.texts.GetText(kTextReadStoppedUnchanged);
        env_.messages.ShowWarning(text);
    }
    // Only a complete read replaces the image; a cancelled or failed one leaves it alone.
    if (result.ok()) {
        env_.image.InstallFromRadio(result.image);
        env_.model.UpdateModelFromImage(env_.image.image());
        if (env_.imageReplaced) env_.imageReplaced();
    }
    const std::string line =
        ReadClosingLine(result, env_.model.ModelDisplayName(result.identityHex),
                        [this](int n) { return env_.texts.GetText(n); });
    EndSequence(result.ok(), QString::fromStdString(line));
}

}  // namespace vgr47
