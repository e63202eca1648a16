// Undo and redo of the user's edits for the whole program: one history over the image, fed
// after every applied change (a channel dialog field, a form's OK, Delete all), started anew
// whenever the image is replaced. While a text field holds typing it can undo, Ctrl+Z and
// Ctrl+Y stay with the field.
#pragma once

#include <QObject>

#include "core/codeplug_image.h"
#include "core/undo_history.h"

namespace vgr47 {

class EditHistory : public QObject {
    Q_OBJECT
  public:
    explicit EditHistory(CodeplugImage& image, QObject* parent = nullptr);
    ~EditHistory() override;

    bool canUndo() const { return history_.CanUndo(); }
    bool canRedo() const { return history_.CanRedo(); }

  public slots:
    // The image was replaced (New, Open, a read, a model change): no step leads back.
    void Reset();
    // An edit was applied: what changed since the last step becomes one step.
    void NoteEdit();
    void Undo();
    void Redo();

  signals:
    void availabilityChanged(bool canUndo, bool canRedo);
    // Undo or redo changed the image; what shows it must read it again.
    void imageRestored();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Move(bool back);
    void Announce();

    CodeplugImage& image_;
    UndoHistory history_;
};

}  // namespace vgr47
