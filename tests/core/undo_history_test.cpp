#include "core/undo_history.h"

#include <gtest/gtest.h>

#include <string>

using namespace vgr47;

namespace {

CodeplugImage Blank(int bytes = 64) {
    CodeplugImage image;
    image.InstallNew(std::string(static_cast<std::size_t>(bytes) * 2, 'F'));
    return image;
}

}  // namespace

TEST(UndoHistory, EachCheckpointIsOneStepBackAndForth) {
    CodeplugImage image = Blank();
    UndoHistory history;
    history.Reset(image.image());
    const std::string start = image.image();
    EXPECT_FALSE(history.Checkpoint(image.image()));  // nothing changed: no step
    image.WriteBytes(2, "0102");
    image.WriteBytes(40, "AA");  // one edit touching two places
    ASSERT_TRUE(history.Checkpoint(image.image()));
    const std::string first = image.image();
    image.WriteBytes(3, "55");
    ASSERT_TRUE(history.Checkpoint(image.image()));
    const std::string second = image.image();
    EXPECT_EQ(history.undoCount(), 2u);

    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(image.image(), first);
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(image.image(), start);
    EXPECT_FALSE(history.Undo(image));
    EXPECT_EQ(image.image(), start);
    ASSERT_TRUE(history.Redo(image));
    EXPECT_EQ(image.image(), first);
    ASSERT_TRUE(history.Redo(image));
    EXPECT_EQ(image.image(), second);
    EXPECT_FALSE(history.Redo(image));
    EXPECT_FALSE(image.savedImage() == image.image());  // the saved copy is never touched
}

TEST(UndoHistory, ANewEditDropsTheRedoStepsAndPendingChangesAreUndoneFirst) {
    CodeplugImage image = Blank();
    UndoHistory history;
    history.Reset(image.image());
    image.WriteBytes(0, "11");
    history.Checkpoint(image.image());
    history.Undo(image);
    EXPECT_TRUE(history.CanRedo());
    image.WriteBytes(9, "22");
    // Not yet recorded: redo must not replay the old step over it.
    EXPECT_FALSE(history.Redo(image));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(image.ReadBytes(9, 1), "22");
    image.WriteBytes(10, "33");  // pending again: undone as a step of its own
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(image.ReadBytes(10, 1), "FF");
    EXPECT_EQ(image.ReadBytes(9, 1), "22");
}

TEST(UndoHistory, TheProgramsOwnBytesAreNeitherAStepNorUndone) {
    CodeplugImage image = Blank();
    UndoHistory history({{30, 2}});
    history.Reset(image.image());
    image.WriteBytes(30, "0505");  // a save stamps the version
    EXPECT_FALSE(history.Checkpoint(image.image()));
    image.WriteBytes(28, "01020304");  // an edit reaching over the stamp
    ASSERT_TRUE(history.Checkpoint(image.image()));
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(image.ReadBytes(28, 4), "FFFF0304");
    ASSERT_TRUE(history.Redo(image));
    EXPECT_EQ(image.ReadBytes(28, 4), "01020304");
}

TEST(UndoHistory, AnotherImageLengthStartsAfreshAndTheLimitDropsTheOldest) {
    CodeplugImage image = Blank();
    UndoHistory history({}, 3);
    history.Reset(image.image());
    for (int i = 0; i < 5; ++i) {
        image.WriteBytes(i, "00");
        history.Checkpoint(image.image());
    }
    EXPECT_EQ(history.undoCount(), 3u);
    while (history.Undo(image)) {
    }
    EXPECT_EQ(image.ReadBytes(0, 5), "0000FFFFFF");

    CodeplugImage shorter = Blank(16);
    EXPECT_FALSE(history.Checkpoint(shorter.image()));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    shorter.WriteBytes(15, "01");  // the last byte: a step as any other
    EXPECT_TRUE(history.Checkpoint(shorter.image()));
    EXPECT_TRUE(history.Undo(shorter));
    EXPECT_EQ(shorter.ReadBytes(15, 1), "FF");
}
