// The channel grid as decoded from crafted records, and the records written back, on
// basic and signalling models.

#include "editors/channels/channel_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "core/memory_map.h"
#include "core/tone_codec.h"

#ifndef VGR47_SOURCE_DIR
#error "VGR47_SOURCE_DIR must name the source tree so the test can find resources/language.sys"
#endif

namespace vgr47 {
namespace {

constexpr const char* kBasic = "4B5632313041F8FF";       // 136-174 MHz, no signalling
constexpr const char* kSignalling = "4B5632313054F8FF";  // 136-174 MHz, signalling

// 145.12500 receive, 146.00000 transmit, no tones; the last four bytes as given.
std::string Plain(const std::string& flagsA = "FF", const std::string& flagsB = "FF",
                  const std::string& optional = "FF", const std::string& scan = "B5") {
    return "00255114" "00006014" "FFFF" "FFFF" + flagsA + flagsB + optional + scan;
}

// A channel as a user would enter it in the dialog.
ChannelValues Entered() {
    ChannelValues v;
    v.rx = "145.12500";
    v.tx = "146.00000";
    v.decodeTone = "88.5";
    v.encodeTone = "D023N";
    v.busyLock = v.compander = v.scan = true;
    return v;
}

class ChannelGrid : public ::testing::Test {
  protected:
    void Load(const char* identity, int bytes = mem::kImageBytes) {
        std::string text(static_cast<std::size_t>(bytes) * 2, 'F');
        text.replace(mem::kIdentity * 2, 16, identity);
        image.InstallNew(text);
        state.UpdateModelFromImage(text);
    }
    void Put(int channel, const std::string& record, const std::string& extension = "") {
        ASSERT_TRUE(image.WriteBytes(mem::ChannelRecordAddress(channel), record));
        if (!extension.empty()) {
            ASSERT_TRUE(image.WriteBytes(mem::ChannelExtensionAddress(channel), extension));
        }
    }
    std::string At(int address, int count) const { return image.ReadBytes(address, count); }

