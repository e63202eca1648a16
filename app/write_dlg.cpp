#include "app/write_dlg.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>

#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/settings.h"
#include "core/text_ids.h"
#include "link/transfer_report.h"
#include "link/write_sequence.h"

namespace vgr47 {

namespace {

constexpr const char* kOptionSection = "option";
// Off until the user ticks it; then remembered.
constexpr const char* kVerifyKey = "verify_after_write";

}  // namespace

WriteDialog::WriteDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent)
    : TransferDialog(env, std::move(maker), kTextWriteTitle, parent) {
    write_ = new QPushButton(T(kTextWriteButton), this);
    test_ = new QPushButton("Test", this);
    AddStartButton(write_);
    AddStartButton(test_);
    test_->setVisible(env_.values.debug);
    verify_ = new QCheckBox(T(kTextVerifyAfterWriting), this);
    verify_->setChecked(Settings(env_.values.programDir).GetSetting(kOptionSection, kVerifyKey) ==
                        "yes");
    AddOption(verify_);
    connect(verify_, &QCheckBox::toggled, this, [this](bool on) {
        Settings(env_.values.programDir).SetSetting(kOptionSection, kVerifyKey, on ? "yes" : "no");
    });
    connect(write_, &QPushButton::clicked, this, [this] { Begin(false); });
    connect(test_, &QPushButton::clicked, this, [this] { Begin(true); });
    ShowCodeplug();
}

void WriteDialog::ShowCodeplug() {
    const std::string& path = env_.image.filePath();
    const QString file =
        path.empty() ? T(kTextUntitled) : QFileInfo(QString::fromStdString(path)).fileName();
    const std::string model =
        CompactName(env_.model.ModelDisplayName(env_.model.currentIdentity()));
    SetSubject(QString::fromStdString(
        FillText(env_.texts.GetText(kTextTransferCodeplug), {file.toStdString(), model})));
}

bool WriteDialog::ConfirmCancel() {
    // Before the first block, or once every block is in (stopping then only skips the verify
    // read), the radio is not at stake: nothing to warn about.
    if (phase() != TransferPhase::Transferring) return true;
    return env_.messages.Ask(env_.texts.GetText(kTextStopWriteQuestion),
                             env_.texts.GetText(kTextQuestionCaption), Buttons::YesNo,
                             true) == Answer::Yes;
}

bool WriteDialog::HoldWhileAsking() const { return phase() == TransferPhase::Transferring; }

void WriteDialog::StopConfirmedAfterEnd() {
    env_.messages.ShowMessage(env_.texts.GetText(kTextWriteAlreadyComplete));
}

void WriteDialog::Begin(bool dryRun) {
    if (running()) return;
    ShowCodeplug();
    BeginSequence();
    // The stamp goes into the program's image; the worker sends a copy taken here.
    const std::string stamp = VersionStampHex(env_.values.version);
    env_.image.WriteBytes(mem::kVersionStamp, stamp);
    auto copy = std::make_shared<CodeplugImage>();
    copy->SetImageText(env_.image.image());
    const std::string identity = env_.model.currentIdentity();
    const std::string port = env_.values.portName;
    const bool verify = !dryRun && verify_->isChecked();
    SequenceHooks hooks =
        MakeHooks(radio_->cancelFlag(), true,
                  dryRun ? std::nullopt : std::optional<BackupKind>(BackupKind::Written));
    RadioThread* radio = radio_.get();
    hooks.writeOtherModel = [this, radio] {
        return radio->OnUi([this] {
            return env_.messages.Ask(env_.texts.GetText(kTextModelMismatchQuestion),
                                     env_.texts.GetText(kTextQuestionCaption), Buttons::YesNo,
                                     true);
        }) == Answer::Yes;
    };
    const std::string heading = env_.texts.GetText(kTextVerifyTrace);
    const int blocks = static_cast<int>(mem::TransferBlocks(hooks.isSignalling(identity)).size());
    radio_->Run([=](const LinkContext& link, std::atomic<bool>&) {
        WriteJob job{*copy, identity, stamp};
        job.verify = verify;
        job.verifyHeading = heading;
        WriteResult result;
        if (dryRun) {
            if (WriteDryRun(link, job, hooks)) {
                result.outcome = WriteOutcome::Completed;
            } else if (hooks.cancelled()) {
                result.outcome = WriteOutcome::Cancelled;
            } else {
                result.outcome = WriteOutcome::ImageUnfit;
                result.failure = LinkFailure::ImageUnfit();
            }
        } else {
            result = WriteToRadio(link, port, job, hooks);
        }
        PostToUi([this, result, dryRun, blocks] { Finish(result, dryRun, blocks); });
    });
}

void WriteDialog::Finish(const WriteResult& result, bool dryRun, int blocks) {
    const auto text = [this](int n) { return env_.texts.GetText(n); };
    if (result.failure) env_.messages.ShowWarning(FailureText(*result.failure, text));
    std::string line = WriteClosingLine(result, text);
    if (dryRun && result.ok()) line = FillText(text(kTextDryRunComplete), {std::to_string(blocks)});
    // A radio that holds something else, or a write that could not be checked, is not a
    // success to close the window on.
    const bool proven = result.ok() && result.verify != VerifyOutcome::Differs &&
                        result.verify != VerifyOutcome::NotVerified;
    // A verify read the user stopped needs no warning.
    if (result.ok() && !proven && !stopRequested()) {
        std::string warning = line;
        if (result.verifyFailure) warning += "\n\n" + FailureText(*result.verifyFailure, text);
        env_.messages.ShowWarning(warning);
    }
    EndSequence(proven, QString::fromStdString(line));
}

}  // namespace vgr47
