// The DTMF form's rules without widgets: reading fall-backs, the checks of the code lists
// and the kill code, Delete all, and the bytes OK writes.
#include "editors/dtmf/dtmf_model.h"

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

using testing::RecordingMessages;

struct Fixture {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    RecordingMessages messages{Answer::Cancel};
    Fixture() { image.InstallNew(BuildModelImage(state, ModelCatalogue()[8].identity)); }
    DtmfModel Model() { return DtmfModel(image, texts, messages); }
    void Put(int address, const std::string& hex) { ASSERT_TRUE(image.WriteBytes(address, hex)); }
    std::string Bytes(int address, int count) const { return image.ReadBytes(address, count); }
};

TEST(DtmfModel, DefaultImageShowsItsEntriesAndOkKeepsItsBytes) {
    Fixture f;
    const std::string before = f.image.image();
    DtmfModel m = f.Model();
    EXPECT_EQ(m.Selected(DtmfModel::kFirstDigitDelay), 0);  // stored 01
    EXPECT_EQ(m.Selected(DtmfModel::kSideTone), 0);         // stored 01
    EXPECT_EQ(m.Selected(DtmfModel::kClearAutoAnswer), 1);  // stored 00
    EXPECT_EQ(m.Selected(DtmfModel::kGroupCall), 0);        // FF
    EXPECT_EQ(m.Selected(DtmfModel::kAutoReset), 10);
    EXPECT_EQ(m.Code(DtmfModel::kDigitCodes, 0), "12345");
    EXPECT_EQ(m.Entries(DtmfModel::kDKey).size(), 9u);
    EXPECT_EQ(m.Entries(DtmfModel::kDKey)[3], "3 (digit code)");
    EXPECT_EQ(m.Entries(DtmfModel::kFirstDigitDelay).size(), 18u);
    EXPECT_EQ(m.Entries(DtmfModel::kFirstDigitDelay).back(), "950");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.image.image(), before);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(DtmfModel, BytesWithoutAnEntryFallBackAndOkWritesTheFallBack) {
    Fixture f;
    f.Put(AddressOf(fields::kDtmfRate), "07");             // rate: entry 0
    f.Put(AddressOf(fields::kDtmfFirstDigitDelay), "00");  // first digit delay index -1: entry 0
    f.Put(AddressOf(fields::kDtmfStarHashTone), "09");     // * and # tone: entry 1
    f.Put(AddressOf(fields::kDtmfSideTone), "05");         // side tone: any non-zero is entry 0
    f.Put(AddressOf(fields::kDtmfGroupCall), "45");        // group call "E": none
    f.Put(AddressOf(fields::kDtmfAutoReset), "20");        // auto reset 32: entry 10
    f.Put(AddressOf(fields::kDtmfCallAlert), "03");        // call alert: entry 1
    DtmfModel m = f.Model();
    EXPECT_EQ(m.Selected(DtmfModel::kRate), 0);
    EXPECT_EQ(m.Selected(DtmfModel::kFirstDigitDelay), 0);
    EXPECT_EQ(m.Entries(DtmfModel::kFirstDigitDelay)[0], "100");
    EXPECT_EQ(m.Selected(DtmfModel::kStarHashTone), 1);
    EXPECT_EQ(m.Selected(DtmfModel::kGroupCall), 0);
    EXPECT_EQ(m.Selected(DtmfModel::kAutoReset), 10);
    EXPECT_EQ(m.Selected(DtmfModel::kCallAlert), 1);
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfRate), 11),
              "0000010100"
              "01"
              "FF"
              "0A"
              "01"
              "0000");
}

TEST(DtmfModel, GroupCallIsStoredAsItsCharacter) {
    Fixture f;
    f.Put(AddressOf(fields::kDtmfGroupCall), "23");
    DtmfModel m = f.Model();
    EXPECT_EQ(m.Selected(DtmfModel::kGroupCall), 6);  // "#"
    const char* expected[] = {"FF", "41", "42", "43", "44", "2A", "23"};
    for (int i = 0; i < 7; ++i) {
        m.Select(DtmfModel::kGroupCall, i);
        ASSERT_TRUE(m.Apply());
        EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfGroupCall), 1), expected[i]) << i;
        EXPECT_EQ(f.Model().Selected(DtmfModel::kGroupCall), i);
    }
}