    CodeplugImage image;
    ModelState state;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
};

// The chosen cells of a row joined with "|".
std::string Pick(const ChannelModel& model, int row, std::initializer_list<int> columns) {
    std::string joined;
    bool first = true;
    for (int c : columns) {
        joined += (first ? "" : "|") + model.CellText(row, c);
        first = false;
    }
    return joined;
}

bool OnlyNumber(const ChannelModel& model, int row) {
    for (int c = 1; c < model.Columns(); ++c)
        if (!model.CellText(row, c).empty()) return false;
    return !model.CellText(row, 0).empty();
}

TEST_F(ChannelGrid, BothLayouts) {
    Load(kBasic);
    ChannelModel basic(image, state, texts);
    EXPECT_EQ(basic.Rows(), 102);
    EXPECT_EQ(basic.Columns(), 10);
    EXPECT_EQ(Pick(basic, 0, {0, 1, 9}), "Channel|RX frequency|Tail elimination");
    EXPECT_EQ(Pick(basic, 99, {0}) + Pick(basic, 100, {0}) + Pick(basic, 101, {0}), "99AB");
    EXPECT_TRUE(basic.RowTexts(102).empty());
    EXPECT_EQ(basic.ColumnWidthsPixels(), (std::vector<int>{63, 80, 76, 76, 80, 70, 70, 70, 70, 70}));

    Load(kSignalling);
    ChannelModel signalling(image, state, texts);
    EXPECT_EQ(signalling.Rows(), 100);
    EXPECT_EQ(signalling.Columns(), 22);
    EXPECT_TRUE(signalling.RowTexts(100).empty());
    EXPECT_EQ(signalling.CellText(0, 20), "Reserved");
    for (int c = 0; c < 22; ++c) EXPECT_EQ(signalling.IsColumnHidden(c), c == 20) << c;
    EXPECT_EQ(signalling.ColumnWidthsPixels()[20], 0);
    EXPECT_EQ(signalling.ColumnWidthsPixels()[21], 186);  // 2800 twips
}

TEST_F(ChannelGrid, UnreadableRecordsShowAsEmptyChannels) {
    Load(kBasic);
    Put(1, std::string(32, '0'));
    Put(2, Plain("FF", "FF", "FF", "00"));  // valid frequencies, bad marker
    Put(3, Plain("FF", "FF", "FF", "B6"));
    Put(4, "FFFFFFFF" + Plain().substr(8));
    Put(5, "00000000" + Plain().substr(8));
    Put(6, Plain("FF", "FF", "FF", "FF"));  // an FF marker is a channel off the scan list
    ChannelModel model(image, state, texts);
    for (int row : {1, 2, 3, 4, 5, 7, 100}) EXPECT_TRUE(OnlyNumber(model, row)) << row;
    EXPECT_EQ(Pick(model, 6, {1, 2, 7}), "145.12500|146.00000|Off");
}

TEST_F(ChannelGrid, FrequenciesAndTones) {
    Load(kBasic);
    const std::string d023n = EncodeTone("D023N", "None"), d754i = EncodeTone("D754I", "None");
    Put(1, "00000030" "00004017" "7503" + d023n + "FFFFFFB5");  // 30 MHz, 174 MHz; 88.5, D023N
    Put(2, "00005017" "00000000" + d754i + "0000" "FFFFFFB5");  // 175 MHz, no transmit; D754I, off
    Put(3, "50621313" "00000060" "E903" "FF2F" "FFFFFFB5");     // 131.3625, 600; 100.1 Hz, no DCS word
    Put(4, "00255114" "FFFFFFFF" "FFFF" "7503" "FFFFFFB5");     // encode tone without transmit
    Put(5, "00255114" "00255114" "FFFF" "0000" "FFFFFFB5");
    ChannelModel model(image, state, texts);
    EXPECT_EQ(Pick(model, 1, {1, 2, 3, 4}), "136.00000|174.00000|88.5|D023N");
    EXPECT_EQ(Pick(model, 2, {1, 2, 3, 4}), "136.00000||D754I|");
    EXPECT_EQ(Pick(model, 3, {1, 2, 3, 4}), "136.00000|136.00000|None|None");
    EXPECT_EQ(Pick(model, 4, {1, 2, 3, 4}), "145.12500||None|88.5");
    EXPECT_EQ(Pick(model, 5, {3, 4}), "None|None");
    EXPECT_TRUE(model.IsCellShaded(2, 2));
    EXPECT_FALSE(model.IsCellShaded(2, 0));
}

TEST_F(ChannelGrid, BasicFlagsInEveryCombination) {
    Load(kBasic);
    const char hex[] = "0123456789ABCDEF";
    for (int bits = 0; bits < 16; ++bits)
        Put(bits + 1, Plain(std::string("F") + hex[bits], "FF", "FF", bits % 2 ? "B5" : "B4"));
    ChannelModel model(image, state, texts);
    for (int bits = 0; bits < 16; ++bits) {
        std::string expected = std::string(bits & 1 ? "Off" : "On") + "|" + (bits & 4 ? "Off" : "On") + "|" +
                               (bits % 2 ? "On" : "Off") + "|" + (bits & 2 ? "Wide" : "Narrow") + "|" +
                               (bits & 8 ? "On" : "Off");
        EXPECT_EQ(Pick(model, bits + 1, {5, 6, 7, 8, 9}), expected) << bits;
    }
    EXPECT_EQ(model.CountScanChannels(), 8);
}

TEST_F(ChannelGrid, SignallingFlagsAndOptionalSignalling) {
    Load(kSignalling);
    Put(1, Plain("D9", "40", "02"));  // wide, compander on, tail on, carrier, AND; 5-tone 2
    Put(2, Plain("A7", "40", "08"));  // bandwidth 11 reads narrow, QT/DQT, OR
    Put(3, Plain("F2", "40", "00"));  // optional-signalling mode; relation cleared without a type
    Put(4, Plain("84", "40", "09"));
    Put(5, Plain("FF", "40", "0C"));
    Put(6, Plain("FF", "40", "0D"));
    Put(7, Plain("FF", "40", "1C"));
    Put(8, Plain("FF", "40", "1D"));
    ChannelModel model(image, state, texts);
    EXPECT_EQ(Pick(model, 1, {5, 6, 8, 9, 10, 11, 12}), "Carrier|On|Wide|On|AND|5-Tone|2");
    EXPECT_EQ(Pick(model, 2, {5, 6, 8, 9, 10, 11, 12}), "QT/DQT|Off|Narrow|Off|OR|5-Tone|8");
    EXPECT_EQ(Pick(model, 3, {5, 8, 10, 11, 12}), "Optional signalling|Narrow||None|");
    EXPECT_EQ(Pick(model, 4, {5, 10, 11, 12}), "Off|OR|2-Tone|1");
    EXPECT_EQ(Pick(model, 5, {11, 12}), "2-Tone|4");
    EXPECT_EQ(Pick(model, 6, {11, 12}), "DTMF|1");
    EXPECT_EQ(Pick(model, 7, {11, 12}), "DTMF|16");
    EXPECT_EQ(Pick(model, 8, {10, 11, 12}), "|None|");
}

TEST_F(ChannelGrid, FlagsBAndExtensionCodes) {
    Load(kSignalling);
    Put(1, Plain("FF", "E9", "0D"), "03110310FFFFFFFF");  // switchable, tx w/o decode, DTMF at start
    Put(2, Plain("FF", "47", "09"), "20210005FFFFFFFF");  // 5-tone at both ends, 2-tone decode
    Put(3, Plain("FF", "42", "0D"), "01020304FFFFFFFF");  // no PTT-ID: its mode and codes hidden
    Put(4, Plain("FF", "5E", "00"));                      // type 7 reads as none; extension all FF
    ChannelModel model(image, state, texts);
    EXPECT_EQ(Pick(model, 1, {21, 19, 13, 14, 15, 16, 17, 18, 20}),
              "On|On|DTMF|TX start|DTMF-MEM 3|Off|DTMF-MEM 3|DTMF-MEM 16|");
    EXPECT_EQ(Pick(model, 2, {21, 19, 13, 14, 15, 16, 17, 18}),
              "Off|Off|5-Tone|TX start and end|TX-CODE 32|Off|Off|TX-CODE 5");
    EXPECT_EQ(Pick(model, 3, {13, 14, 15, 16, 17, 18}), "Off||||DTMF-MEM 3|DTMF-MEM 4");
    EXPECT_EQ(Pick(model, 4, {13, 14, 15, 16, 17, 18}), "Off|||||");
    std::string line = model.ListingLine(1);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 20);  // 21 cells without the hidden one
    EXPECT_EQ(line.substr(line.size() - 18), "\tDTMF-MEM 16\tOn\tOn");
}

TEST_F(ChannelGrid, WritesBasicChannels) {
    Load(kBasic);
    ChannelModel model(image, state, texts);
    model.WriteChannel(4, Entered());
    EXPECT_EQ(At(mem::ChannelRecordAddress(4), 16),
              "00255114" "00006014" "7503" + EncodeTone("D023N", "None") + "FAFFFFB5");
    EXPECT_EQ(At(mem::ChannelExtensionAddress(4), 8), std::string(16, 'F'));
    EXPECT_EQ(model.ListingLine(4), "4\t145.12500\t146.00000\t88.5\tD023N\tOn\tOn\tOn\tWide\tOn");

    ChannelValues v = Entered();
    v.tx.clear();
    v.encodeTone.clear();
    v.busyLock = v.compander = v.scan = v.wide = v.tailElimination = false;
    model.WriteChannel(100, v);
    EXPECT_EQ(At(mem::kChannelA, 16), "00255114FFFFFFFF7503FFFFF5FFFFB4");
    EXPECT_EQ(model.ListingLine(100), "A\t145.12500\t\t88.5\t\tOff\tOff\tOff\tNarrow\tOff");
    EXPECT_EQ(model.ListingLine(5), "");
}

TEST_F(ChannelGrid, WritesSignallingChannels) {
    Load(kSignalling);
    Put(9, std::string(32, '0'), std::string(16, '0'));
    ChannelModel model(image, state, texts);
    ChannelValues off;
    off.tx = "146.00000";  // no receive frequency: the channel is off whatever else is set
    model.WriteChannel(9, off);
    EXPECT_EQ(At(mem::ChannelRecordAddress(9), 16), std::string(32, 'F'));
    EXPECT_EQ(At(mem::ChannelExtensionAddress(9), 8), std::string(16, 'F'));

    ChannelValues v = Entered();
    v.compander = v.wide = v.relationAnd = false;
    v.busyLockMode = "QT/DQT";
    v.signallingSwitchable = true;
    v.signallingType = 3;
    v.decodeNumber = 3;
    v.pttIdType = 2;
    v.pttIdMode = 1;
    v.txStartCode = "DTMF-MEM 3";
    v.call1Code = "Off";
    v.call2Code = "DTMF-MEM 8";  // the transmit-end list has no selection
    model.WriteChannel(2, v);
    EXPECT_EQ(At(mem::ChannelRecordAddress(2) + 12, 4), "ACC90FB5");
    EXPECT_EQ(At(mem::ChannelExtensionAddress(2), 8), "03FF0008FFFFFFFF");
    EXPECT_EQ(Pick(model, 2, {5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 21}),
              "QT/DQT|Off|Narrow|OR|DTMF|3|DTMF|TX start|DTMF-MEM 3|Off|Off|DTMF-MEM 8|On");

    v.busyLockMode = "Optional signalling";
    v.relationAnd = v.txWithoutDecode = true;
    v.signallingSwitchable = false;
    v.signallingType = 2;
    v.decodeNumber = 4;
    v.pttIdType = 1;
    v.pttIdMode = 3;
    v.txStartCode = "TX-CODE 32";
    v.txEndCode = "TX-CODE 1";
    model.WriteChannel(2, v);
    EXPECT_EQ(At(mem::ChannelRecordAddress(2) + 12, 4), "FC670CB5");
    EXPECT_EQ(At(mem::ChannelExtensionAddress(2), 8), "20010008FFFFFFFF");
}

TEST_F(ChannelGrid, ScanPriorityStaysOnTheScanList) {
    Load(kBasic);
    for (int n : {3, 5, 8, 101}) Put(n, Plain());
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "05"));
    ChannelModel model(image, state, texts);
    ChannelValues v = Entered();
    v.scan = false;
    model.WriteChannel(8, Entered());  // still on the list: nothing moves
    EXPECT_EQ(At(mem::kScanPriority, 1), "05");
    model.WriteChannel(5, v);  // the priority channel leaves: the lowest member takes over
    EXPECT_EQ(At(mem::kScanPriority, 1), "03");
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "65"));
    model.WriteChannel(3, v);  // channel B is the priority channel and stays
    EXPECT_EQ(At(mem::kScanPriority, 1), "65");
    model.WriteChannel(8, v);  // only B is left on the list
    EXPECT_EQ(At(mem::kScanPriority, 1), "00");
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "65"));
    model.WriteChannel(40, v);  // with a single scan channel any write clears it
    EXPECT_EQ(At(mem::kScanPriority, 1), "00");
}

