// The channel grid as decoded from crafted records, on basic and signalling models.

#include "editors/channel_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/memory_map.h"
#include "core/tone_codec.h"

#ifndef VGR47_SOURCE_DIR
#error "VGR47_SOURCE_DIR must name the source tree so the test can find resources/language.sys"
#endif

namespace vgr47 {
namespace {

constexpr const char* kBasicIdentity = "4B5632313041F8FF";       // 136-174 MHz, no signalling
constexpr const char* kSignallingIdentity = "4B5632313054F8FF";  // 136-174 MHz, signalling

// A channel record from its fields as they lie in the image.
std::string Record(const std::string& rx, const std::string& tx, const std::string& decode,
                   const std::string& encode, const std::string& flags) {
    return rx + tx + decode + encode + flags;
}

class ChannelGrid : public ::testing::Test {
  protected:
    void Load(const char* identity, int bytes = mem::kImageBytes) {
        std::string text(static_cast<std::size_t>(bytes) * 2, 'F');
        text.replace(mem::kIdentity * 2, 16, identity);
        image.InstallNew(text);
        state.UpdateModelFromImage(text);
    }
    void Put(int channel, const std::string& record) {
        ASSERT_TRUE(image.WriteBytes(mem::ChannelRecordAddress(channel), record));
    }
    void PutExtension(int channel, const std::string& record) {
        ASSERT_TRUE(image.WriteBytes(mem::ChannelExtensionAddress(channel), record));
    }
    std::vector<std::string> Row(int row) {
        ChannelModel model(image, state, texts);
        return model.RowTexts(row);
    }

