// Where the child windows of the main window go: every form opens wholly inside the visible
// part of the multiple-document area, and the channel window follows the area's size.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

namespace vgr47 {

// The top-left corner that puts `frame` inside `view`, moving it as little as possible; a
// frame larger than the view keeps its top-left corner in view.
QPoint InView(const QRect& frame, const QRect& view);

// Where a form's window opens: the cascade place of the n-th open form (0 = the first),
// moved by the form's own offset, and kept in view (the offset shrinks where it would push
// the window out).
QPoint NewFormPlace(int openForms, const QSize& size, const QPoint& offset, const QRect& view);

// Keeps a child window's distance to the right and bottom edges of the area while the area
// is resized (starting at none: the window fills the area). Moving or resizing the window
// by hand sets new distances.
class FollowAreaSize : public QObject {
    Q_OBJECT
  public:
    FollowAreaSize(QMdiArea* area, QMdiSubWindow* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Follow();

    QPointer<QMdiArea> area_;
    QPointer<QMdiSubWindow> window_;
    QSize margins_{0, 0};
    bool adjusting_ = false;
};

// Moves and (where its form allows) shrinks a child window so that it lies in the visible
// part of its area.
void BringIntoView(QMdiArea* area, QMdiSubWindow* window);

}  // namespace vgr47
