#include "editors/acs/auto_channel_select_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kTwipsPerPixel = 15;
const QColor kWhite(255, 255, 255);
const QColor kGrey(212, 208, 200);

}  // namespace

AutoChannelSelectView::AutoChannelSelectView(CodeplugImage& image, const ModelState& state,
                                             const TextCatalogue& texts,
                                             const ChannelModel& channels, QWidget* parent)
    : FormView(parent), texts_(texts), model_(image, state, texts, channels) {
    setWindowTitle(T(model_.TitleText()));

    auto* fields = new QGridLayout;
    const auto labels = model_.LabelTexts();
    for (int l = 0; l < AcsModel::kListCount; ++l) {
        const auto list = static_cast<AcsModel::List>(l);
        auto* combo = new QComboBox(this);
        for (const std::string& e : model_.Entries(list)) combo->addItem(QString::fromStdString(e));
        combo->setCurrentIndex(model_.Selected(list));
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this, list](int index) { model_.Select(list, index); });
        lists_[l] = combo;
        fields->addWidget(new QLabel(T(labels[l]), this), l, 0);
        fields->addWidget(combo, l, 1);
    }
    fields->setRowStretch(AcsModel::kListCount, 1);

    grid_ = new QTableWidget(AcsModel::kRows, 2, this);
    grid_->setHorizontalHeaderLabels({T(kTextNumberColumn), T(kTextChannel)});
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setColumnWidth(0, 1200 / kTwipsPerPixel);
    grid_->setColumnWidth(1, 1200 / kTwipsPerPixel);
    const int rowHeight = std::max(280 / kTwipsPerPixel, grid_->fontMetrics().height() + 6);
    for (int r = 0; r < AcsModel::kRows; ++r) {
        grid_->setRowHeight(r, rowHeight);
        for (int c = 0; c < 2; ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? QString::number(r + 1) : QString());
            item->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(r, c, item);
        }
    }
    grid_->setFixedSize(grid_->columnWidth(0) + grid_->columnWidth(1) + 2 * grid_->frameWidth(),
                        grid_->horizontalHeader()->sizeHint().height() +
                            AcsModel::kRows * rowHeight + 2 * grid_->frameWidth());
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) { ClickCell(row + 1); });

    chooser_ = new QComboBox(grid_->viewport());
    chooser_->hide();
    // Only a real pick counts: filling the chooser or showing no selection changes nothing.
    connect(chooser_, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { model_.Pick(chooser_->itemText(index).toStdString()); });

    deleteAll_ = new QPushButton(T(kTextDeleteAll), this);
    ok_ = new QPushButton(T(kTextOk), this);
    cancel_ = new QPushButton(T(kTextCancel), this);
    connect(deleteAll_, &QPushButton::clicked, this, [this] {
        model_.DeleteAll();
        chooser_->hide();
        ShowRows();
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        chooser_->hide();
        if (model_.Apply()) emit closeRequested();
    });
    connect(cancel_, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok_, cancel_);
    SetPlacementOffset(QPoint(5, 25));

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addSpacing(12);
    top->addWidget(grid_, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deleteAll_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    ShowRows();
}

QString AutoChannelSelectView::T(int number) const {
    return QString::fromStdString(texts_.GetText(number));
}

void AutoChannelSelectView::ShowRows() {
    for (int r = 1; r <= AcsModel::kRows; ++r) {
        const QColor colour = model_.IsRowEditable(r) ? kWhite : kGrey;
        grid_->item(r - 1, 1)->setText(QString::fromStdString(model_.RowText(r)));
        for (int c = 0; c < 2; ++c) grid_->item(r - 1, c)->setBackground(colour);
    }
}

void AutoChannelSelectView::ClickCell(int row) {
    const bool open = model_.ClickRow(row);
    ShowRows();
    if (!open) {
        chooser_->hide();
        return;
    }
    chooser_->clear();
    for (const std::string& e : model_.chooser()) chooser_->addItem(QString::fromStdString(e));
    chooser_->setCurrentIndex(model_.ChooserSelection());
    chooser_->setGeometry(grid_->visualItemRect(grid_->item(row - 1, 1)));
    chooser_->show();
    chooser_->setFocus();
}

}  // namespace vgr47