TEST(DtmfModel, OkWritesIndexesShiftedAndInverted) {
    Fixture f;
    DtmfModel m = f.Model();
    m.Select(DtmfModel::kRate, 3);
    m.Select(DtmfModel::kFirstDigitTime, 2);
    m.Select(DtmfModel::kFirstDigitDelay, 17);
    m.Select(DtmfModel::kStarHashTone, 3);
    m.Select(DtmfModel::kDKey, 8);
    m.Select(DtmfModel::kSideTone, 1);
    m.Select(DtmfModel::kAutoReset, 15);
    m.Select(DtmfModel::kCallAlert, 2);
    m.Select(DtmfModel::kAutoAnswer, 2);
    m.Select(DtmfModel::kClearAutoAnswer, 0);
    m.Select(DtmfModel::kRate, 4);  // no such entry: ignored
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfRate), 11),
              "03"
              "02"
              "12"
              "03"
              "08"
              "00"
              "FF"
              "0F"
              "02"
              "02"
              "01");
    // The bytes after the lists belong to someone else.
    EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfClearAutoAnswer) + 1, 1), "FF");
}

TEST(DtmfModel, CodeChecksOfBothLists) {
    using C = DtmfModel::Checked;
    auto check = [](DtmfModel::CodeList l, const std::string& t) {
        return DtmfModel::CheckCode(l, t);
    };
    C lower = check(DtmfModel::kDtmfCodes, "  ab*#cd09 ");
    EXPECT_EQ(lower.text, "AB*#CD09");
    EXPECT_EQ(lower.message, 0);
    C withE = check(DtmfModel::kDtmfCodes, "12E4");
    EXPECT_EQ(withE.text, "");
    EXPECT_EQ(withE.message, kTextDtmfCodeBadChar);
    EXPECT_EQ(check(DtmfModel::kDtmfCodes, "1").text, "1");  // no minimum on page 3
    EXPECT_EQ(check(DtmfModel::kDigitCodes, "7").text, "000");
    EXPECT_EQ(check(DtmfModel::kDigitCodes, "78").text, "000");
    EXPECT_EQ(check(DtmfModel::kDigitCodes, "789").text, "789");
    EXPECT_EQ(check(DtmfModel::kDigitCodes, "   ").text, "");
    C letter = check(DtmfModel::kDigitCodes, "12A");
    EXPECT_EQ(letter.text, "");
    EXPECT_EQ(letter.message, kTextDigitCodeBadChar);
    EXPECT_EQ(check(DtmfModel::kDigitCodes, "1*3").message, kTextDigitCodeBadChar);
}

TEST(DtmfModel, KillCodeRules) {
    auto kill = [](const std::string& t) { return DtmfModel::CheckKillCode(t); };
    EXPECT_EQ(kill("").text, "");
    EXPECT_EQ(kill("  ").text, "");
    EXPECT_EQ(kill("12").text, "000");
    EXPECT_EQ(kill("1").text, "000");
    EXPECT_EQ(kill("123456789ABC").text, "123456789A");
    EXPECT_EQ(kill("*#D").text, "*#D");
    EXPECT_EQ(kill("abc").message, kTextDtmfCodeBadChar);  // upper case only
    EXPECT_EQ(kill("12E").text, "");
    // The cut comes first: a bad character beyond the tenth is never stored anyway.
    EXPECT_EQ(kill("1234567890E").text, "1234567890");
    EXPECT_EQ(kill("123456789E1").message, kTextDtmfCodeBadChar);
}

TEST(DtmfModel, KillCodeIsCheckedOnLeavingAndOnOk) {
    Fixture f;
    DtmfModel m = f.Model();
    m.SetKillCode("12");
    m.LeaveKillCode();
    EXPECT_EQ(m.killCode(), "000");
    m.SetKillCode("9E9");  // typed, OK pressed without leaving the field
    ASSERT_TRUE(m.Apply());
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0], f.texts.GetText(kTextDtmfCodeBadChar));
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), std::string(20, 'F'));
    m.SetKillCode("1234567890");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), "31323334353637383930");
    EXPECT_EQ(f.Model().killCode(), "1234567890");
}

TEST(DtmfModel, AStoredKillCodeTheUserNeverTouchedIsWrittenBackAsRead) {
    // Codes the field would refuse or change on leaving it, and bytes beyond the end of a code.
    for (const std::string stored : {"313245FFFFFFFFFFFFFF", "3132FFFFFFFFFFFFFFFF",
                                     "3132330041424344FF07", "31323334353637383930"}) {
        SCOPED_TRACE(stored);
        Fixture f;
        f.Put(mem::kDtmfKillCode, stored);
        DtmfModel m = f.Model();
        m.Select(DtmfModel::kRate, 2);
        m.LeaveKillCode();  // focus passing through the field changes nothing
        ASSERT_TRUE(m.Apply());
        EXPECT_TRUE(f.messages.shown.empty());
        EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), stored);
        EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfRate), 1), "02");
    }
    // Typed again as it stands, it is the user's and gets the field's rules.
    Fixture f;
    f.Put(mem::kDtmfKillCode, "3132FFFFFFFFFFFFFFFF");
    DtmfModel m = f.Model();
    m.SetKillCode("12 ");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), "303030" + std::string(14, 'F'));
}

