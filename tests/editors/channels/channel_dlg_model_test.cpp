// The channel dialog driven without widgets: enable rules, list rebuilding, the moves between
// channels and what each change writes into the image.

#include "editors/channels/channel_dlg_model.h"

#include <gtest/gtest.h>

#include <string>

#include "core/memory_map.h"
#include "core/model_catalogue.h"

namespace vgr47 {
namespace {

constexpr const char* kBasic = "4B5632313041F8FF";       // 136-174 MHz, no signalling
constexpr const char* kSignalling = "4B5632313054F8FF";  // 136-174 MHz, signalling

using Code = ChannelDlgModel::CodeList;

class ChannelDialog : public ::testing::Test {
  protected:
    // A default image of the model: DTMF memory 1, digit code 1, 5-tone code and decode 1 and
    // 2-tone code 1 are programmed, every channel is empty.
    void Load(const char* identity) {
        image.InstallNew(BuildModelImage(state, identity));
        Start();
    }
    void Start() {
        channels = std::make_unique<ChannelModel>(image, state, texts);
        dialog = std::make_unique<ChannelDlgModel>(*channels, image, texts);
    }
    std::string Record(int n) const {
        return image.ReadBytes(mem::ChannelRecordAddress(n), mem::kChannelRecordBytes);
    }
    std::string Extension(int n) const {
        return image.ReadBytes(mem::ChannelExtensionAddress(n), mem::kChannelExtensionBytes);
    }
    int IndexOf(const DlgList& list, const std::string& text) const {
        for (std::size_t i = 0; i < list.items.size(); ++i)
            if (list.items[i] == text) return static_cast<int>(i);
        return -1;
    }
    const ChannelDlgState& s() const { return dialog->state(); }