    CodeplugImage image;
    ModelState state;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
};

// 145.12500 receive, 146.00000 transmit, no tones, scan on; flags as given.
std::string Plain(const std::string& flagsA = "FF", const std::string& flagsB = "FF",
                  const std::string& optional = "FF", const std::string& scan = "B5") {
    return Record("00255114", "00006014", "FFFF", "FFFF", flagsA + flagsB + optional + scan);
}

// A channel as a user would enter it in the dialog.
ChannelValues Entered() {
    ChannelValues v;
    v.rx = "145.12500";
    v.tx = "146.00000";
    v.decodeTone = "88.5";
    v.encodeTone = "D023N";
    v.busyLock = true;
    v.compander = true;
    v.scan = true;
    return v;
}

bool OnlyNumber(const std::vector<std::string>& row) {
    for (std::size_t c = 1; c < row.size(); ++c)
        if (!row[c].empty()) return false;
    return !row.empty() && !row[0].empty();
}

TEST_F(ChannelGrid, BasicLayoutHasRowsAAndBAndTenColumns) {
    Load(kBasicIdentity);
    ChannelModel model(image, state, texts);
    EXPECT_FALSE(model.signalling());
    EXPECT_EQ(model.Rows(), 102);
    EXPECT_EQ(model.Columns(), 10);
    EXPECT_EQ(model.RowTexts(0).size(), 10u);
    EXPECT_EQ(model.RowTexts(0)[0], "Channel");
    EXPECT_EQ(model.RowTexts(0)[1], "RX frequency");
    EXPECT_EQ(model.RowName(1), "1");
    EXPECT_EQ(model.RowName(99), "99");
    EXPECT_EQ(model.RowName(100), "A");
    EXPECT_EQ(model.RowName(101), "B");
    EXPECT_EQ(model.RowTexts(101)[0], "B");
    EXPECT_TRUE(model.RowTexts(102).empty());
    std::vector<int> widths = model.ColumnWidthsPixels();
    EXPECT_EQ(widths, (std::vector<int>{63, 80, 76, 76, 80, 70, 70, 70, 70, 70}));
    for (int c = 0; c < model.Columns(); ++c) EXPECT_FALSE(model.IsColumnHidden(c)) << c;
}

TEST_F(ChannelGrid, SignallingLayoutHides20) {
    Load(kSignallingIdentity);
    ChannelModel model(image, state, texts);
    EXPECT_TRUE(model.signalling());
    EXPECT_EQ(model.Rows(), 100);
    EXPECT_EQ(model.Columns(), 22);
    EXPECT_EQ(model.RowName(99), "99");
    EXPECT_TRUE(model.RowTexts(100).empty());
    EXPECT_EQ(model.RowTexts(0)[20], "Reserved");
    for (int c = 0; c < model.Columns(); ++c) EXPECT_EQ(model.IsColumnHidden(c), c == 20) << c;
    std::vector<int> widths = model.ColumnWidthsPixels();
    ASSERT_EQ(widths.size(), 22u);
    EXPECT_EQ(widths[20], 0);
    EXPECT_EQ(widths[21], 186);  // 2800 twips
}

TEST_F(ChannelGrid, UnreadableRecordsShowAsEmptyChannels) {
    Load(kBasicIdentity);
    Put(1, std::string(32, '0'));
    Put(2, Plain("FF", "FF", "FF", "00"));          // valid frequencies, bad marker
    Put(3, Plain("FF", "FF", "FF", "B6"));
    Put(4, "FFFFFFFF" + Plain().substr(8));         // no receive frequency
    Put(5, "00000000" + Plain().substr(8));
    Put(6, Plain("FF", "FF", "FF", "FF"));          // FF marker is a channel off the scan list
    ChannelModel model(image, state, texts);
    for (int row : {1, 2, 3, 4, 5, 7, 100}) {
        EXPECT_TRUE(OnlyNumber(model.RowTexts(row))) << row;
        EXPECT_TRUE(model.IsRowEmpty(row)) << row;
    }
    EXPECT_EQ(model.CellText(6, 1), "145.12500");
    EXPECT_EQ(model.CellText(6, 2), "146.00000");
    EXPECT_EQ(model.CellText(6, 7), "Off");
}

TEST_F(ChannelGrid, FrequenciesAreClampedToTheBand) {
    Load(kBasicIdentity);
    Put(1, Record("00000030", "00004017", "FFFF", "FFFF", "FFFFFFB5"));  // 30 and 174.0
    Put(2, Record("00005017", "00000000", "FFFF", "FFFF", "FFFFFFB5"));  // 175.0, no transmit
    Put(3, Record("00255114", "FFFFFFFF", "FFFF", "FFFF", "FFFFFFB5"));
    Put(4, Record("50621313", "00000060", "FFFF", "FFFF", "FFFFFFB5"));  // 131.3625 and 600.0
    ChannelModel model(image, state, texts);
    EXPECT_EQ(model.CellText(1, 1), "136.00000");
    EXPECT_EQ(model.CellText(1, 2), "174.00000");
    EXPECT_EQ(model.CellText(2, 1), "136.00000");
    EXPECT_EQ(model.CellText(2, 2), "");
    EXPECT_EQ(model.CellText(3, 1), "145.12500");
    EXPECT_EQ(model.CellText(3, 2), "");
    EXPECT_EQ(model.CellText(4, 1), "136.00000");
    EXPECT_EQ(model.CellText(4, 2), "136.00000");
}

TEST_F(ChannelGrid, TonesAreShownAsTheirToneListEntry) {
    Load(kBasicIdentity);
    const std::string dcs = EncodeTone("D023N", "None");
    const std::string inverted = EncodeTone("D754I", "None");
    Put(1, Record("00255114", "00255114", "7503", dcs, "FFFFFFB5"));        // 88.5 / D023N
    Put(2, Record("00255114", "00255114", inverted, "0000", "FFFFFFB5"));   // D754I / 0000 is off
    Put(3, Record("00255114", "00255114", "E903", "FFFF", "FFFFFFB5"));     // 100.1 is no CTCSS tone
    Put(4, Record("00255114", "00255114", "FF2F", "1234", "FFFFFFB5"));     // no such DCS words
    Put(5, Record("00255114", "FFFFFFFF", "FFFF", "7503", "FFFFFFB5"));     // encode tone, no transmit
    Put(6, Record("00255114", "FFFFFFFF", "7503", "FFFF", "FFFFFFB5"));
    ChannelModel model(image, state, texts);
    EXPECT_EQ(model.CellText(1, 3), "88.5");
    EXPECT_EQ(model.CellText(1, 4), "D023N");
    EXPECT_EQ(model.CellText(2, 3), "D754I");
    EXPECT_EQ(model.CellText(2, 4), "None");
    EXPECT_EQ(model.CellText(3, 3), "None");
    EXPECT_EQ(model.CellText(4, 3), "None");
    EXPECT_EQ(model.CellText(4, 4), "None");
    EXPECT_EQ(model.CellText(5, 4), "88.5");
    EXPECT_EQ(model.CellText(6, 3), "88.5");
    EXPECT_EQ(model.CellText(6, 4), "");
}

TEST_F(ChannelGrid, BasicFlagsInEveryCombination) {
    Load(kBasicIdentity);
    for (int bits = 0; bits < 16; ++bits) {
        const char hex[] = "0123456789ABCDEF";
        Put(bits + 1, Plain(std::string("F") + hex[bits], "FF", "FF", bits % 2 ? "B5" : "B4"));
    }
    ChannelModel model(image, state, texts);
    for (int bits = 0; bits < 16; ++bits) {
        const auto& row = model.RowTexts(bits + 1);
        EXPECT_EQ(row[5], bits & 1 ? "Off" : "On") << bits;
        EXPECT_EQ(row[6], bits & 4 ? "Off" : "On") << bits;
        EXPECT_EQ(row[7], bits % 2 ? "On" : "Off") << bits;
        EXPECT_EQ(row[8], bits & 2 ? "Wide" : "Narrow") << bits;
        EXPECT_EQ(row[9], bits & 8 ? "On" : "Off") << bits;
    }
    EXPECT_EQ(model.CountScanChannels(), 8);
}

TEST_F(ChannelGrid, SignallingFlagsA) {
    Load(kSignallingIdentity);
    // bandwidth 01, compander on, tail on, busy lock 1, AND; optional 5-tone decode 2
    Put(1, Plain("D9", "40", "02"));
    // bandwidth 11 reads narrow, busy lock 2, OR
    Put(2, Plain("A7", "40", "02"));
    // bandwidth 10, busy lock 3, AND but no optional signalling: relation cleared
    Put(3, Plain("F2", "40", "00"));
    Put(4, Plain("84", "40", "0A"));  // busy lock off, OR, 2-tone
    ChannelModel model(image, state, texts);
    const auto& r1 = model.RowTexts(1);
    EXPECT_EQ(r1[8], "Wide");
    EXPECT_EQ(r1[6], "On");
    EXPECT_EQ(r1[9], "On");
    EXPECT_EQ(r1[5], "Carrier");
    EXPECT_EQ(r1[10], "AND");
    const auto& r2 = model.RowTexts(2);
    EXPECT_EQ(r2[8], "Narrow");
    EXPECT_EQ(r2[6], "Off");
    EXPECT_EQ(r2[9], "Off");
    EXPECT_EQ(r2[5], "QT/DQT");
    EXPECT_EQ(r2[10], "OR");
    const auto& r3 = model.RowTexts(3);
    EXPECT_EQ(r3[8], "Narrow");
    EXPECT_EQ(r3[5], "Optional signalling");
    EXPECT_EQ(r3[10], "");
    const auto& r4 = model.RowTexts(4);
    EXPECT_EQ(r4[5], "Off");
    EXPECT_EQ(r4[10], "OR");
}

TEST_F(ChannelGrid, OptionalSignallingRanges) {
    Load(kSignallingIdentity);
    struct Case {
        const char* byte;
        const char* type;
        const char* number;
    };
    const Case cases[] = {{"00", "None", ""},   {"01", "5-Tone", "1"}, {"08", "5-Tone", "8"},
                          {"09", "2-Tone", "1"}, {"0C", "2-Tone", "4"}, {"0D", "DTMF", "1"},
                          {"1C", "DTMF", "16"},  {"1D", "None", ""},   {"FF", "None", ""}};
    int channel = 1;
    for (const Case& c : cases) Put(channel++, Plain("FF", "FF", c.byte));
    ChannelModel model(image, state, texts);
    channel = 1;
    for (const Case& c : cases) {
        EXPECT_EQ(model.CellText(channel, 11), c.type) << c.byte;
        EXPECT_EQ(model.CellText(channel, 12), c.number) << c.byte;
        ++channel;
    }
}

TEST_F(ChannelGrid, FlagsBAndExtensionCodes) {
    Load(kSignallingIdentity);
    // switchable, tx without decode, PTT-ID DTMF at start: 1 01 0 10 01 ; DTMF decode 1
    Put(1, Plain("FF", "E9", "0D"));
    PutExtension(1, "03110310FFFFFFFF");
    // PTT-ID 5-tone, both; 2-tone decode: codes are transmit codes
    Put(2, Plain("FF", "47", "09"));
    PutExtension(2, "20210005FFFFFFFF");
    // PTT-ID type none hides the mode and the two PTT-ID codes, not the call codes
    Put(3, Plain("FF", "42", "0D"));
    PutExtension(3, "01020304FFFFFFFF");
    // type 7 reads as none; an extension record of all FF shows nothing
    Put(4, Plain("FF", "5E", "00"));
    ChannelModel model(image, state, texts);

    const auto& r1 = model.RowTexts(1);
    EXPECT_EQ(r1[21], "On");
    EXPECT_EQ(r1[19], "On");
    EXPECT_EQ(r1[13], "DTMF");
    EXPECT_EQ(r1[14], "TX start");
    EXPECT_EQ(r1[15], "DTMF-MEM 3");
    EXPECT_EQ(r1[16], "Off");  // 17 is beyond the DTMF memories
    EXPECT_EQ(r1[17], "DTMF-MEM 3");
    EXPECT_EQ(r1[18], "DTMF-MEM 16");
    EXPECT_EQ(r1[20], "");
    std::string line = model.ListingLine(1);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 20);  // 21 cells without the hidden one
    const std::string tail = "\tDTMF-MEM 16\tOn\tOn";  // columns 18, 19 and 21
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);

