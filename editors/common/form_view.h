// The common ground of the forms shown in child windows of the main window: a form asks
// for its window to close (OK, Cancel, Exit) and the shell does the closing.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QLayout;
class QPushButton;

namespace vgr47 {

class FormView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // How far the form's child window opens from its default place; the main window keeps
    // the whole window in view, reducing the offset where needed.
    QPoint placementOffset() const { return placementOffset_; }

protected:
    // The usual page of a settings form: its fields on top, OK and Cancel at the bottom right.
    void LayOutWithOkCancel(QLayout* fields, QPushButton* ok, QPushButton* cancel);
    // Enter presses OK and Esc presses Cancel, as in a dialog; Enter in a grid or its in-place
    // editor stays with the grid, and a focused button is pressed itself.
    void SetOkCancel(QPushButton* ok, QPushButton* cancel);
    void SetPlacementOffset(QPoint offset) { placementOffset_ = offset; }

    void keyPressEvent(QKeyEvent* event) override;

signals:
    // The form is done (OK applied or Cancel): its child window is destroyed at once.
    void closeRequested();

private:
    // The focus is in a grid (or, with editorOnly, in a grid's in-place editor).
    bool FocusInGrid(bool editorOnly) const;

    QPoint placementOffset_;
    QPointer<QPushButton> ok_, cancel_;
};

}  // namespace vgr47