    CodeplugImage image;
    ModelState state;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    std::unique_ptr<ChannelModel> channels;
    std::unique_ptr<ChannelDlgModel> dialog;
};

TEST_F(ChannelDialog, AnEmptyChannelOffersOnlyItsReceiveField) {
    Load(kSignalling);
    dialog->Open(5);
    EXPECT_FALSE(s().channelOn.checked);
    EXPECT_TRUE(s().channelOn.enabled && s().rx.enabled);
    EXPECT_FALSE(s().tx.enabled || s().txOn.enabled || s().compander.enabled ||
                 s().relationAnd.enabled);
    for (const DlgList* list :
         {&s().decodeTone, &s().encodeTone, &s().busyLockMode, &s().signallingType, &s().pttIdType,
          &s().txStartCode, &s().call2Code})
        EXPECT_TRUE(!list->enabled && !list->hasSelection());
    EXPECT_FALSE(s().saveAsDefaultEnabled);
    dialog
        ->SaveAsDefault();  // refused: an empty channel as the defaults could never be switched on
    EXPECT_EQ(channels->defaults().rx, "136.00000");
}

TEST_F(ChannelDialog, TypingAReceiveFrequencySwitchesTheChannelOnWithTheDefaults) {
    Load(kSignalling);
    ChannelValues saved = channels->defaults();
    saved.tx = "150.00000";
    saved.scan = saved.compander = true;
    saved.signallingType = ChannelDlgModel::kTypeDtmf;
    saved.decodeNumber = 1;
    saved.busyLockMode = "Optional signalling";
    channels->SaveAsDefault(saved);

    dialog->Open(7);
    dialog->EditRx("145.1234");
    EXPECT_EQ(s().rx.text, "145.12000");  // the 5 kHz point is nearer than 145.11875
    EXPECT_EQ(s().tx.text, "145.12000");  // transmit follows the typed receive frequency
    EXPECT_TRUE(s().channelOn.checked && s().txOn.checked && s().encodeTone.enabled &&
                s().scan.checked);
    EXPECT_EQ(s().signallingType.text(), "DTMF");
    EXPECT_EQ(s().busyLockMode.text(), "Optional signalling");
    EXPECT_EQ(Record(7),
              "00205114"
              "00205114"
              "FFFF"
              "FFFF"
              "F9"
              "40"
              "0D"
              "B5");
    EXPECT_EQ(channels->CellText(7, ChannelModel::kColRx), "145.12000");

    dialog->EditRx("145.0065");
    EXPECT_EQ(s().rx.text, "145.00625");
    EXPECT_EQ(s().tx.text, "145.12000");  // an edit of a channel that is on leaves transmit alone
    dialog->EditRx("30");
    EXPECT_EQ(s().rx.text, "136.00000");

    dialog->EditTx("0");
    EXPECT_FALSE(s().txOn.checked || s().encodeTone.enabled || s().encodeTone.hasSelection());
    EXPECT_EQ(Record(7).substr(8, 8), "FFFFFFFF");
    dialog->SetTxOn(true);
    EXPECT_EQ(s().tx.text, "150.00000");
    EXPECT_EQ(s().encodeTone.text(), "None");

    dialog->EditRx("  ");
    EXPECT_FALSE(s().channelOn.checked || s().tx.enabled);
    EXPECT_EQ(Record(7), std::string(32, 'F'));
    EXPECT_EQ(Extension(7), std::string(16, 'F'));
}

TEST_F(ChannelDialog, TheChannelOnBoxAppliesTheDefaultsOrClearsEverything) {
    Load(kSignalling);
    dialog->Open(2);
    dialog->SetChannelOn(true);
    EXPECT_EQ(s().rx.text + "|" + s().tx.text, "136.00000|136.00000");
    EXPECT_TRUE(s().wide.checked && s().tailElimination.checked && s().relationAnd.checked);
    EXPECT_FALSE(s().relationOr.checked);
    EXPECT_EQ(s().pttIdType.index, 0);
    EXPECT_FALSE(s().pttIdMode.enabled);
    EXPECT_EQ(Record(2),
              "00006013"
              "00006013"
              "FFFF"
              "FFFF"
              "CD"
              "40"
              "00"
              "B4");

    // What is saved comes back on the next channel switched on, until the grid is refilled.
    dialog->SetScan(true);
    dialog->SelectPttIdType(ChannelDlgModel::kPttDtmf);
    dialog->SelectPttIdMode(ChannelDlgModel::kModeBoth);
    dialog->SelectCode(Code::TxEnd, 1);
    dialog->SaveAsDefault();
    dialog->StepChannel(1);
    dialog->SetChannelOn(true);
    EXPECT_TRUE(s().scan.checked);
    EXPECT_EQ(s().pttIdMode.index, ChannelDlgModel::kModeBoth);
    EXPECT_EQ(s().txStartCode.text() + "|" + s().txEndCode.text(), "Off|DTMF-MEM 1");
    EXPECT_EQ(Extension(3), "00010000FFFFFFFF");

    dialog->SetChannelOn(false);
    EXPECT_EQ(Record(3), std::string(32, 'F'));
    EXPECT_TRUE(s().rx.text.empty() && !s().scan.checked && !s().pttIdType.hasSelection());
}

TEST_F(ChannelDialog, SignallingRulesEnableWhatTheTypesNeed) {
    Load(kSignalling);
    dialog->Open(1);
    dialog->EditRx("145");
    EXPECT_FALSE(s().txWithoutDecode.enabled || s().signallingSwitchable.enabled ||
                 s().relationAnd.enabled);
    EXPECT_FALSE(s().decodeNumber.enabled);

    dialog->SelectSignallingType(ChannelDlgModel::kTypeDtmf);
    EXPECT_TRUE(s().txWithoutDecode.enabled && s().signallingSwitchable.enabled &&
                s().relationOr.enabled);
    EXPECT_TRUE(s().compander.enabled);
    dialog->SetCompander(true);
    dialog->SelectSignallingType(ChannelDlgModel::kTypeTwoTone);
    EXPECT_FALSE(s().compander.enabled ||
                 s().compander.checked);  // tones and a compander do not mix
    dialog->SelectSignallingType(ChannelDlgModel::kTypeNone);
    dialog->SetCompander(true);

    // PTT-ID: the mode decides which code lists are open.
    dialog->SelectPttIdType(ChannelDlgModel::kPttFiveTone);
    EXPECT_TRUE(s().pttIdMode.enabled);
    EXPECT_EQ(s().pttIdMode.index, 0);
    EXPECT_FALSE(s().txStartCode.enabled || s().txEndCode.enabled);
    dialog->SelectPttIdMode(ChannelDlgModel::kModeTxEnd);
    EXPECT_TRUE(!s().txStartCode.enabled && s().txEndCode.enabled);
    EXPECT_EQ(s().txEndCode.index, 0);
    EXPECT_TRUE(s().compander.checked);  // entry 0 sends no code
    dialog->SelectCode(Code::TxEnd, 1);
    EXPECT_FALSE(s().compander.enabled || s().compander.checked);
    dialog->SelectPttIdMode(ChannelDlgModel::kModeTxStart);
    EXPECT_TRUE(s().txStartCode.enabled && !s().txEndCode.hasSelection() && s().compander.enabled);
    EXPECT_EQ(Extension(1).substr(0, 4), "00FF");
    dialog->SelectPttIdType(ChannelDlgModel::kPttNone);
    EXPECT_FALSE(s().pttIdMode.enabled || s().pttIdMode.hasSelection() || s().txStartCode.enabled);

    // Without a type the grid shows no relation; the stored AND survives other changes.
    EXPECT_EQ(channels->CellText(1, ChannelModel::kColRelation), "");
    dialog->StepChannel(1);
    dialog->StepChannel(-1);
    EXPECT_TRUE(s().relationAnd.checked && !s().relationOr.checked);
    dialog->SetScan(true);
    EXPECT_EQ(Record(1).substr(24, 2), "CD");

    // Choices a disabled or shorter list does not offer change nothing.
    std::string before = Record(1);
    dialog->SelectPttIdMode(2);
    dialog->SelectDecodeTone(500);
    EXPECT_EQ(Record(1), before);
}

TEST_F(ChannelDialog, ListsOfferOnlyProgrammedEntriesAndStoreTheirNumbers) {
    Load(kSignalling);
    // DTMF memories 1, 3 and 8; digit codes 2 and 5; 5-tone decode 1 and 6; 2-tone codes 1 and 4.
    ASSERT_TRUE(image.WriteBytes(mem::kDtmfCodes + 2 * mem::kDtmfCodeBytes, "2A31FF"));
    ASSERT_TRUE(image.WriteBytes(mem::kDtmfCodes + 7 * mem::kDtmfCodeBytes, "39"));
    ASSERT_TRUE(image.WriteBytes(mem::kDtmfDigitCodes, "FF"));
    ASSERT_TRUE(image.WriteBytes(mem::kDtmfDigitCodes + mem::kDtmfCodeBytes, "313233"));
    ASSERT_TRUE(image.WriteBytes(mem::kDtmfDigitCodes + 4 * mem::kDtmfCodeBytes, "3435"));
    ASSERT_TRUE(image.WriteBytes(mem::kFiveToneDecode + 5 * mem::kFiveToneDecodeBytes + 12, "01"));
    ASSERT_TRUE(image.WriteBytes(mem::kTwoToneEncode + mem::kTwoToneEncodeBytes, "0000"));
    ASSERT_TRUE(image.WriteBytes(mem::kTwoToneEncode + 3 * mem::kTwoToneEncodeBytes, "0100"));
    Start();
    dialog->Open(4);
    dialog->EditRx("145");

    dialog->SelectPttIdType(ChannelDlgModel::kPttDtmf);
    dialog->SelectPttIdMode(ChannelDlgModel::kModeTxStart);
    EXPECT_EQ(s().txStartCode.items,
              (std::vector<std::string>{"Off", "DTMF-MEM 1", "DTMF-MEM 3", "DTMF-MEM 8"}));
    dialog->SelectCode(Code::TxStart, IndexOf(s().txStartCode, "DTMF-MEM 3"));
    EXPECT_EQ(Extension(4).substr(0, 2), "03");  // the memory's number, not the list position

    dialog->SelectSignallingType(ChannelDlgModel::kTypeDtmf);
    EXPECT_EQ(s().decodeNumber.items, (std::vector<std::string>{"2", "5"}));
    EXPECT_EQ(s().decodeNumber.index, 0);
    dialog->SelectDecodeNumber(1);
    EXPECT_EQ(Record(4).substr(28, 2), "11");  // DTMF decode 5
    EXPECT_EQ(s().call1Code.items.size(), 4u);

    dialog->SelectSignallingType(ChannelDlgModel::kTypeFiveTone);
    EXPECT_EQ(s().decodeNumber.items, (std::vector<std::string>{"1", "6"}));
    EXPECT_EQ(s().decodeNumber.index, 1);  // the position is kept
    EXPECT_EQ(s().call1Code.items, (std::vector<std::string>{"Off", "TX-CODE 1"}));
    EXPECT_EQ(Record(4).substr(28, 2), "06");

    dialog->SelectSignallingType(ChannelDlgModel::kTypeTwoTone);
    EXPECT_EQ(s().decodeNumber.items, (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(s().call2Code.items, (std::vector<std::string>{"Off", "TX-CODE 1", "TX-CODE 4"}));
    dialog->SelectCode(Code::Call2, 2);
    EXPECT_EQ(Record(4).substr(28, 2), "0A");
    EXPECT_EQ(Extension(4), "03FF0004FFFFFFFF");

    // Reopened, the lists are selected by the texts the grid shows.
    dialog->StepChannel(-1);
    dialog->StepChannel(1);
    EXPECT_EQ(s().txStartCode.text() + "|" + s().call2Code.text() + "|" + s().decodeNumber.text(),
              "DTMF-MEM 3|TX-CODE 4|2");
}

TEST_F(ChannelDialog, ATypeWithoutDecodeEntriesIsStoredAsNone) {
    Load(kSignalling);
    ASSERT_TRUE(image.WriteBytes(mem::kDtmfDigitCodes, std::string(2 * mem::kDtmfCodeBytes, 'F')));
    Start();
    dialog->Open(9);
    dialog->EditRx("150");
    dialog->SelectSignallingType(ChannelDlgModel::kTypeDtmf);
    EXPECT_FALSE(s().decodeNumber.enabled);
    // Type DTMF with no number would otherwise come out as 2-tone decode 4.
    EXPECT_EQ(Record(9).substr(28, 2), "00");
}

TEST_F(ChannelDialog, BusyLockModesFollowTheDecodeToneAndSignalling) {
    Load(kSignalling);
    dialog->Open(1);
    dialog->EditRx("145");
    EXPECT_EQ(s().busyLockMode.items, (std::vector<std::string>{"Off", "Carrier"}));
    dialog->SelectDecodeTone(IndexOf(s().decodeTone, "88.5"));
    dialog->SelectSignallingType(ChannelDlgModel::kTypeFiveTone);
    EXPECT_EQ(s().busyLockMode.items,
              (std::vector<std::string>{"Off", "Carrier", "QT/DQT", "Optional signalling"}));
    dialog->SelectBusyLockMode(3);
    EXPECT_EQ(Record(1).substr(24, 2), "FD");
    dialog->SelectDecodeTone(0);  // kept by text while it is offered
    EXPECT_EQ(s().busyLockMode.text(), "Optional signalling");
    dialog->SelectSignallingType(ChannelDlgModel::kTypeNone);
    EXPECT_EQ(s().busyLockMode.index, 0);
    EXPECT_EQ(Record(1).substr(24, 2), "CD");
}

TEST_F(ChannelDialog, MovesBetweenChannels) {
    Load(kBasic);
    EXPECT_EQ(dialog->ChannelNames().size(), 101u);
    EXPECT_EQ(dialog->ChannelNames().back(), "B");
    dialog->Open(1);
    dialog->EditRx("145.5");
    dialog->SetScan(true);

    dialog->TypeChannel("b");
    EXPECT_EQ(dialog->row(), 101);
    EXPECT_EQ(s().channelText, "B");
    EXPECT_FALSE(s().channelOn.checked);
    dialog->TypeChannel("0");
    EXPECT_EQ(s().channelText, "1");
    EXPECT_EQ(s().rx.text, "145.50000");  // loaded from the grid row
    EXPECT_TRUE(s().scan.checked);
    dialog->TypeChannel("150");
    EXPECT_EQ(s().channelText, "B");
    dialog->TypeChannel("");  // the user clears the field to type another number
    EXPECT_EQ(dialog->row(), 101);

    dialog->Open(1);
    dialog->StepChannel(-1);  // the spin wraps at both ends
    EXPECT_EQ(s().channelText, "B");
    dialog->StepChannel(1);
    EXPECT_EQ(dialog->row(), 1);
    dialog->StepChannel(100);
    EXPECT_EQ(dialog->row(), 101);

    Load(kSignalling);
    dialog->Open(99);
    dialog->StepChannel(1);
    EXPECT_EQ(dialog->row(), 1);
    dialog->TypeChannel("100");
    EXPECT_EQ(s().channelText, "99");
}

TEST_F(ChannelDialog, BasicModelsWriteNoSignallingOnAShortImage) {
    std::string text(2 * mem::kBasicImageBytes, 'F');
    text.replace(2 * mem::kIdentity, 16, kBasic);
    image.InstallFromRadio(text);
    state.UpdateModelFromImage(text);
    Start();
    dialog->Open(100);
    dialog->EditRx("150.0125");
    dialog->SetBusyLock(true);
    dialog->SetWide(false);
    dialog->SelectSignallingType(ChannelDlgModel::kTypeDtmf);  // not part of this layout
    EXPECT_FALSE(s().signallingType.enabled || s().busyLockMode.enabled);
    EXPECT_EQ(Record(100),
              "50120015"
              "50120015"
              "FFFF"
              "FFFF"
              "FC"
              "FF"
              "FF"
              "B4");
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    EXPECT_EQ(channels->CellText(100, ChannelModel::kColBusyLock), "On");

    dialog->DeleteAllChannels();
    EXPECT_FALSE(s().channelOn.checked);
    EXPECT_EQ(Record(100), std::string(32, 'F'));
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
}

}  // namespace
}  // namespace vgr47
