#include "editors/test_freq/test_frequency_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text_ids.h"
#include "editors/channels/channel_model.h"

namespace vgr47 {

// The in-place editor of a frequency cell: digits and a decimal point, as a frequency in MHz
// with up to five decimals. Its text goes to the form's model, never straight into the cell.
class FrequencyCellDelegate : public QStyledItemDelegate {
  public:
    explicit FrequencyCellDelegate(TestFrequencyView& form)
        : QStyledItemDelegate(&form), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        static const QRegularExpression kEntry(QStringLiteral("[0-9]{0,3}([.,][0-9]{0,5})?"));
        edit->setValidator(new QRegularExpressionValidator(kEntry, edit));
        form_.editor_ = edit;
        form_.editorIndex_ = index;
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data().toString().trimmed());
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        form_.CommitCell(index.row() + 1, index.column(), static_cast<QLineEdit*>(editor)->text());
    }

  private:
    TestFrequencyView& form_;
};

TestFrequencyView::TestFrequencyView(CodeplugImage& image, const ModelState& state,
                                     const TextCatalogue& texts, QWidget* parent)
    : FormView(parent),
      model_(image, state),
      grid_(new QTableWidget(TestFreqModel::kRows, 3, this)) {
    setWindowTitle(QString::fromStdString(texts.GetText(kTextTestFrequencyTitle)));
    grid_->setHorizontalHeaderLabels(
        {QString::fromStdString(texts.GetText(kTextTestFrequencyNumber)),
         QString::fromStdString(texts.GetText(kTextTestRxFrequency)),
         QString::fromStdString(texts.GetText(kTextTestTxFrequency))});
    grid_->verticalHeader()->hide();
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    auto* delegate = new FrequencyCellDelegate(*this);
    grid_->setItemDelegate(delegate);
    // The editor is deleted later; from here on it no longer edits the cell.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] { editor_ = nullptr; });
    grid_->setColumnWidth(0, 48);
    grid_->setColumnWidth(1, ChannelModel::TwipsToPixels(1200) + 16);
    grid_->setColumnWidth(2, ChannelModel::TwipsToPixels(1200) + 16);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this);
    for (int r = 0; r < TestFreqModel::kRows; ++r) {
        auto* number = new QTableWidgetItem(QString::number(r + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setTextAlignment(Qt::AlignCenter);
        number->setBackground(QColor(212, 208, 200));
        grid_->setItem(r, 0, number);
        for (int c = 1; c <= 2; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(r, c, cell);
        }
    }
    ShowCells();

    auto* ok = new QPushButton(QString::fromStdString(texts.GetText(kTextOk)), this);
    auto* cancel = new QPushButton(QString::fromStdString(texts.GetText(kTextCancel)), this);
    connect(ok, &QPushButton::clicked, this, &TestFrequencyView::Ok);
    connect(cancel, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok, cancel);
    SetPlacementOffset(QPoint(200, 50));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    int height = grid_->horizontalHeader()->height() + 2 * grid_->frameWidth();
    for (int r = 0; r < TestFreqModel::kRows; ++r) height += grid_->rowHeight(r);
    grid_->setMinimumSize(
        48 + 2 * (ChannelModel::TwipsToPixels(1200) + 16) + 2 * grid_->frameWidth() + 2, height);
}

void TestFrequencyView::ShowCells() {
    for (int r = 1; r <= TestFreqModel::kRows; ++r)
        for (int c = 1; c <= 2; ++c)
            grid_->item(r - 1, c)->setText(QString::fromStdString(model_.Cell(r, c)));
}

void TestFrequencyView::CommitCell(int row, int column, const QString& text) {
    model_.Commit(row, column, text.toStdString());
    ShowCells();
}

bool TestFrequencyView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress && !editor_) {
        auto* key = static_cast<QKeyEvent*>(event);
        QTableWidgetItem* item = grid_->currentItem();
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) && item &&
            item->column() >= 1) {
            CommitCell(item->row() + 1, item->column(), QString());
            return true;
        }
    }
    return FormView::eventFilter(watched, event);
}

void TestFrequencyView::Ok() {
    // The cell being edited counts, as if its editor had been closed first.
    if (editor_ && editorIndex_.isValid()) {
        const QString text = editor_->text();
        const int row = editorIndex_.row() + 1, column = editorIndex_.column();
        editor_ = nullptr;  // the form closes with it; a later commit of the editor is not applied
        CommitCell(row, column, text);
    }
    model_.Apply();
    emit closeRequested();
}

}  // namespace vgr47
