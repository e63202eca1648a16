#include "app/read_dlg.h"

#include <QPushButton>

#include "core/text_ids.h"
#include "link/transfer_report.h"

namespace vgr47 {

namespace {

// A read that breaks off says so, and that the codeplug in the window was not touched.
class ReadNotices final : public Messages {
  public:
    ReadNotices(Messages& inner, std::string suffix) : inner_(inner), suffix_(std::move(suffix)) {}
    void ShowMessage(const std::string& text) override { inner_.ShowMessage(With(text)); }
    void ShowWarning(const std::string& text) override { inner_.ShowWarning(With(text)); }
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               bool defaultNo) override {
        return inner_.Ask(text, caption, buttons, defaultNo);
    }

  private:
    std::string With(const std::string& text) const {
        return suffix_.empty() ? text : text + "\n\n" + suffix_;
    }
    Messages& inner_;
    std::string suffix_;
};

}  // namespace

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
        ReadNotices notices(link.messages,
                            link.text ? link.text(kTextReadStoppedUnchanged) : std::string());
        const LinkContext readLink{link.port, link.clock, link.trace, notices, link.text};
        ReadResult result = ReadFromRadio(readLink, port, hooks);
        PostToUi([this, result] { Finish(result); });
    });
}

void ReadDialog::Finish(const ReadResult& result) {
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
