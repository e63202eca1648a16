// Channel lines: their form, round trips through a new codeplug on every model, and the values
// the channel dialog would not take.

#include "editors/dump/dump_channels.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "editors/channels/channel_dlg_model.h"
#include "tests/support/dump_fixture.h"

namespace vgr47 {
namespace {

using testing::DumpFixture;

int IndexOf(const DlgList& list, const std::string& text) {
    for (std::size_t i = 0; i < list.items.size(); ++i)
        if (list.items[i] == text) return static_cast<int>(i);
    return -1;
}

// Edits channels through the dialog as a user would: tones, split, narrow, scan, and on
// signalling models the optional signalling, PTT-ID and codes.
void EditChannels(DumpFixture& f) {
    ChannelDlgModel d(*f.channels, f.image, f.texts);
    const std::string low = TrimText(f.channels->NormaliseFrequency("0"));
    d.Open(3);
    d.EditRx(low);
    d.SelectDecodeTone(IndexOf(d.state().decodeTone, "D754I"));
    d.SelectEncodeTone(IndexOf(d.state().encodeTone, "100.0"));
    d.SetWide(false);
    d.SetScan(true);
    d.SetCompander(true);
    d.Open(9);
    d.EditRx(f.channels->NormaliseFrequency("1000"));  // the band's top
    d.SetTxOn(false);
    d.SetTailElimination(false);
    d.SetScan(true);
    d.Open(20);
    d.EditRx(low);
    d.EditTx(f.channels->NormaliseFrequency("1000"));
    if (d.signalling()) {
        d.SelectSignallingType(ChannelDlgModel::kTypeFiveTone);
        d.SelectDecodeNumber(0);
        d.SetRelationAnd(false);
        d.SelectPttIdType(ChannelDlgModel::kPttFiveTone);
        d.SelectPttIdMode(ChannelDlgModel::kModeBoth);
        d.SelectCode(ChannelDlgModel::CodeList::TxStart, 1);
        d.SelectBusyLockMode(2);
        d.SetSignallingSwitchable(true);
    } else {
        d.SetBusyLock(true);
        d.Open(101);
        d.EditRx(low);
    }
}

TEST(ChannelLines, OneLinePerShownFieldOfEachChannelAndOffForTheOthers) {
    DumpFixture f(testing::kBasicModel);
    EditChannels(f);
    const std::vector<dump::Line> lines = dump::DumpChannelLines(f.ctx);
    // Basic models: 99 + A and B; 9 shown fields for each of the 4 channels on, one line for
    // each of the 97 off.
    EXPECT_EQ(lines.size(), 97u + 4 * 9);
    EXPECT_EQ(lines[0].key, "channel.1");
    EXPECT_EQ(lines[0].value, "off");
    EXPECT_EQ(lines[2].key, "channel.3.rx");
    EXPECT_EQ(lines[2].value, "136.00000");
    EXPECT_EQ(lines[4].key, "channel.3.rx_tone");
    EXPECT_EQ(lines[4].value, "D754I");
    EXPECT_EQ(lines.back().key, "channel.B.busy_lock");
    EXPECT_EQ(lines[lines.size() - 10].key, "channel.A");
    // dump alone is what it was.
    EXPECT_EQ(("\n" + dump::DumpText(f.ctx)).find("\nchannel."), std::string::npos);
    EXPECT_EQ(dump::DumpTextWithChannels(f.ctx).rfind(dump::DumpText(f.ctx), 0), 0u);
}

TEST(ChannelLines, DumpThenLoadIntoANewCodeplugGivesTheSameBytesOnEveryModel) {
    for (int model = 0; model < 16; ++model) {
        for (bool edited : {false, true}) {
            DumpFixture source(model);
            if (edited) EditChannels(source);
            const std::string text = dump::DumpTextWithChannels(source.ctx);
            DumpFixture target(model);
            std::vector<dump::Problem> problems;
            EXPECT_TRUE(dump::LoadTextWithChannels(text, target.ctx, problems)) << model;
            for (const auto& p : problems)
                ADD_FAILURE() << model << " line " << p.lineNumber << ": " << p.text;
            EXPECT_EQ(target.image.image(), source.image.image())
                << "model " << model << " edited " << edited;
        }
    }
}

TEST(ChannelLines, ChannelsAreSwitchedOnBeforeTheScanLinesThatNameThem) {
    DumpFixture f(testing::kSignallingModel);
    std::vector<dump::Problem> problems;
    EXPECT_TRUE(
        dump::LoadTextWithChannels("scan.function = 1\nscan.priority = 5\n"
                                   "channel.5.rx = 145.125\n"
                                   "channel.5.scan = On\n"
                                   "channel.6.rx = 146.0\n"
                                   "channel.6.scan = On\n",
                                   f.ctx, problems));
    for (const auto& p : problems) ADD_FAILURE() << p.lineNumber << ": " << p.text;
    EXPECT_EQ(f.Value("scan.priority"), "5");
    EXPECT_EQ(f.channels->CellText(5, ChannelModel::kColRx), "145.12500");
    EXPECT_EQ(f.Byte(mem::ChannelRecordAddress(6) + 15), "B5");
}

TEST(ChannelLines, ACodeListTheDialogHasClosedTakesTheOffItShows) {
    // A PTT-ID type with the mode off: the transmit code lists are closed, the grid shows Off.
    DumpFixture source(testing::kSignallingModel);
    ChannelDlgModel d(*source.channels, source.image, source.texts);
    d.Open(4);
    d.EditRx(TrimText(source.channels->NormaliseFrequency("0")));
    d.SelectPttIdType(ChannelDlgModel::kPttDtmf);
    const std::string text = dump::DumpTextWithChannels(source.ctx);
    EXPECT_NE(text.find("\nchannel.4.tx_start_code = Off\n"), std::string::npos);
    for (bool onto_itself : {false, true}) {
        DumpFixture target(testing::kSignallingModel);
        if (onto_itself) target.image.SetImageText(source.image.image());
        std::vector<dump::Problem> problems;
        EXPECT_TRUE(dump::LoadTextWithChannels(text, target.ctx, problems));
        for (const auto& p : problems) ADD_FAILURE() << p.lineNumber << ": " << p.text;
        EXPECT_EQ(target.image.image(), source.image.image());
    }
    // Closed, it takes nothing else.
    std::vector<dump::Problem> problems;
    EXPECT_FALSE(
        dump::LoadTextWithChannels("channel.4.tx_start_code = DTMF-MEM 1\n", source.ctx, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].text, "channel.4.tx_start_code: DTMF-MEM 1 cannot be changed now");
}

TEST(ChannelLines, ValuesTheDialogWouldNotTakeAreRefusedWithTheirLines) {
    DumpFixture f(testing::kBasicModel);
    const std::string before = f.image.image();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"channel.5.rx = 300.0", "channel.5.rx: 300.0 is outside the band"},
        {"channel.5.rx_tone = 100.1", "channel.5.rx_tone: 100.1 is not in the list"},
        {"channel.5.scan = maybe", "channel.5.scan: maybe is neither On nor Off"},
        {"channel.5.relation = AND", "unknown key channel.5.relation"},
        {"channel.102.rx = 145.0", "unknown key channel.102.rx"},
        {"channel.5.colour = red", "unknown key channel.5.colour"},
        {"channel.5 = on", "channel.5: only \"off\" may stand here; give the channel's fields"},
    };
    for (const auto& [line, expected] : cases) {
        std::vector<dump::Problem> problems;
        EXPECT_FALSE(dump::LoadTextWithChannels("keys.a = 2\n" + line + "\n", f.ctx, problems))
            << line;
        ASSERT_EQ(problems.size(), 1u) << line;
        EXPECT_EQ(problems[0].lineNumber, 2);
        EXPECT_EQ(problems[0].text, expected);
        EXPECT_EQ(f.image.image(), before) << line;
    }
    // A channel switched off, and one that is off and given fields.
    std::vector<dump::Problem> problems;
    EXPECT_TRUE(dump::LoadTextWithChannels("channel.a.rx = 150\n", f.ctx, problems));
    EXPECT_FALSE(f.channels->IsRowEmpty(100));
    EXPECT_TRUE(dump::LoadTextWithChannels("channel.A = off\n", f.ctx, problems));
    EXPECT_TRUE(f.channels->IsRowEmpty(100));
    EXPECT_FALSE(
        dump::LoadTextWithChannels("channel.A = off\nchannel.A.rx = 150\n", f.ctx, problems));
}

}  // namespace
}  // namespace vgr47