    const auto& r2 = model.RowTexts(2);
    EXPECT_EQ(r2[21], "Off");
    EXPECT_EQ(r2[19], "Off");
    EXPECT_EQ(r2[13], "5-Tone");
    EXPECT_EQ(r2[14], "TX start and end");
    EXPECT_EQ(r2[15], "TX-CODE 32");
    EXPECT_EQ(r2[16], "Off");  // 33 is beyond the transmit codes
    EXPECT_EQ(r2[17], "Off");  // 0 is none
    EXPECT_EQ(r2[18], "TX-CODE 5");

    const auto& r3 = model.RowTexts(3);
    EXPECT_EQ(r3[13], "Off");
    EXPECT_EQ(r3[14], "");
    EXPECT_EQ(r3[15], "");
    EXPECT_EQ(r3[16], "");
    EXPECT_EQ(r3[17], "DTMF-MEM 3");
    EXPECT_EQ(r3[18], "DTMF-MEM 4");

    const auto& r4 = model.RowTexts(4);
    EXPECT_EQ(r4[13], "Off");
    EXPECT_EQ(r4[14], "");
    for (int c = 15; c <= 18; ++c) EXPECT_EQ(r4[c], "") << c;
}

TEST_F(ChannelGrid, ShortBasicImageIsEditedInPlace) {
    Load(kBasicIdentity, mem::kBasicImageBytes);
    Put(101, Plain("FD"));
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "65"));
    ChannelModel model(image, state, texts);
    EXPECT_EQ(model.CellText(101, 0), "B");
    EXPECT_EQ(model.CellText(101, 1), "145.12500");
    EXPECT_EQ(model.CellText(101, 8), "Narrow");
    EXPECT_EQ(model.CountScanChannels(), 1);
    model.WriteChannel(1, Entered());
    EXPECT_EQ(model.CellText(1, 4), "D023N");
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));

    model.DeleteAllChannels();
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    EXPECT_TRUE(OnlyNumber(model.RowTexts(101)));
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "00");
}

