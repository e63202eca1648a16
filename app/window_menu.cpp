#include "app/window_menu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>

#include "app/mdi_placement.h"
#include "core/text_ids.h"

namespace vgr47 {

WindowMenu::WindowMenu(QMenu* menu, QMdiArea* area, const TextCatalogue& texts,
                       std::function<QMdiSubWindow*()> keeps, std::function<void()> leaving)
    : QObject(menu),
      menu_(menu),
      area_(area),
      keeps_(std::move(keeps)),
      leaving_(std::move(leaving)) {
    auto T = [&texts](int n) { return QString::fromStdString(texts.GetText(n)); };
    auto leave = [this] {
        if (leaving_) leaving_();
    };
    cascade_ = menu->addAction(T(kTextMenuCascade));
    connect(cascade_, &QAction::triggered, this, [this, leave] {
        leave();
        Cascade();
    });
    tile_ = menu->addAction(T(kTextMenuTile));
    connect(tile_, &QAction::triggered, this, [this, leave] {
        leave();
        if (area_) area_->tileSubWindows();
    });
    closeAll_ = menu->addAction(T(kTextMenuCloseAll));
    connect(closeAll_, &QAction::triggered, this, &WindowMenu::CloseAll);
    menu->addSeparator();
    next_ = menu->addAction(T(kTextMenuNextWindow));
    next_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6));
    connect(next_, &QAction::triggered, this, [this] {
        if (area_) area_->activateNextSubWindow();
    });
    previous_ = menu->addAction(T(kTextMenuPreviousWindow));
    previous_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6));
    connect(previous_, &QAction::triggered, this, [this] {
        if (area_) area_->activatePreviousSubWindow();
    });
    listSeparator_ = menu->addSeparator();
    connect(menu, &QMenu::aboutToShow, this, &WindowMenu::RefreshList);
}

void WindowMenu::Cascade() {
    if (!area_) return;
    // Each window one title bar below and right of the one behind it, the active one in front.
    // The forms keep their sizes; the channel window gets the room its place leaves.
    QMdiSubWindow* active = area_->activeSubWindow();
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::StackingOrder))
        if (sub->isVisible() && !sub->isMinimized() && sub != active) windows.append(sub);
    if (active && active->isVisible() && !active->isMinimized()) windows.append(active);
    QMdiSubWindow* kept = keeps_ ? keeps_() : nullptr;
    const QRect view = area_->viewport()->rect();
    const int step = area_->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, area_) + 4;
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* sub = windows[i];
        if (sub->isMaximized()) sub->showNormal();
        const QPoint at(i * step, i * step);
        if (sub == kept)
            sub->resize((view.size() - QSize(at.x(), at.y())).expandedTo(sub->minimumSizeHint()));
        sub->move(at);
        BringIntoView(area_, sub);
        sub->raise();
    }
    if (!windows.isEmpty()) area_->setActiveSubWindow(windows.back());
}

void WindowMenu::CloseAll() {
    if (!area_) return;
    if (leaving_) leaving_();
    QMdiSubWindow* kept = keeps_ ? keeps_() : nullptr;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub != kept) sub->close();
    if (kept) area_->setActiveSubWindow(kept);
}

void WindowMenu::RefreshList() {
    for (QAction* a : list_) {
        menu_->removeAction(a);
        a->deleteLater();
    }
    list_.clear();
    if (!area_) return;
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    QMdiSubWindow* active = area_->activeSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* sub = windows[i];
        QString title = sub->windowTitle();
        title.replace('&', "&&");
        QAction* a = menu_->addAction(i < 9 ? QString("&%1 %2").arg(i + 1).arg(title) : title);
        a->setCheckable(true);
        a->setChecked(sub == active);
        QPointer<QMdiSubWindow> target = sub;
        connect(a, &QAction::triggered, this, [this, target] {
            if (!area_ || !target) return;
            if (target->isMinimized()) target->showNormal();
            area_->setActiveSubWindow(target);
            BringIntoView(area_, target);
        });
        list_.append(a);
    }
    listSeparator_->setVisible(!list_.isEmpty());
}

}  // namespace vgr47