TEST_F(ChannelGrid, EmptiedChannelsLeaveTheAutoChannelSelectList) {
    Load(kSignalling);
    for (int n : {3, 5, 7, 9}) Put(n, Plain());
    ASSERT_TRUE(image.WriteBytes(mem::kAcsList, "0305000709FF0B03"));  // 11 is empty
    ChannelModel model(image, state, texts);
    model.WriteChannel(5, ChannelValues{});
    model.CleanUpAutoChannelSelect();
    EXPECT_EQ(At(mem::kAcsList, mem::kAcsListCount), "03070903FFFFFFFF");
}

TEST_F(ChannelGrid, DeleteAllEmptiesChannelsAcsAndPriority) {
    Load(kSignalling);
    for (int n = 1; n <= 99; ++n) Put(n, Plain());
    Put(7, Plain(), "0102030405060708");
    ASSERT_TRUE(image.WriteBytes(mem::kAcsList, "0102FFFFFFFFFFFF"));
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "07"));
    ChannelModel model(image, state, texts);
    model.DeleteAllChannels();
    EXPECT_EQ(At(mem::kChannels, mem::kChannelsEnd), std::string(2 * mem::kChannelsEnd, 'F'));
    EXPECT_EQ(At(mem::kAcsList, mem::kAcsListCount), std::string(16, 'F'));
    EXPECT_EQ(At(mem::kScanPriority, 1), "00");
    EXPECT_EQ(At(mem::ChannelExtensionAddress(7), 8), "0102030405060708");
    EXPECT_EQ(model.CountScanChannels(), 0);
    EXPECT_TRUE(OnlyNumber(model, 7));
}

