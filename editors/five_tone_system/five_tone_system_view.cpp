#include "editors/five_tone_system/five_tone_system_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text_ids.h"
#include "editors/common/wrap_spin_field.h"

namespace vgr47 {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

FiveToneSystemView::FiveToneSystemView(CodeplugImage& image, const TextCatalogue& texts,
                                       QWidget* parent)
    : FormView(parent),
      model_(image, texts),
      standard_(new QComboBox(this)),
      groupCall_(new QComboBox(this)),
      encodePause_(new QComboBox(this)),
      ok_(new QPushButton(Q(texts.GetText(kTextOk)), this)) {
    setWindowTitle(Q(texts.GetText(kTextFiveToneSystemTitle)));
    using M = FiveToneSystemModel;
    for (const std::string& s : M::StandardNames()) standard_->addItem(Q(s));
    for (const std::string& s : model_.GroupCallEntries()) groupCall_->addItem(Q(s));
    // The encode pause list is kept but not shown; the radio does not store it.
    encodePause_->setEditable(true);
    for (const std::string& s : model_.EncodePauseEntries()) encodePause_->addItem(Q(s));
    encodePause_->hide();

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    auto addRow = [&](int row, int text, QWidget* w) {
        grid->addWidget(new QLabel(Q(texts.GetText(text)), this), row, 0);
        grid->addWidget(w, row, 1);
    };
    addRow(0, kTextFiveToneStandard, standard_);
    for (int f = 0; f < M::kFieldCount; ++f) {
        auto* spin = new WrapSpinField(this);
        fields_[f] = spin;
        const auto field = static_cast<M::Field>(f);
        connect(spin->edit(), &QLineEdit::textEdited, this,
                [this, field](const QString& t) { model_.SetFieldText(field, t.toStdString()); });
        connect(spin, &QAbstractSpinBox::editingFinished, this, [this, field] {
            model_.CommitField(field);
            Refresh();
        });
        spin->onStep = [this, field](int delta) {
            model_.StepField(field, delta);
            Refresh();
        };
    }
    addRow(1, kTextTonePeriod, fields_[M::kTonePeriod]);
    addRow(2, kTextReceiveInterval, fields_[M::kRxInterval]);
    addRow(3, kTextFiveToneGroupCall, groupCall_);
    addRow(4, kTextMinDecodeTime, fields_[M::kMinDecode]);
    addRow(5, kTextMaxDecodeTime, fields_[M::kMaxDecode]);

    connect(standard_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        model_.ChooseStandard(i);
        Refresh();
    });
    connect(groupCall_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { model_.ChooseGroupCall(i); });
    connect(encodePause_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        model_.ChooseEncodePause(
            model_.EncodePauseEntryFor(encodePause_->currentText().toStdString()));
        encodePause_->setCurrentIndex(model_.encodePause());
    });

    auto* cancel = new QPushButton(Q(texts.GetText(kTextCancel)), this);
    connect(ok_, &QPushButton::clicked, this, [this] {
        model_.Write();
        emit closeRequested();
    });
    connect(cancel, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok_, cancel);
    SetPlacementOffset(QPoint(200, 50));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    Refresh();
}

void FiveToneSystemView::Refresh() {
    standard_->setCurrentIndex(model_.standard());
    groupCall_->setCurrentIndex(model_.groupCall());
    encodePause_->setCurrentIndex(model_.encodePause());
    for (int f = 0; f < FiveToneSystemModel::kFieldCount; ++f)
        fields_[f]->setText(
            QString::fromStdString(model_.fieldText(static_cast<FiveToneSystemModel::Field>(f))));
}

}  // namespace vgr47
