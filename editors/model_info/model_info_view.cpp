#include "editors/model_info/model_info_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/text_ids.h"

namespace vgr47 {

void ModelInfoView::Hooks::CloseKeyAssignForm() {
    if (form_.actions_.closeKeyAssignForm) form_.actions_.closeKeyAssignForm();
}

bool ModelInfoView::Hooks::SaveImage(FileContext& ctx) {
    if (form_.actions_.save) return form_.actions_.save();
    return ModelChangeHooks::SaveImage(ctx);
}

ModelInfoView::ModelInfoView(CodeplugImage& image, ModelState& model, Messages& messages,
                             const TextCatalogue& texts, const std::string& version,
                             Actions actions, QWidget* parent)
    : FormView(parent),
      actions_(std::move(actions)),
      ctx_{image, model, messages, texts, dialogs_, version},
      hooks_(*this),
      model_(ctx_, hooks_),
      list_(new QComboBox(this)) {
    setWindowTitle(QString::fromStdString(texts.GetText(kTextModelInformationTitle)));
    auto* label = new QLabel(QString::fromStdString(texts.GetText(kTextModelLabel)), this);
    for (const std::string& name : model_.names()) list_->addItem(QString::fromStdString(name));
    list_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ShowSelection();
    connect(list_, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.Select(index); });

    auto* ok = new QPushButton(QString::fromStdString(texts.GetText(kTextOk)), this);
    auto* cancel = new QPushButton(QString::fromStdString(texts.GetText(kTextCancel)), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ModelInfoView::Ok);
    connect(cancel, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok, cancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(list_, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);
}

void ModelInfoView::ShowSelection() {
    QSignalBlocker block(list_);
    list_->setCurrentIndex(model_.selected());
}

void ModelInfoView::Ok() {
    const ModelChangeResult result = model_.Apply();
    if (result == ModelChangeResult::Changed && actions_.imageReplaced) actions_.imageReplaced();
    if (ModelInfoModel::ClosesForm(result)) {
        emit closeRequested();
        return;
    }
    ShowSelection();
}

}  // namespace vgr47
