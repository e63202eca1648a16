#include "editors/channels/channel_grid_view.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text_ids.h"
#include "editors/common/frozen_column_table.h"

namespace vgr47 {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGrey(212, 208, 200);
const QColor kBlue(0, 0, 255);

}  // namespace

ChannelGridView::ChannelGridView(ChannelModel& model, const TextCatalogue& texts, QWidget* parent)
    : QWidget(parent), model_(model), texts_(texts), grid_(new FrozenColumnTable(this)) {
    setWindowTitle(QString::fromStdString(texts.GetText(kTextChannelFormTitle)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->verticalHeader()->hide();
    grid_->setFocusPolicy(Qt::StrongFocus);
    grid_->installEventFilter(this);
    // A single click only moves the cursor; a double click opens the dialog on its row.
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= 1) emit channelDialogRequested(row);
    });
    resize(760, 420);
    Refill();
}

QTableWidget* ChannelGridView::grid() const { return grid_; }

int ChannelGridView::currentRow() const {
    const int row = grid_->currentRow();
    return row >= 1 && row < model_.Rows() ? row : 1;
}

void ChannelGridView::Refill() {
    model_.Refill();
    const int rows = model_.Rows(), cols = model_.Columns();
    grid_->clear();
    grid_->setRowCount(rows);
    grid_->setColumnCount(cols);
    grid_->setHorizontalScrollBarPolicy(model_.signalling() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    std::vector<int> widths = model_.ColumnWidthsPixels();
    for (int c = 0; c < cols; ++c) {
        grid_->setColumnWidth(c, c < static_cast<int>(widths.size()) ? widths[c] : 70);
        grid_->setColumnHidden(c, model_.IsColumnHidden(c));
    }
    grid_->setRowHeight(0, ChannelModel::TwipsToPixels(260));
    for (int r = 1; r < rows; ++r) grid_->setRowHeight(r, ChannelModel::TwipsToPixels(ChannelModel::kRowTwips));
    for (int r = 0; r < rows; ++r) RefreshRow(r);
    // Row 0 holds the captions; a fixed header keeps them in view while the rows scroll.
    QStringList captions;
    for (const std::string& t : model_.RowTexts(0)) captions << QString::fromStdString(t);
    grid_->setHorizontalHeaderLabels(captions);
    // Every caption in full: a column starts wide enough for it (never narrower than its
    // own width), and a column the user narrows shows it again when widened.
    const QFontMetrics metrics(grid_->horizontalHeader()->font());
    for (int c = 0; c < cols && c < captions.size(); ++c) {
        QTableWidgetItem* header = grid_->horizontalHeaderItem(c);
        if (!header) continue;
        header->setToolTip(captions[c]);
        if (!model_.IsColumnHidden(c))
            grid_->setColumnWidth(
                c, std::max(grid_->columnWidth(c), metrics.horizontalAdvance(captions[c]) + 14));
    }
    grid_->horizontalHeader()->show();
    grid_->setRowHidden(0, true);
    grid_->SyncFrozenColumn();
    // A new image starts at the first channel, with no row highlighted.
    highlighted_ = false;
    highlightedRow_ = 1;
    grid_->setCurrentCell(1, 1);
}

void ChannelGridView::Redecode() {
    for (int r = 1; r < model_.Rows(); ++r) {
        model_.RefreshRow(r);
        RefreshRow(r);
    }
}

void ChannelGridView::RefreshRow(int row) {
    const auto& texts = model_.RowTexts(row);
    for (int c = 0; c < model_.Columns(); ++c) {
        QTableWidgetItem* item = grid_->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(row, c, item);
        }
        item->setText(c < static_cast<int>(texts.size()) ? QString::fromStdString(texts[c]) : QString());
    }
    PaintRow(row);
}

void ChannelGridView::PaintRow(int row) {
    for (int c = 0; c < model_.Columns(); ++c) {
        QTableWidgetItem* item = grid_->item(row, c);
        if (!item) continue;
        if (row == 0 || c == 0) {
            item->setBackground(QColor(236, 233, 216));
            item->setForeground(Qt::black);
        } else if (row == highlightedRow_ && highlighted_) {
            item->setBackground(kBlue);
            item->setForeground(Qt::white);
        } else {
            item->setBackground(model_.IsCellShaded(row, c) ? kGrey : kWhite);
            item->setForeground(Qt::black);
        }
    }
}

void ChannelGridView::HighlightRow(int row) {
    if (row < 1 || row >= model_.Rows()) return;
    int previous = highlightedRow_;
    highlightedRow_ = row;
    highlighted_ = true;
    if (previous >= 1 && previous < model_.Rows()) PaintRow(previous);
    PaintRow(row);
    // A row out of view comes to the top, so the rows after it are in view too.
    QTableWidgetItem* item = grid_->item(row, 0);
    const QRect at = grid_->visualItemRect(item), view = grid_->viewport()->rect();
    if (at.top() < view.top() || at.bottom() > view.bottom())
        grid_->scrollToItem(item, QAbstractItemView::PositionAtTop);
    // The cursor follows, so the keys go on from the row last worked on.
    if (grid_->currentRow() != row) grid_->setCurrentCell(row, std::max(1, grid_->currentColumn()));
}

void ChannelGridView::RemoveHighlight() {
    highlighted_ = false;
    if (highlightedRow_ >= 1 && highlightedRow_ < model_.Rows()) PaintRow(highlightedRow_);
}

bool ChannelGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain =
            key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (plain && (key->key() == Qt::Key_C || key->key() == Qt::Key_Return ||
                      key->key() == Qt::Key_Enter)) {
            emit channelDialogRequested(currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vgr47
