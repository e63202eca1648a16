#include "editors/main_frm.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text_ids.h"

namespace vgr47 {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGrey(212, 208, 200);
const QColor kBlue(0, 0, 255);

}  // namespace

CMainFrm::CMainFrm(ChannelModel& model, const TextCatalogue& texts, QWidget* parent)
    : QWidget(parent), model_(model), texts_(texts), grid_(new QTableWidget(this)) {
    setWindowTitle(QString::fromStdString(texts.GetText(kTextChannelFormTitle)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->verticalHeader()->hide();
    grid_->setFocusPolicy(Qt::StrongFocus);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row < 1) return;
        HighlightRow(row);
        emit channelDialogRequested(row);
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= 1) HighlightRow(row);
    });
    resize(760, 420);
    Refill();
}

void CMainFrm::Refill() {
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
    // The column widths are fixed; a caption longer than its column ends in "..." and shows
    // in full as a tip, instead of being cut at both ends.
    const QFontMetrics metrics(grid_->horizontalHeader()->font());
    for (int c = 0; c < cols && c < captions.size(); ++c) {
        QTableWidgetItem* header = grid_->horizontalHeaderItem(c);
        if (!header) continue;
        header->setText(metrics.elidedText(captions[c], Qt::ElideRight, grid_->columnWidth(c) - 8));
        header->setToolTip(captions[c]);
    }
    grid_->horizontalHeader()->show();
    grid_->setRowHidden(0, true);
    if (currentRow_ >= rows) currentRow_ = 1;
    HighlightRow(currentRow_);
}

void CMainFrm::RefreshRow(int row) {
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

void CMainFrm::PaintRow(int row) {
    for (int c = 0; c < model_.Columns(); ++c) {
        QTableWidgetItem* item = grid_->item(row, c);
        if (!item) continue;
        if (row == 0 || c == 0) {
            item->setBackground(QColor(236, 233, 216));
            item->setForeground(Qt::black);
        } else if (row == currentRow_ && highlighted_) {
            item->setBackground(kBlue);
            item->setForeground(Qt::white);
        } else {
            item->setBackground(model_.IsCellShaded(row, c) ? kGrey : kWhite);
            item->setForeground(Qt::black);
        }
    }
}

void CMainFrm::HighlightRow(int row) {
    if (row < 1 || row >= model_.Rows()) return;
    int previous = currentRow_;
    currentRow_ = row;
    highlighted_ = true;
    if (previous >= 1 && previous < model_.Rows()) PaintRow(previous);
    PaintRow(row);
    // A row out of view comes to the top, so the rows after it are in view too.
    QTableWidgetItem* item = grid_->item(row, 0);
    const QRect at = grid_->visualItemRect(item), view = grid_->viewport()->rect();
    if (at.top() < view.top() || at.bottom() > view.bottom())
        grid_->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void CMainFrm::RemoveHighlight() {
    highlighted_ = false;
    if (currentRow_ >= 1 && currentRow_ < model_.Rows()) PaintRow(currentRow_);
}

bool CMainFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_C && key->modifiers() == Qt::NoModifier) {
            emit channelDialogRequested(currentRow_);
            return true;
        }
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) {
            HighlightRow(currentRow_ + (key->key() == Qt::Key_Down ? 1 : -1));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vgr47
