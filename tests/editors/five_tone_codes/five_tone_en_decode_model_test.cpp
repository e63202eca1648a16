// The 5-tone encode/decode tables: packing, reading, the cell and row rules, re-pointing of
// decode answers, the default code, Delete and Delete all, and the bytes OK writes.
#include "editors/five_tone_codes/five_tone_en_decode_model.h"

#include <gtest/gtest.h>

#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "core/text_ids.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {

using layout::AddressOf;
namespace fields = layout::fields;
namespace {

using M = FiveToneEnDecodeModel;

using testing::RecordingMessages;

const std::string kEmptyEncode = std::string(26, 'F') + "8FFFFF";
const std::string kDefaultEncode1 = "2143F5FFFFFFFFFFFFFFFFFFF58FFFFF";

struct FiveToneEnDecode : ::testing::Test {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    RecordingMessages messages{Answer::Cancel};
    void SetUp() override {
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[8].identity));
    }
    std::string Text(int n) const { return texts.GetText(n); }
    std::string Encode(int entry) const {
        return image.ReadBytes(mem::kFiveToneEncode + (entry - 1) * mem::kFiveToneEncodeBytes, 16);
    }
    std::string Decode(int entry) const {
        return image.ReadBytes(mem::kFiveToneDecode + (entry - 1) * mem::kFiveToneDecodeBytes, 16);
    }
    void PutEncode(int entry, const std::string& hex) {
        image.WriteBytes(mem::kFiveToneEncode + (entry - 1) * mem::kFiveToneEncodeBytes, hex);
    }
    void PutDecode(int entry, const std::string& hex) {
        image.WriteBytes(mem::kFiveToneDecode + (entry - 1) * mem::kFiveToneDecodeBytes, hex);
    }
    // Types into a frame cell and commits by clicking the number column of the same row.
    static void Type(M& m, M::Page page, int entry, int frame, const std::string& text) {
        ASSERT_EQ(m.ClickCell(page, M::RowOfEntry(entry), frame), M::Opened::kEditor);
        m.SetEditorText(page, text);
        m.ClickCell(page, M::RowOfEntry(entry), 0);
    }
};

TEST(FiveTonePacking, FramesAreNibbleSwappedWithCountsAndFlags) {
    M::EncodeEntry e;
    e.frames[0] = "12345";
    e.flags[0] = 0;
    EXPECT_EQ(M::PackEncode(e), kDefaultEncode1);
    M::EncodeEntry full;
    full.frames[0] = "12345678";
    full.frames[1] = "ABCDE";
    full.frames[2] = "0F0F0F";
    full.flags[0] = 1;
    full.flags[1] = 0;
    full.flags[2] = 1;
    // Byte 13: F0 | count 6, bit 5 cleared for the flag of frame 2 that is off.
    EXPECT_EQ(M::PackEncode(full), "21436587BADCFEFFF0F0F0FF58D6FFFF");
    M::EncodeEntry back = M::UnpackEncode("21436587BADCFEFFF0F0F0FF58D6FFFF");
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(back.frames[n], full.frames[n]) << n;
        EXPECT_EQ(back.flags[n], full.flags[n]) << n;
    }
    EXPECT_TRUE(M::UnpackEncode(std::string(32, 'F')).frames[0].empty());

    M::DecodeEntry d;
    d.frames[0] = "54321";
    d.frames[1] = "99999999";
    d.answer = 32;
    d.alert = 2;
    EXPECT_EQ(M::PackDecode(d), "4523F1FF99999999FFFFFFFF85FF0220");
    M::DecodeEntry empty;
    EXPECT_EQ(M::PackDecode(empty), std::string(26, 'F') + "FF0000");
}

TEST(FiveTonePacking, FrameValidation) {
    struct Case {
        const char* typed;
        const char* kept;
        int message;
    } cases[] = {
        {"  abcde ", "ABCDE", 0},
        {"F0F0F0F0", "F0F0F0F0", 0},
        {"   ", "", 0},
        {"1234", "", kTextFrameCodeBadLength},
        {"123456789", "", kTextFrameCodeBadLength},
        {"12G45", "", kTextFrameCodeBadDigit},
        {"12 45", "", kTextFrameCodeBadDigit},
    };
    for (const Case& c : cases) {
        int message = -1;
        EXPECT_EQ(M::ValidateFrame(c.typed, &message), c.kept) << c.typed;
        EXPECT_EQ(message, c.message) << c.typed;
    }
}

