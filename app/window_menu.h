// The Window menu of the main window: Cascade, Tile, Close all (the channel window stays),
// the next and previous window (Ctrl+F6, Ctrl+Shift+F6) and the list of open windows.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "core/text_catalogue.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace vgr47 {

class WindowMenu : public QObject {
    Q_OBJECT
  public:
    // keeps: the window Close all leaves open. leaving: closes the windows that close when
    // another one is arranged or chosen (the scan form), before the menu's commands act.
    WindowMenu(QMenu* menu, QMdiArea* area, const TextCatalogue& texts,
               std::function<QMdiSubWindow*()> keeps, std::function<void()> leaving);

    QAction* cascadeAction() const { return cascade_; }
    QAction* tileAction() const { return tile_; }
    QAction* closeAllAction() const { return closeAll_; }
    QAction* nextAction() const { return next_; }
    QAction* previousAction() const { return previous_; }
    // Rebuilds the list of open windows at the end of the menu (also done as it opens).
    void RefreshList();
    // The actions of the listed windows, in list order.
    QList<QAction*> listActions() const { return list_; }

    // Cascades the open windows (what Cascade does).
    void Cascade();

  private:
    void CloseAll();

    QMenu* menu_;
    QPointer<QMdiArea> area_;
    std::function<QMdiSubWindow*()> keeps_;
    std::function<void()> leaving_;
    QAction *cascade_, *tile_, *closeAll_, *next_, *previous_;
    QAction* listSeparator_;
    QList<QAction*> list_;
};

}  // namespace vgr47