TEST(DtmfModel, CellEditorCommitsOnAnotherCellAndForgetsOnCommit) {
    Fixture f;
    DtmfModel m = f.Model();
    EXPECT_EQ(m.ClickRow(DtmfModel::kDigitCodes, 2), 2);
    EXPECT_EQ(m.EditText(DtmfModel::kDigitCodes), "");
    m.SetEditText(DtmfModel::kDigitCodes, "4");
    m.ClickRow(DtmfModel::kDigitCodes, 2);  // same cell: nothing
    EXPECT_EQ(m.Code(DtmfModel::kDigitCodes, 1), "");
    m.ClickRow(DtmfModel::kDigitCodes, 1);
    EXPECT_EQ(m.Code(DtmfModel::kDigitCodes, 1), "000");
    EXPECT_EQ(m.EditText(DtmfModel::kDigitCodes), "12345");
    m.SetEditText(DtmfModel::kDigitCodes, "1A");
    m.CommitEdit(DtmfModel::kDigitCodes);  // a tab change
    EXPECT_EQ(m.Code(DtmfModel::kDigitCodes, 0), "");
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0], f.texts.GetText(kTextDigitCodeBadChar));
    // After a commit the same cell can be edited again.
    EXPECT_EQ(m.EditingRow(DtmfModel::kDigitCodes), 0);
    m.ClickRow(DtmfModel::kDigitCodes, 1);
    EXPECT_EQ(m.EditingRow(DtmfModel::kDigitCodes), 1);
}

TEST(DtmfModel, OkCommitsOpenEditorsAndWritesCodeTables) {
    Fixture f;
    DtmfModel m = f.Model();
    m.ClickRow(DtmfModel::kDtmfCodes, 8);
    m.SetEditText(DtmfModel::kDtmfCodes, "0123456789abcd*#");  // exactly 16 characters
    m.ClickRow(DtmfModel::kDigitCodes, 3);
    m.SetEditText(DtmfModel::kDigitCodes, "987");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.Bytes(mem::kDtmfCodes + 7 * 16, 16), "30313233343536373839414243442A23");
    EXPECT_EQ(f.Bytes(mem::kDtmfDigitCodes + 2 * 16, 16), "393837" + std::string(26, 'F'));
    // A full entry is read back without running into the next one.
    EXPECT_EQ(f.Model().Code(DtmfModel::kDtmfCodes, 7), "0123456789ABCD*#");
    EXPECT_EQ(f.image.byteCount(), 4096u);
}

TEST(DtmfModel, AnEmptyDigitCodeListGetsTheDefaultCode) {
    Fixture f;
    DtmfModel m = f.Model();
    for (int n = 0; n < 8; ++n) m.SetCode(DtmfModel::kDigitCodes, n, "");
    m.SetCode(DtmfModel::kDigitCodes, 4, "   ");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(m.Code(DtmfModel::kDigitCodes, 0), "12345");
    EXPECT_EQ(f.Bytes(mem::kDtmfDigitCodes, 16), "3132333435" + std::string(32 - 10, 'F'));
    EXPECT_EQ(f.Bytes(mem::kDtmfDigitCodes + 16, 16), std::string(32, 'F'));
}

TEST(DtmfModel, DeleteAllEmptiesTheListButEntryOne) {
    Fixture f;
    DtmfModel m = f.Model();
    m.SetCode(DtmfModel::kDtmfCodes, 5, "A1");
    m.ClickRow(DtmfModel::kDtmfCodes, 3);
    m.SetEditText(DtmfModel::kDtmfCodes, "999");
    m.DeleteAll(DtmfModel::kDtmfCodes);
    EXPECT_EQ(m.EditingRow(DtmfModel::kDtmfCodes), 0);
    ASSERT_TRUE(m.Apply());  // the open editor was dropped, not committed
    EXPECT_EQ(f.Bytes(mem::kDtmfCodes, 128), "3132333435" + std::string(256 - 10, 'F'));
}

TEST(DtmfModel, ShortImageIsNotOfferedAndNeverWritten) {
    Fixture f;
    f.image.InstallFromRadio(f.image.image().substr(0, 2 * mem::kBasicImageBytes));
    EXPECT_FALSE(DtmfModel::Available(f.image));
    DtmfModel m = f.Model();
    m.Select(DtmfModel::kRate, 2);
    EXPECT_FALSE(m.Apply());
    EXPECT_EQ(f.image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
}

}  // namespace
}  // namespace vgr47