TEST_F(ChannelGrid, ShortBasicImageIsEditedInPlace) {
    Load(kBasic, mem::kBasicImageBytes);
    Put(101, Plain("FD"));
    ASSERT_TRUE(image.WriteBytes(mem::kScanPriority, "65"));
    ChannelModel model(image, state, texts);
    EXPECT_EQ(Pick(model, 101, {0, 1, 8}), "B|145.12500|Narrow");
    model.WriteChannel(1, Entered());
    EXPECT_EQ(model.CellText(1, 4), "D023N");
    model.DeleteAllChannels();
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    EXPECT_TRUE(OnlyNumber(model, 101));
    EXPECT_EQ(At(mem::kScanPriority, 1), "00");
}

TEST_F(ChannelGrid, TypedFrequenciesAndChannelTexts) {
    Load(kBasic);
    ChannelModel basic(image, state, texts);
    EXPECT_EQ(basic.NormaliseFrequency("145.1234"), "145.12000");  // 5 kHz point is nearer
    EXPECT_EQ(basic.NormaliseFrequency(" 145.0065"), "145.00625");
    EXPECT_EQ(basic.NormaliseFrequency("145.0130"), "145.01250");
    EXPECT_EQ(basic.NormaliseFrequency("30"), "136.00000");
    EXPECT_EQ(basic.NormaliseFrequency("999.9"), "174.00000");
    EXPECT_EQ(basic.NormaliseFrequency("  "), "");
    EXPECT_EQ(basic.RowForChannelText("b"), 101);
    EXPECT_EQ(basic.RowForChannelText("A"), 100);
    EXPECT_EQ(basic.RowForChannelText("0"), 1);
    EXPECT_EQ(basic.RowForChannelText("150"), 101);
    Load(kSignalling);
    ChannelModel signalling(image, state, texts);
    EXPECT_EQ(signalling.RowForChannelText("150"), 99);
    EXPECT_EQ(signalling.RowForChannelText("B"), 1);
}

TEST_F(ChannelGrid, RefillResetsTheBasicDefaultsOnly) {
    Load(kSignalling);
    ChannelModel model(image, state, texts);
    ChannelValues saved = Entered();
    saved.wide = false;
    saved.signallingType = 2;
    saved.pttIdMode = 3;
    model.SaveAsDefault(saved);
    EXPECT_EQ(model.defaults().rx, "145.12500");
    model.Refill();
    const ChannelValues& d = model.defaults();
    EXPECT_EQ(d.rx + "|" + d.tx + "|" + d.decodeTone + "|" + d.encodeTone + "|" + d.busyLockMode,
              "136.00000|136.00000|None|None|Off");
    EXPECT_TRUE(d.wide && d.tailElimination && d.relationAnd);
    EXPECT_FALSE(d.scan || d.compander || d.busyLock);
    EXPECT_EQ(d.signallingType, 2);
    EXPECT_EQ(d.pttIdMode, 3);
}

}  // namespace
}  // namespace vgr47
