// The common ground of the forms shown in child windows of the main window: a form asks
// for its window to close (OK, Cancel, Exit) and the shell does the closing.
#pragma once

#include <QWidget>

namespace vgr47 {

class FormView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    // The form is done (OK applied or Cancel): its child window is destroyed at once.
    void closeRequested();
};

}  // namespace vgr47