TEST_F(ChannelGrid, DeleteAllEmptiesChannelsAcsAndPriority) {
    Load(kSignallingIdentity);
    for (int n = 1; n <= 99; ++n) Put(n, Plain());
    PutExtension(7, "0102030405060708");
    ASSERT_TRUE(image.WriteBytes(mem::kAcsList, "0102FFFFFFFFFFFF"));
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "07"));
    ChannelModel model(image, state, texts);
    EXPECT_EQ(model.CountScanChannels(), 99);

    model.DeleteAllChannels();
    EXPECT_EQ(image.ReadBytes(mem::kChannels, mem::kChannelsEnd), std::string(2 * mem::kChannelsEnd, 'F'));
    EXPECT_EQ(image.ReadBytes(mem::kAcsList, mem::kAcsListCount), std::string(16, 'F'));
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "00");
    EXPECT_EQ(image.ReadBytes(mem::ChannelExtensionAddress(7), 8), "0102030405060708");
    EXPECT_EQ(model.CountScanChannels(), 0);
    for (int row = 1; row < model.Rows(); ++row) EXPECT_TRUE(OnlyNumber(model.RowTexts(row))) << row;
}


TEST_F(ChannelGrid, BasicChannelWritesItsBytesAndReadsBack) {
    Load(kBasicIdentity);
    ChannelModel model(image, state, texts);
    model.WriteChannel(4, Entered());
    EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(4), 16),
              "00255114" "00006014" "7503" + EncodeTone("D023N", "None") + "FAFFFFB5");
    EXPECT_EQ(image.ReadBytes(mem::ChannelExtensionAddress(4), 8), std::string(16, 'F'));
    EXPECT_EQ(model.RowTexts(4), (std::vector<std::string>{"4", "145.12500", "146.00000", "88.5", "D023N", "On",
                                                           "On", "On", "Wide", "On"}));

    ChannelValues v = Entered();
    v.tx.clear();
    v.encodeTone.clear();
    v.busyLock = v.compander = v.scan = v.wide = v.tailElimination = false;
    model.WriteChannel(100, v);  // channel A
    EXPECT_EQ(image.ReadBytes(mem::kChannelA, 16), "00255114FFFFFFFF7503FFFFF5FFFFB4");
    EXPECT_EQ(model.RowTexts(100), (std::vector<std::string>{"A", "145.12500", "", "88.5", "", "Off", "Off",
                                                             "Off", "Narrow", "Off"}));
    EXPECT_EQ(model.ListingLine(100), "A\t145.12500\t\t88.5\t\tOff\tOff\tOff\tNarrow\tOff");
    EXPECT_EQ(model.ListingLine(5), "");
}

