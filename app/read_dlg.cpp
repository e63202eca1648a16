#include "app/read_dlg.h"

#include <QPushButton>

#include "core/text_ids.h"

namespace vgr47 {

ReadDialog::ReadDialog(FormEnv& env, ConnectionMaker maker, QWidget* parent)
    : TransferDialog(env, std::move(maker), kTextReadTitle, parent) {
    read_ = new QPushButton(QString::fromStdString(env_.texts.GetText(kTextReadButton)), this);
    AddStartButton(read_);
    connect(read_, &QPushButton::clicked, this, &ReadDialog::Start);
    read_->setFocus();
}

void ReadDialog::Start() {
    if (running()) return;
    BeginSequence();
    const ModelState model = env_.model;
    const std::string port = env_.values.portName;
    RadioThread* radio = radio_.get();
    radio_->Run([this, radio, model, port](const LinkContext& link, std::atomic<bool>& cancel) {
        SequenceHooks hooks;
        hooks.cancel = &cancel;
        hooks.progress = [radio](int position, int maximum) {
            emit radio->progress(position, maximum);
        };
        hooks.isSignalling = [&model](const std::string& identity) {
            return model.IsExtendedModel(identity);
        };
        ReadResult result = ReadFromRadio(link, port, hooks);
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
    EndSequence(result.ok());
}

}  // namespace vgr47
