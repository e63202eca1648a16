#include "app/mdi_placement.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace vgr47 {

namespace {

// One title bar's height between cascaded windows; after a few steps they start over.
constexpr int kCascadeStep = 24;
constexpr int kCascadeSteps = 8;

}  // namespace

QPoint InView(const QRect& frame, const QRect& view) {
    int x = std::min(frame.x(), view.x() + view.width() - frame.width());
    int y = std::min(frame.y(), view.y() + view.height() - frame.height());
    return {std::max(x, view.x()), std::max(y, view.y())};
}

QPoint NewFormPlace(int openForms, const QSize& size, const QPoint& offset, const QRect& view) {
    const int step = (openForms % kCascadeSteps) * kCascadeStep;
    const QPoint place = view.topLeft() + QPoint(step, step) + offset;
    return InView(QRect(place, size), view);
}

void BringIntoView(QMdiArea* area, QMdiSubWindow* window) {
    if (!area || !window || window->isMinimized() || window->isMaximized()) return;
    const QRect view = area->viewport()->rect();
    // A window larger than the area gives up what its form can spare.
    const QSize fitted =
        window->size().boundedTo(view.size()).expandedTo(window->minimumSizeHint());
    if (fitted != window->size()) window->resize(fitted);
    window->move(InView(window->geometry(), view));
}

FollowAreaSize::FollowAreaSize(QMdiArea* area, QMdiSubWindow* window)
    : QObject(window), area_(area), window_(window) {
    area->viewport()->installEventFilter(this);
    window->installEventFilter(this);
    Follow();
}

void FollowAreaSize::Follow() {
    if (!area_ || !window_ || window_->isMinimized() || window_->isMaximized()) return;
    // The size without scroll bars: a scroll bar coming and going must not resize the window.
    const QSize view = area_->maximumViewportSize();
    const QPoint at = window_->pos();
    const QSize wanted(view.width() - at.x() - margins_.width(),
                       view.height() - at.y() - margins_.height());
    adjusting_ = true;
    window_->resize(wanted.expandedTo(window_->minimumSizeHint()));
    adjusting_ = false;
}

bool FollowAreaSize::eventFilter(QObject* watched, QEvent* event) {
    if (!area_ || !window_) return false;
    if (watched == area_->viewport() && event->type() == QEvent::Resize) {
        Follow();
    } else if (watched == window_ && !adjusting_ && window_->isVisible() &&
               !window_->isMinimized() && !window_->isMaximized() &&
               (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        // The user (or a Cascade or Tile) placed the window: keep the distances it now has.
        const QSize view = area_->maximumViewportSize();
        const QRect g = window_->geometry();
        margins_ = QSize(std::max(0, view.width() - g.x() - g.width()),
                         std::max(0, view.height() - g.y() - g.height()));
    }
    return false;
}

}  // namespace vgr47
