#include "editors/form_view.h"

#include <QHBoxLayout>
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
}

}  // namespace vgr47