TEST_F(FiveToneEnDecode, DefaultImageReadsAndOkRewritesOnlyTheDecodeTrailers) {
    M m(image, texts, messages);
    EXPECT_EQ(m.timeText(M::kDelay1), "511");
    EXPECT_EQ(m.timeText(M::kFirstDigit), "1000");
    EXPECT_EQ(m.waitTimeText(), "1600");
    EXPECT_EQ(m.autoReset(), 10);
    EXPECT_EQ(m.decodeNumber(), 0);
    EXPECT_TRUE(m.sideTone());
    EXPECT_FALSE(m.clearAutoAnswer());
    EXPECT_EQ(m.CellText(M::kEncodePage, 2, 1), "12345");
    EXPECT_EQ(m.CellText(M::kEncodePage, 2, 4), "----");
    EXPECT_EQ(m.CellText(M::kEncodePage, 3, 1), "");
    EXPECT_EQ(m.CellText(M::kDecodePage, 2, 4), Text(kTextNoAction));
    EXPECT_EQ(m.CellText(M::kDecodePage, 2, 5), Text(kTextNoAction));  // alert byte 21 has no entry
    const std::string before = image.image();
    ASSERT_TRUE(m.Write());
    EXPECT_EQ(Decode(1), "2143F5FFFFFFFFFFFFFFFFFFF5FF0000");
    EXPECT_EQ(Decode(2), std::string(26, 'F') + "FF0000");
    // Everything else is as it was.
    std::string after = image.image();
    for (int n = 1; n <= 8; ++n) {
        const int at = 2 * (mem::kFiveToneDecode + (n - 1) * 16);
        after.replace(at, 32, before.substr(at, 32));
    }
    EXPECT_TRUE(after == before);
}

TEST_F(FiveToneEnDecode, AllFfTablesShowEmptyRowsAndOkRestoresTheDefaultCode) {
    for (int n = 1; n <= 32; ++n) PutEncode(n, std::string(32, 'F'));
    for (int n = 1; n <= 8; ++n) PutDecode(n, std::string(32, 'F'));
    M m(image, texts, messages);
    for (int row = 2; row < M::Rows(M::kEncodePage); ++row)
        for (int c = 1; c < M::kEncodeColumns; ++c)
            EXPECT_EQ(m.CellText(M::kEncodePage, row, c), "") << row;
    ASSERT_TRUE(m.Write());
    EXPECT_EQ(Encode(1), kDefaultEncode1);
    for (int n = 2; n <= 32; ++n) EXPECT_EQ(Encode(n), kEmptyEncode) << n;
    EXPECT_EQ(Decode(1), "2143F5FFFFFFFFFFFFFFFFFFF5FF0000");
}

TEST_F(FiveToneEnDecode, SettingsBytes) {
    image.WriteBytes(AddressOf(fields::kFiveToneDelay2Code), "3F");
    image.WriteBytes(AddressOf(fields::kFiveToneClearAutoAnswer),
                     "A5");  // clear auto answer on, side tone off, others kept
    image.WriteBytes(AddressOf(fields::kFiveToneDecodeNumber), "0C");
    image.WriteBytes(AddressOf(fields::kFiveToneAutoReset), "2C01");
    M m(image, texts, messages);
    EXPECT_EQ(m.DelayCodeEntries()[m.delay3Code()], "3");
    EXPECT_EQ(m.delay2Code(), 0);
    EXPECT_EQ(m.decodeNumber(), 2);
    EXPECT_EQ(m.autoReset(), 300);
    EXPECT_TRUE(m.clearAutoAnswer());
    EXPECT_FALSE(m.sideTone());
    m.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneDelay2Code), 1), "3F");
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneDecodeNumber), 1), "04");
    m.SetSideTone(true);
    m.SetClearAutoAnswer(false);
    m.ChooseDelay2Code(15);  // "E"
    m.ChooseDelay3Code(0);
    m.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneClearAutoAnswer), 1), "A6");
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneDelay2Code), 1), "FE");

    // No decode number bit: nothing is chosen and the byte stays; an auto reset beyond the
    // list selects nothing and is written as 0.
    image.WriteBytes(AddressOf(fields::kFiveToneDecodeNumber), "00");
    image.WriteBytes(AddressOf(fields::kFiveToneAutoReset), "2D01");
    M n(image, texts, messages);
    EXPECT_EQ(n.decodeNumber(), -1);
    EXPECT_EQ(n.autoReset(), -1);
    n.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneDecodeNumber), 1), "00");
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneAutoReset), 2), "0000");
}

