// The common ground of the forms shown in child windows of the main window: a form asks
// for its window to close (OK, Cancel, Exit) and the shell does the closing.
#pragma once

#include <QWidget>

class QLayout;
class QPushButton;

namespace vgr47 {

class FormView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    // The usual page of a settings form: its fields on top, OK and Cancel at the bottom right.
    void LayOutWithOkCancel(QLayout* fields, QPushButton* ok, QPushButton* cancel);

signals:
    // The form is done (OK applied or Cancel): its child window is destroyed at once.
    void closeRequested();
};

}  // namespace vgr47
