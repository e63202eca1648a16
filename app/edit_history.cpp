#include "app/edit_history.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "core/memory_map.h"

namespace vgr47 {

EditHistory::EditHistory(CodeplugImage& image, QObject* parent)
    // The version stamp a save or a write puts in is the program's, not an edit.
    : QObject(parent), image_(image), history_({{mem::kVersionStamp, 2}}) {
    history_.Reset(image_.image());
    qApp->installEventFilter(this);
}

EditHistory::~EditHistory() {
    if (qApp) qApp->removeEventFilter(this);
}

void EditHistory::Reset() {
    history_.Reset(image_.image());
    Announce();
}

void EditHistory::NoteEdit() {
    if (history_.Checkpoint(image_.image())) Announce();
}

void EditHistory::Undo() { Move(true); }

void EditHistory::Redo() { Move(false); }

void EditHistory::Move(bool back) {
    const bool moved = back ? history_.Undo(image_) : history_.Redo(image_);
    Announce();
    if (moved) emit imageRestored();
}

void EditHistory::Announce() { emit availabilityChanged(history_.CanUndo(), history_.CanRedo()); }

bool EditHistory::eventFilter(QObject* watched, QEvent* event) {
    // A text field claims Ctrl+Z and Ctrl+Y for itself; it keeps them only while it has
    // typing to undo or redo, so the next press undoes the last edit of the image.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && !edit->isReadOnly()) {
            const bool undo = key->matches(QKeySequence::Undo);
            const bool redo = key->matches(QKeySequence::Redo) ||
                              (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier);
            if ((undo && !edit->isUndoAvailable()) || (redo && !edit->isRedoAvailable())) {
                key->ignore();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vgr47