TEST_F(ChannelGrid, SwitchedOffChannelStoresAllFf) {
    Load(kSignallingIdentity);
    Put(9, std::string(32, '0'));
    PutExtension(9, std::string(16, '0'));
    ChannelModel model(image, state, texts);
    ChannelValues off;
    off.tx = "146.00000";  // ignored without a receive frequency
    model.WriteChannel(9, off);
    EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(9), 16), std::string(32, 'F'));
    EXPECT_EQ(image.ReadBytes(mem::ChannelExtensionAddress(9), 8), std::string(16, 'F'));
    EXPECT_TRUE(OnlyNumber(model.RowTexts(9)));
}

TEST_F(ChannelGrid, SignallingChannelWritesFlagsAndCodes) {
    Load(kSignallingIdentity);
    ChannelModel model(image, state, texts);
    ChannelValues v = Entered();
    v.compander = false;
    v.wide = false;
    v.busyLockMode = "QT/DQT";
    v.relationAnd = false;
    v.signallingSwitchable = true;
    v.signallingType = 3;
    v.decodeNumber = 3;
    v.pttIdType = 2;
    v.pttIdMode = 1;
    v.txStartCode = "DTMF-MEM 3";
    v.txEndCode = "";
    v.call1Code = "Off";
    v.call2Code = "DTMF-MEM 8";
    model.WriteChannel(2, v);
    const std::string record = image.ReadBytes(mem::ChannelRecordAddress(2), 16);
    EXPECT_EQ(record.substr(24), "ACC90FB5");
    EXPECT_EQ(image.ReadBytes(mem::ChannelExtensionAddress(2), 8), "03FF0008FFFFFFFF");
    const auto& row = model.RowTexts(2);
    EXPECT_EQ(row[5], "QT/DQT");
    EXPECT_EQ(row[6], "Off");
    EXPECT_EQ(row[8], "Narrow");
    EXPECT_EQ(row[10], "OR");
    EXPECT_EQ(row[11], "DTMF");
    EXPECT_EQ(row[12], "3");
    EXPECT_EQ(row[13], "DTMF");
    EXPECT_EQ(row[14], "TX start");
    EXPECT_EQ(row[15], "DTMF-MEM 3");
    EXPECT_EQ(row[16], "Off");  // FF
    EXPECT_EQ(row[17], "Off");
    EXPECT_EQ(row[18], "DTMF-MEM 8");
    EXPECT_EQ(row[21], "On");

    // 2-tone decode 4, 5-tone PTT-ID at both ends, busy lock on optional signalling
    v.busyLockMode = "Optional signalling";
    v.relationAnd = true;
    v.signallingSwitchable = false;
    v.txWithoutDecode = true;
    v.signallingType = 2;
    v.decodeNumber = 4;
    v.pttIdType = 1;
    v.pttIdMode = 3;
    v.txStartCode = "TX-CODE 32";
    v.txEndCode = "TX-CODE 1";
    model.WriteChannel(2, v);
    EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(2), 16).substr(24), "FC670CB5");
    EXPECT_EQ(image.ReadBytes(mem::ChannelExtensionAddress(2), 8), "20010008FFFFFFFF");
}

TEST_F(ChannelGrid, ScanPriorityStaysOnTheScanList) {
    Load(kBasicIdentity);
    for (int n : {3, 5, 8, 101}) Put(n, Plain());
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "05"));
    ChannelModel model(image, state, texts);
    ChannelValues v = Entered();
    v.scan = false;

    model.WriteChannel(8, Entered());  // still on the list: nothing moves
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "05");
    model.WriteChannel(5, v);  // the priority channel leaves the list: the lowest member takes over
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "03");
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "65"));
    model.WriteChannel(3, v);  // channel B is the priority channel and stays
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "65");
    model.WriteChannel(8, v);  // only B is left on the list
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "00");
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "65"));
    model.WriteChannel(40, v);  // any write with a single scan channel clears it
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "00");
}