TEST_F(FiveToneEnDecode, TimeFieldsClampAndWaitTimeGoesInTensOfMilliseconds) {
    M m(image, texts, messages);
    struct Case {
        const char* typed;
        const char* shown;
    } waits[] = {{"1234", "1230"}, {"3000", "2550"}, {"-40", "0"}, {"x", "0"}, {"9", "0"}};
    for (const Case& c : waits) {
        m.SetWaitTimeText(c.typed);
        m.CommitWaitTime();
        EXPECT_EQ(m.waitTimeText(), c.shown) << c.typed;
    }
    m.SetWaitTimeText("2550");
    m.StepWaitTime(1);
    EXPECT_EQ(m.waitTimeText(), "0");
    m.StepWaitTime(-1);
    EXPECT_EQ(m.waitTimeText(), "2550");
    // A stored time outside the range goes back as read unless it is edited.
    image.WriteBytes(AddressOf(fields::kFiveToneDelay3), "FFFF");
    M kept(image, texts, messages);
    kept.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneDelay3), 2), "FFFF");
    m.SetWaitTimeText("1234");
    m.SetTimeText(M::kDelay1, "9000");
    m.SetTimeText(M::kFirstDigit, "5");
    m.Write();  // OK commits the fields still being edited
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneWaitTime), 1), "7B");
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneDelay1), 2), "581B");
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneFirstDigit), 2), "1400");
    m.SetTimeText(M::kEndDelay, "0");
    m.StepTime(M::kEndDelay, -1);
    EXPECT_EQ(m.timeText(M::kEndDelay), "7000");
    m.SetTimeText(M::kFirstDigit, "7000");
    m.StepTime(M::kFirstDigit, 1);
    EXPECT_EQ(m.timeText(M::kFirstDigit), "20");
}

TEST_F(FiveToneEnDecode, CellRulesFollowTheFramesOfEachRow) {
    M m(image, texts, messages);
    const M::Page E = M::kEncodePage;
    const int row = M::RowOfEntry(2);
    EXPECT_TRUE(m.IsCellWhite(E, row, 1));
    for (int c = 2; c < M::kEncodeColumns; ++c) EXPECT_FALSE(m.IsCellWhite(E, row, c)) << c;
    EXPECT_EQ(m.ClickCell(E, row, 2), M::Opened::kNothing);  // grey cells open nothing
    Type(m, E, 2, 1, "12345");
    EXPECT_TRUE(m.IsCellWhite(E, row, 2));
    EXPECT_TRUE(m.IsCellWhite(E, row, 4));
    EXPECT_EQ(m.CellText(E, row, 4), "----");
    EXPECT_FALSE(m.IsCellWhite(E, row, 3));
    EXPECT_FALSE(m.IsCellWhite(E, row, 5));
    // A flag set to on stays on through later commits of its row.
    ASSERT_EQ(m.ClickCell(E, row, 4), M::Opened::kChooser);
    m.ChooseEntry(E, 1);
    Type(m, E, 2, 2, "67890");
    EXPECT_EQ(m.CellText(E, row, 4), Text(kTextOn));
    EXPECT_EQ(m.CellText(E, row, 5), "----");
    EXPECT_TRUE(m.IsCellWhite(E, row, 3));
    Type(m, E, 2, 3, "ABCDEF");
    EXPECT_EQ(m.CellText(E, row, 6), "----");
    // Emptying frame 2 takes frame 3 and flags 2 and 3 with it.
    Type(m, E, 2, 2, "");
    EXPECT_EQ(m.CellText(E, row, 3), "");
    EXPECT_EQ(m.CellText(E, row, 5), "");
    EXPECT_EQ(m.CellText(E, row, 6), "");
    EXPECT_FALSE(m.IsCellWhite(E, row, 3));
    EXPECT_EQ(m.CellText(E, row, 4), Text(kTextOn));
    // Emptying frame 1 empties the row.
    Type(m, E, 2, 1, " ");
    for (int c = 2; c < M::kEncodeColumns; ++c) EXPECT_EQ(m.CellText(E, row, c), "") << c;

    const M::Page D = M::kDecodePage;
    Type(m, D, 3, 1, "55555");
    EXPECT_EQ(m.CellText(D, M::RowOfEntry(3), 4), Text(kTextNoAction));
    EXPECT_EQ(m.CellText(D, M::RowOfEntry(3), 5), Text(kTextNoAction));
    EXPECT_FALSE(m.IsCellWhite(D, M::RowOfEntry(3), 3));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FiveToneEnDecode, BadFramesAreClearedWithTheirMessage) {
    M m(image, texts, messages);
    Type(m, M::kEncodePage, 2, 1, "1234");
    Type(m, M::kDecodePage, 2, 1, "12g45");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Text(kTextFrameCodeBadLength),
                                                        Text(kTextFrameCodeBadDigit)}));
    EXPECT_EQ(m.CellText(M::kEncodePage, M::RowOfEntry(2), 1), "");
    EXPECT_FALSE(m.IsCellWhite(M::kDecodePage, M::RowOfEntry(2), 2));
}

