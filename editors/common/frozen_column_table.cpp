#include "editors/common/frozen_column_table.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace vgr47 {

FrozenColumnTable::FrozenColumnTable(QWidget* parent)
    : QTableWidget(parent), frozen_(new QTableView(this)) {
    frozen_->setObjectName("frozenColumn");
    frozen_->setModel(model());
    frozen_->setSelectionModel(selectionModel());
    // The keyboard stays with the grid; the column only shows and takes clicks.
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    viewport()->stackUnder(frozen_);
    setHorizontalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column != 0) return;
                frozen_->setColumnWidth(0, size);
                UpdateFrozenGeometry();
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(frozen_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        emit cellDoubleClicked(index.row(), index.column());
    });
    connect(frozen_, &QAbstractItemView::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    // The cursor never rests under the frozen column, where its frame would not show.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (!current.isValid() || current.column() != 0 || columnCount() < 2) return;
                const int column =
                    previous.isValid() && previous.column() > 0 ? previous.column() : 1;
                setCurrentCell(current.row(), column);
            });
    SyncFrozenColumn();
}

void FrozenColumnTable::SyncFrozenColumn() {
    frozen_->setVerticalScrollMode(verticalScrollMode());
    for (int c = 0; c < columnCount(); ++c) frozen_->setColumnHidden(c, c != 0);
    if (columnCount() > 0) frozen_->setColumnWidth(0, columnWidth(0));
    for (int r = 0; r < rowCount(); ++r) {
        frozen_->setRowHidden(r, isRowHidden(r));
        frozen_->setRowHeight(r, rowHeight(r));
    }
    frozen_->horizontalHeader()->setVisible(!horizontalHeader()->isHidden());
    UpdateFrozenGeometry();
}

void FrozenColumnTable::UpdateFrozenGeometry() {
    const int left = (verticalHeader()->isHidden() ? 0 : verticalHeader()->width()) + frameWidth();
    const int header = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->height();
    frozen_->horizontalHeader()->setFixedHeight(header);
    frozen_->setGeometry(left, frameWidth(), columnCount() > 0 ? columnWidth(0) : 0,
                         viewport()->height() + header);
    frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void FrozenColumnTable::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    UpdateFrozenGeometry();
}

void FrozenColumnTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTableWidget::scrollTo(index, hint);
    if (!index.isValid()) return;
    // The frozen column is always in view: scrolling to it moves only up or down.
    if (index.column() == 0) {
        horizontalScrollBar()->setValue(sideways);
        return;
    }
    // A cell scrolled to the left edge would lie under the frozen column.
    const int hidden = columnWidth(0) - visualRect(index).left();
    if (hidden > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

}  // namespace vgr47
