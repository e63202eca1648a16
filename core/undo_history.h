// Undo and redo for edits of the codeplug image, kept as the bytes each edit changed (their
// text before and after), so one history serves every form and the channel dialog alike.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/codeplug_image.h"

namespace vgr47 {

class UndoHistory {
  public:
    // Bytes the program writes on its own (the version stamp of a save or a write): a change
    // of them is never a step, and undo leaves them as they are.
    struct ByteRange {
        int address;
        int count;
    };

    explicit UndoHistory(std::vector<ByteRange> ignored = {}, std::size_t limit = 500);

    // Forgets every step; the next step is measured from this image text.
    void Reset(const std::string& image);
    // Records what changed since the last known state as one step; the steps that could be
    // redone go. False when nothing (or only ignored bytes) changed. A text of another
    // length is a new image: the history starts again from it.
    bool Checkpoint(const std::string& image);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }

    // Puts the bytes of the last step back as they were (Undo) or as it left them (Redo).
    // Changes not yet recorded become a step first. False when there is nothing to do.
    bool Undo(CodeplugImage& image);
    bool Redo(CodeplugImage& image);

  private:
    struct Piece {
        int address;
        std::string before, after;
    };
    using Step = std::vector<Piece>;

    bool Ignored(int address) const;
    std::vector<Piece> Diff(const std::string& from, const std::string& to) const;
    bool Apply(CodeplugImage& image, std::vector<Step>& from, std::vector<Step>& to, bool back);

    std::vector<ByteRange> ignored_;
    std::size_t limit_;
    std::string known_;
    std::vector<Step> undo_, redo_;
};

}  // namespace vgr47