TEST_F(ChannelGrid, TypedFrequenciesAreClampedAndSnapped) {
    Load(kBasicIdentity);
    ChannelModel model(image, state, texts);
    EXPECT_EQ(model.NormaliseFrequency("145.1234"), "145.12000");  // 5 kHz point is nearer
    EXPECT_EQ(model.NormaliseFrequency(" 145.0065"), "145.00625");
    EXPECT_EQ(model.NormaliseFrequency("145.0130"), "145.01250");
    EXPECT_EQ(model.NormaliseFrequency("145.01875"), "145.01875");  // on the 6.25 kHz raster
    EXPECT_EQ(model.NormaliseFrequency("30"), "136.00000");
    EXPECT_EQ(model.NormaliseFrequency("999.9"), "174.00000");
    EXPECT_EQ(model.NormaliseFrequency("  "), "");
}

TEST_F(ChannelGrid, ChannelTextsSelectAnExistingRow) {
    Load(kBasicIdentity);
    ChannelModel basic(image, state, texts);
    EXPECT_EQ(basic.RowForChannelText("b"), 101);
    EXPECT_EQ(basic.RowForChannelText("A"), 100);
    EXPECT_EQ(basic.RowForChannelText("0"), 1);
    EXPECT_EQ(basic.RowForChannelText("150"), 101);
    EXPECT_EQ(basic.RowForChannelText("42"), 42);
    Load(kSignallingIdentity);
    ChannelModel signalling(image, state, texts);
    EXPECT_EQ(signalling.RowForChannelText("150"), 99);
    EXPECT_EQ(signalling.RowForChannelText("B"), 1);
}

TEST_F(ChannelGrid, EmptiedChannelsLeaveTheAutoChannelSelectList) {
    Load(kSignallingIdentity);
    for (int n : {3, 5, 7, 9}) Put(n, Plain());
    ASSERT_TRUE(image.WriteBytes(mem::kAcsList, "0305000709FF0B03"));  // 11 is empty
    ChannelModel model(image, state, texts);
    model.WriteChannel(5, ChannelValues{});
    model.CleanUpAutoChannelSelect();
    EXPECT_EQ(image.ReadBytes(mem::kAcsList, mem::kAcsListCount), "03070903FFFFFFFF");
}

TEST_F(ChannelGrid, RefillResetsTheBasicDefaultsOnly) {
    Load(kSignallingIdentity);
    ChannelModel model(image, state, texts);
    EXPECT_EQ(model.defaults().rx, "136.00000");
    EXPECT_EQ(model.defaults().encodeTone, "None");
    EXPECT_EQ(model.defaults().busyLockMode, "Off");
    ChannelValues saved = Entered();
    saved.wide = false;
    saved.signallingType = 2;
    saved.pttIdMode = 3;
    model.SaveAsDefault(saved);
    EXPECT_EQ(model.defaults().rx, "145.12500");
    model.Refill();
    EXPECT_EQ(model.defaults().rx, "136.00000");
    EXPECT_EQ(model.defaults().tx, "136.00000");
    EXPECT_EQ(model.defaults().decodeTone, "None");
    EXPECT_TRUE(model.defaults().wide);
    EXPECT_FALSE(model.defaults().scan);
    EXPECT_EQ(model.defaults().signallingType, 2);
    EXPECT_EQ(model.defaults().pttIdMode, 3);
}

TEST_F(ChannelGrid, EmptyCellsOfAChannelAreShaded) {
    Load(kBasicIdentity);
    Put(1, Record("00255114", "FFFFFFFF", "FFFF", "FFFF", "FFFFFFB5"));
    ChannelModel model(image, state, texts);
    EXPECT_FALSE(model.IsCellShaded(1, 0));
    EXPECT_FALSE(model.IsCellShaded(1, 1));
    EXPECT_TRUE(model.IsCellShaded(1, 2));
    EXPECT_TRUE(model.IsCellShaded(1, 4));
    for (int c = 0; c < model.Columns(); ++c) EXPECT_FALSE(model.IsCellShaded(2, c)) << c;
}

}  // namespace
}  // namespace vgr47