TEST_F(FiveToneEnDecode, DecodeAnswersFollowTheEncodeEntriesThatLoseTheirCode) {
    M m(image, texts, messages);
    const M::Page E = M::kEncodePage, D = M::kDecodePage;
    Type(m, E, 3, 1, "33333");
    Type(m, E, 5, 1, "55555");
    Type(m, D, 8, 1, "88888");
    Type(m, D, 2, 1, "22222");
    ASSERT_TRUE(m.SetAnswer(8, 3));
    ASSERT_TRUE(m.SetAnswer(2, 1));
    EXPECT_FALSE(m.SetAnswer(2, 4));  // entry 4 has no code: not offered
    // Emptying frame 1 of encode entry 3 re-points decode 8 to the highest coded entry.
    Type(m, E, 3, 1, "");
    EXPECT_EQ(m.CellText(D, M::RowOfEntry(8), 4), "TX-CODE 5");
    EXPECT_EQ(m.decodeEntry(2).answer, 1);
    // A decode row losing its code re-points nothing.
    ASSERT_TRUE(m.SetAnswer(2, 5));
    Type(m, D, 8, 1, "");
    EXPECT_EQ(m.decodeEntry(2).answer, 5);
    // Delete on the encode page re-points too; with no coded entry left the answer is none.
    Type(m, D, 8, 1, "88888");
    ASSERT_TRUE(m.SetAnswer(8, 1));
    m.ClickCell(E, M::RowOfEntry(5), 0);
    m.DeleteRow(E);
    EXPECT_EQ(m.decodeEntry(2).answer, 1);
    m.ClickCell(E, M::RowOfEntry(1), 0);
    m.DeleteRow(E);
    EXPECT_EQ(m.decodeEntry(2).answer, 0);
    EXPECT_EQ(m.decodeEntry(8).answer, 0);
    // ... and the default code came back into entry 1.
    EXPECT_EQ(m.CellText(E, M::RowOfEntry(1), 1), "12345");
    m.Write();
    EXPECT_EQ(Decode(2).substr(28), "0000");
}

TEST_F(FiveToneEnDecode, DeleteAllOnTheEncodePageLeavesNoAnswer) {
    M m(image, texts, messages);
    Type(m, M::kEncodePage, 7, 1, "77777");
    ASSERT_TRUE(m.SetAnswer(1, 7));
    m.DeleteAll(M::kEncodePage);
    EXPECT_EQ(m.decodeEntry(1).answer, 0);
    EXPECT_EQ(m.CellText(M::kEncodePage, 2, 1), "12345");
    EXPECT_EQ(m.CellText(M::kEncodePage, 2, 4), "----");
    EXPECT_EQ(m.CellText(M::kEncodePage, M::RowOfEntry(7), 1), "");
    Type(m, M::kDecodePage, 4, 1, "44444");
    ASSERT_TRUE(m.SetAlert(4, 2));
    m.DeleteAll(M::kDecodePage);
    EXPECT_EQ(m.CellText(M::kDecodePage, 2, 1), "12345");
    EXPECT_EQ(m.CellText(M::kDecodePage, 2, 4), Text(kTextNoAction));
    EXPECT_EQ(m.CellText(M::kDecodePage, 2, 5), Text(kTextNoAction));
    EXPECT_TRUE(m.IsCellWhite(M::kDecodePage, 2, 5));
    EXPECT_EQ(m.CellText(M::kDecodePage, M::RowOfEntry(4), 1), "");
}

