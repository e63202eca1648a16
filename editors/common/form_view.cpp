#include "editors/common/form_view.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace vgr47 {

void FormView::LayOutWithOkCancel(QLayout* fields, QPushButton* ok, QPushButton* cancel) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);
    SetOkCancel(ok, cancel);
}

void FormView::SetOkCancel(QPushButton* ok, QPushButton* cancel) {
    ok_ = ok;
    cancel_ = cancel;
}

bool FormView::FocusInGrid(bool editorOnly) const {
    QWidget* focus = focusWidget();
    for (QWidget* w = focus; w && w != this; w = w->parentWidget())
        if (qobject_cast<QAbstractItemView*>(w)) return !editorOnly || w != focus;
    return false;
}

void FormView::keyPressEvent(QKeyEvent* event) {
    // Only keys no field took reach the form.
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    const int key = event->key();
    if (plain && key == Qt::Key_Escape && cancel_ && cancel_->isEnabled() && !FocusInGrid(true)) {
        cancel_->click();
        return;
    }
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter) && ok_ && !FocusInGrid(false)) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            if (button->isEnabled()) button->click();
            return;
        }
        if (ok_->isEnabled()) ok_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vgr47
