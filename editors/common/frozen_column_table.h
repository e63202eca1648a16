// A grid whose first column stays in view while the other columns scroll sideways: a second
// view over the same items shows that column on top of the grid's left edge.
#pragma once

#include <QTableWidget>

class QTableView;

namespace vgr47 {

class FrozenColumnTable : public QTableWidget {
    Q_OBJECT
  public:
    explicit FrozenColumnTable(QWidget* parent = nullptr);

    QTableView* frozenView() const { return frozen_; }
    // Takes the grid's rows, hidden rows and first column width again (after a new layout).
    void SyncFrozenColumn();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  private:
    void UpdateFrozenGeometry();

    QTableView* frozen_;
};

}  // namespace vgr47
