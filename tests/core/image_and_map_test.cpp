#include <gtest/gtest.h>

#include "core/codeplug_image.h"
#include "core/codeplug_lib.h"
#include "core/memory_map.h"

using namespace vgr47;

TEST(CodeplugImage, WritesNeverChangeTheLength) {
    CodeplugImage img;
    img.InstallNew(RepeatToLength("F", 2 * mem::kBasicImageBytes));
    EXPECT_TRUE(img.WriteBytes(0x0010, "0a1B"));
    EXPECT_EQ(img.ReadBytes(0x0010, 2), "0A1B");
    EXPECT_TRUE(img.IsModified());
    // Past the end of a short image: refused, unchanged.
    std::string before = img.image();
    EXPECT_FALSE(img.WriteBytes(0x073F, "0000"));
    EXPECT_FALSE(img.WriteBytes(0x0800, "00"));
    // Pieces from failed conversions are refused.
    EXPECT_FALSE(img.WriteBytes(0x0000, ""));
    EXPECT_FALSE(img.WriteBytes(0x0000, "ABC"));
    EXPECT_FALSE(img.WriteBytes(0x0000, "GG"));
    EXPECT_FALSE(img.WriteBytes(-1, "00"));
    EXPECT_EQ(img.image(), before);
    EXPECT_EQ(img.ReadBytes(0x0740, 1), "");
    EXPECT_EQ(img.ReadBytes(0x073F, 2), "FF");
    EXPECT_TRUE(img.WriteBytes(0x073F, "00"));
    EXPECT_EQ(img.image().size(), before.size());
}

TEST(CodeplugImage, StateTransitions) {
    CodeplugImage img;
    EXPECT_FALSE(img.IsModified());
    img.InstallFromRadio("00FF");
    EXPECT_TRUE(img.imageFromRadio());
    EXPECT_EQ(img.filePath(), "");
    EXPECT_FALSE(img.IsModified());
    img.WriteBytes(0, "01");
    img.MarkSaved("/tmp/a.dat");
    EXPECT_FALSE(img.imageFromRadio());
    EXPECT_FALSE(img.IsModified());
    EXPECT_EQ(img.filePath(), "/tmp/a.dat");
    img.InstallModelChange("AAAA");
    EXPECT_EQ(img.filePath(), "");
    EXPECT_FALSE(img.imageFromRadio());
    img.MarkTestModeStarted();
    img.InstallModelChange("BBBB");
    EXPECT_TRUE(img.imageFromRadio());  // a model change leaves the flag alone
    img.InstallOpened("CCCC", "/x.dat");
    EXPECT_FALSE(img.imageFromRadio());
    EXPECT_EQ(img.savedImage(), "CCCC");
}

TEST(MemoryMap, TransferLayouts) {
    auto basic = mem::TransferBlocks(false);
    ASSERT_EQ(basic.size(), 116u);
    EXPECT_EQ(basic.front(), 0x0000);
    EXPECT_EQ(basic.back(), 0x0730);
    auto sig = mem::TransferBlocks(true);
    ASSERT_EQ(sig.size(), 244u);
    EXPECT_EQ(sig[115], 0x0730);
    EXPECT_EQ(sig[116], 0x0800);
    EXPECT_EQ(sig.back(), 0x0FF0);
    for (int a : sig) EXPECT_FALSE(a >= 0x0740 && a <= 0x07FF) << a;
    EXPECT_EQ(116 * 16, mem::kBasicImageBytes);
}

TEST(MemoryMap, RegionsAreOrderedAndInsideTheMemory) {
    int previousEnd = 0;
    for (const auto& r : mem::Regions()) {
        EXPECT_GE(r.start, previousEnd) << r.content;
        previousEnd = r.start + r.size;
    }
    EXPECT_EQ(previousEnd, mem::kImageBytes);
    EXPECT_EQ(mem::ChannelRecordAddress(100), mem::kChannelA);
    EXPECT_EQ(mem::ChannelRecordAddress(101), mem::kChannelB);
    EXPECT_EQ(mem::ChannelExtensionAddress(99), 0x0B10);
}