TEST_F(FiveToneEnDecode, TheDefaultCodeReturnsWheneverAGridHasNone) {
    M m(image, texts, messages);
    Type(m, M::kDecodePage, 1, 1, "");
    // The click that committed the empty code put the default back.
    EXPECT_EQ(m.CellText(M::kDecodePage, 2, 1), "12345");
    m.ClickCell(M::kDecodePage, 2, 1);
    m.DeleteRow(M::kDecodePage);
    EXPECT_EQ(m.CellText(M::kDecodePage, 2, 1), "12345");
    EXPECT_TRUE(m.IsCellWhite(M::kDecodePage, 2, 4));
    // Emptying it in the editor and pressing OK stores the default.
    m.ClickCell(M::kEncodePage, 2, 1);
    m.SetEditorText(M::kEncodePage, "");
    m.Write();
    EXPECT_EQ(Encode(1), kDefaultEncode1);
}

TEST_F(FiveToneEnDecode, ChoosersCommitOnlyAPickAndOfferTheCodedEncodeEntries) {
    M m(image, texts, messages);
    Type(m, M::kEncodePage, 4, 1, "44444");
    const M::Page D = M::kDecodePage;
    ASSERT_EQ(m.ClickCell(D, 2, M::kAnswerColumn), M::Opened::kChooser);
    EXPECT_EQ(m.ChooserEntries(D),
              (std::vector<std::string>{Text(kTextNoAction), "TX-CODE 1", "TX-CODE 4"}));
    EXPECT_EQ(m.ChooserSelection(D), 0);
    m.ChooseEntry(D, 2);
    EXPECT_EQ(m.CellText(D, 2, 4), "TX-CODE 4");
    // Closing the alert chooser without a pick leaves the cell.
    ASSERT_EQ(m.ClickCell(D, 2, M::kAlertColumn), M::Opened::kChooser);
    m.ClickCell(D, 2, 0);
    EXPECT_EQ(m.CellText(D, 2, 5), Text(kTextNoAction));
    m.ChooseEntry(D, 1);  // the chooser is closed: nothing happens
    EXPECT_EQ(m.CellText(D, 2, 5), Text(kTextNoAction));
    // The open answer chooser follows the encode table.
    m.ClickCell(D, 2, M::kAnswerColumn);
    Type(m, M::kEncodePage, 4, 1, "");
    EXPECT_EQ(m.ChooserEntries(D), (std::vector<std::string>{Text(kTextNoAction), "TX-CODE 1"}));
    EXPECT_EQ(m.CellText(D, 2, 4), "TX-CODE 1");
    EXPECT_EQ(m.ChooserSelection(D), 1);
    m.Write();
    EXPECT_EQ(Decode(1).substr(28), "0001");
}

TEST_F(FiveToneEnDecode, DecodeEntriesReadFromOddBytes) {
    PutDecode(2, std::string(26, 'F') + "FF0203");     // first 13 bytes FF: empty whatever follows
    PutDecode(3, "2143F5FFFFFFFFFFFFFFFFFFF5FF0121");  // answer 33 is no entry
    PutDecode(4, "2143F5FFFFFFFFFFFFFFFFFFF5FF0220");
    M m(image, texts, messages);
    EXPECT_EQ(m.CellText(M::kDecodePage, M::RowOfEntry(2), 1), "");
    EXPECT_FALSE(m.IsCellWhite(M::kDecodePage, M::RowOfEntry(2), 4));
    EXPECT_EQ(m.CellText(M::kDecodePage, M::RowOfEntry(3), 4), Text(kTextNoAction));
    EXPECT_EQ(m.CellText(M::kDecodePage, M::RowOfEntry(3), 5), Text(kTextAlertTone));
    EXPECT_EQ(m.CellText(M::kDecodePage, M::RowOfEntry(4), 4), "TX-CODE 32");
    EXPECT_EQ(m.CellText(M::kDecodePage, M::RowOfEntry(4), 5), Text(kTextAlertRing));
    m.Write();
    EXPECT_EQ(Decode(2), std::string(26, 'F') + "FF0000");
    EXPECT_EQ(Decode(3).substr(26), "FF0100");
    EXPECT_EQ(Decode(4).substr(26), "FF0220");
}

TEST_F(FiveToneEnDecode, ShortImageIsNotOffered) {
    image.InstallNew(std::string(mem::kBasicImageBytes * 2, 'F'));
    EXPECT_FALSE(M::Available(image));
    M m(image, texts, messages);
    EXPECT_FALSE(m.Write());
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
}

}  // namespace
}  // namespace vgr47
