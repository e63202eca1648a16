// Tests generated from the channel settings description. Every setting, on basic and
// signalling codeplugs (defaults with a few channels set up in the dialog, and scrambled ones
// with every channel stored by the dialog),
// is given another value the dialog offers, through the setting's own control: only the bits
// of its own fields in that channel's records change (and those of the settings the dialog
// changed along with it, as the grid shows), the grid shows the new value, and the channel
// lines of the result load back onto the channel as it was, byte for byte.
#include "editors/channels/channel_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/codeplug_lib.h"
#include "core/layout/fields.h"
#include "core/layout/layout_access.h"
#include "editors/dump/dump_channels.h"
#include "tests/support/dump_fixture.h"
#include "tests/support/image_bits.h"

namespace vgr47 {
namespace {

using testing::ChangedBits;
using testing::Changes;
using testing::Scramble;

using testing::DumpFixture;

struct Sample {
    std::string name;
    int model;
    std::uint32_t seed = 0;  // 0: the default codeplug with channels set up in the dialog
};

std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    for (int model : {testing::kBasicModel, testing::kSignallingModel, 3, 11}) {
        samples.push_back({ModelCatalogue()[static_cast<std::size_t>(model)].identity, model});
    }
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        samples.push_back({"basic/scrambled/" + std::to_string(seed), testing::kBasicModel, seed});
        samples.push_back(
            {"signalling/scrambled/" + std::to_string(seed), testing::kSignallingModel, seed});
    }
    return samples;
}

int IndexOf(const DlgList& list, const std::string& text) {
    auto it = std::find(list.items.begin(), list.items.end(), text);
    return it == list.items.end() ? -1 : static_cast<int>(it - list.items.begin());
}

struct Channels : DumpFixture {
    explicit Channels(const Sample& s) : DumpFixture(s.model) {
        // The same texts without a look at the file on every one.
        texts = TextCatalogue::BuiltIn(kEnglishOffset);
        channels->Refill();
        if (s.seed) {
            Scramble(image, s.seed);
            channels->Refill();
            // Every channel as the dialog stores it: a record it would not write may show values
            // it does not offer.
            ChannelDlgModel d(*channels, image, texts);
            for (int row = 1; row < channels->Rows(); ++row) {
                if (channels->IsRowEmpty(row)) continue;
                d.Open(row);
                channels->WriteChannel(row, d.Values());
            }
            return;
        }
        // Channel 1 plain, 2 without transmission, 3 with the optional signalling and the
        // PTT-ID the default tables offer.
        ChannelDlgModel d(*channels, image, texts);
        const std::string low = TrimText(channels->NormaliseFrequency("0"));
        for (int row : {1, 2, 3}) {
            d.Open(row);
            d.EditRx(low);
        }
        d.Open(2);
        d.SetTxOn(false);
        if (!d.signalling()) return;
        d.Open(3);
        d.SelectSignallingType(ChannelDlgModel::kTypeTwoTone);
        d.SelectPttIdType(ChannelDlgModel::kPttFiveTone);
        d.SelectPttIdMode(ChannelDlgModel::kModeBoth);
        d.SelectCall1Code(IndexOf(d.state().call1Code, "TX-CODE 1"));
    }
};

void AddBits(std::map<int, int>& bits, const layout::Field& f, int record) {
    const auto first = layout::Address(f, record);
    if (!first) return;
    for (int b = 0; b < f.shape.bytes; ++b) bits[*first + b] |= f.IsBits() ? f.Mask() : 0xFF;
}

// The fields of other forms that the channel editor keeps consistent with the channels.
std::map<int, int> AlsoWrittenBits() {
    std::map<int, int> bits;
    for (const layout::Field* f : layout::AllFields()) {
        if (f->share != layout::Share::AlsoWritten) continue;
        if (!f->InTable()) AddBits(bits, *f, 0);
        for (int record = 1; f->InTable() && record <= f->place.table->count; ++record)
            AddBits(bits, *f, record);
    }
    return bits;
}

std::map<std::string, std::string> Shown(const ChannelModel& channels, int row) {
    std::map<std::string, std::string> out;
    for (const ChannelSetting& s : ChannelSettings())
        if (s.ShownOn(channels)) out[s.key] = ChannelSettingValue(channels, row, s);
    return out;
}

// Each setting's control in the dialog: its value and whether it is open.
std::map<std::string, std::string> Controls(const ChannelDlgModel& dialog) {
    std::map<std::string, std::string> out;
    const ChannelDlgState& state = dialog.state();
    for (const ChannelSetting& s : ChannelSettings()) {
        const ChannelControl& c = s.ControlOn(dialog.signalling());
        std::string& v = out[s.key];
        switch (c.shown) {
            case ChannelShown::Frequency:
                v = (state.*c.edit).text;
                break;
            case ChannelShown::Entry:
                v = (state.*c.list).text();
                break;
            case ChannelShown::TwoTexts:
                v = (state.*c.check).checked ? "checked" : "unchecked";
                break;
        }
        v += c.Enabled(state) ? " open" : " closed";
    }
    return out;
}

// Another value the setting's control offers for the open channel; nullopt when it offers none.
std::optional<std::string> AnotherValue(const ChannelDlgModel& dialog, const ChannelSetting& s,
                                        int row) {
    const ChannelDlgState& state = dialog.state();
    const ChannelControl& c = s.ControlOn(dialog.signalling());
    if (!c.Enabled(state)) return std::nullopt;
    std::vector<std::string> offered;
    std::string now;
    switch (c.shown) {
        case ChannelShown::Frequency:
            now = TrimText((state.*c.edit).text);
            offered = {TrimText(dialog.channels().NormaliseFrequency("0")),
                       TrimText(dialog.channels().NormaliseFrequency("100000"))};
            if (s.rule == ChannelRule::EmptySwitchesTxOff) offered.push_back("");
            break;
        case ChannelShown::Entry:
            now = (state.*c.list).text();
            offered = (state.*c.list).items;
            break;
        case ChannelShown::TwoTexts:
            return dialog.texts().GetText((state.*c.check).checked ? c.uncheckedText
                                                                   : c.checkedText);
    }
    // A different one on each channel, so that the samples walk through the lists.
    for (std::size_t k = 0; k < offered.size(); ++k) {
        const std::string& v = offered[(k + static_cast<std::size_t>(row)) % offered.size()];
        if (v != now) return v;
    }
    return std::nullopt;
}

TEST(ChannelSettings, DescribeEveryShownColumnOnceWithTheFieldsOfItsModels) {
    std::set<std::string> keys;
    std::set<const layout::Field*> named;
    for (const ChannelSetting& s : ChannelSettings()) {
        EXPECT_TRUE(keys.insert(s.key).second) << s.key << " twice";
        for (const layout::Field* f : s.fields) {
            EXPECT_EQ(f->owner, layout::Owner::Channel) << s.key;
            named.insert(f);
        }
    }
    // Every channel field but the fill is some setting's.
    for (const layout::Field* f : layout::AllFields())
        if (f->owner == layout::Owner::Channel && f->shape.encoding != layout::Encoding::Fill) {
            EXPECT_TRUE(named.count(f)) << f->name;
        }
    for (int model : {testing::kBasicModel, testing::kSignallingModel}) {
        DumpFixture f(model);
        const bool signalling = f.channels->signalling();
        for (int column = ChannelModel::kColRx; column < f.channels->Columns(); ++column) {
            const auto count =
                std::count_if(ChannelSettings().begin(), ChannelSettings().end(),
                              [&](const ChannelSetting& s) { return s.column == column; });
            EXPECT_EQ(count, f.channels->IsColumnHidden(column) ? 0 : 1) << column;
        }
        // A setting is shown where one of its fields exists.
        for (const ChannelSetting& s : ChannelSettings()) {
            EXPECT_EQ(s.ShownOn(*f.channels), !s.FieldsOn(signalling).empty())
                << s.key << " signalling " << signalling;
        }
    }
}

TEST(ChannelSettings, ListsComeBeforeTheSettingsWhoseChoicesTheyDecide) {
    auto at = [](const char* key) {
        const ChannelSetting* s = FindChannelSetting(key);
        EXPECT_NE(s, nullptr) << key;
        return s ? s - ChannelSettings().data() : -1;
    };
    const std::vector<std::pair<const char*, const char*>> decides = {
        {"rx", "tx"},
        {"tx", "tx_tone"},
        {"rx_tone", "busy_lock"},
        {"signalling_type", "decode_number"},
        {"signalling_type", "relation"},
        {"signalling_type", "busy_lock"},
        {"signalling_type", "call1_code"},
        {"signalling_type", "call2_code"},
        {"signalling_type", "tx_without_decode"},
        {"signalling_type", "signalling_switchable"},
        {"ptt_id_type", "ptt_id_mode"},
        {"ptt_id_mode", "tx_start_code"},
        {"ptt_id_mode", "tx_end_code"},
    };
    for (const auto& [first, later] : decides) EXPECT_LT(at(first), at(later)) << first << later;
}

TEST(ChannelSettings, EachSettingChangesOnlyItsOwnFieldsAndLoadsBackFromChannelLines) {
    const std::map<int, int> alsoWritten = AlsoWrittenBits();
    // key -> signalling -> default/scrambled -> cases
    std::map<std::string, std::map<bool, std::map<bool, int>>> exercised;
    for (const Sample& sample : Samples()) {
        Channels f(sample);
        const std::string original = f.image.image();
        const bool signalling = f.channels->signalling();
        for (const ChannelSetting& setting : ChannelSettings()) {
            if (!setting.ShownOn(*f.channels)) continue;
            int cases = 0;
            for (int row = 1; row < f.channels->Rows() && cases < 3; ++row) {
                SCOPED_TRACE(sample.name + " channel " + f.channels->RowName(row) + " " +
                             setting.key);
                f.image.SetImageText(original);
                f.channels->Refill();
                if (f.channels->IsRowEmpty(row)) continue;
                // The channel as the dialog stores it unchanged.
                ChannelDlgModel dialog(*f.channels, f.image, f.texts);
                dialog.Open(row);
                f.channels->WriteChannel(row, dialog.Values());
                const std::string stored = f.image.image();
                dialog.Open(row);
                const auto value = AnotherValue(dialog, setting, row);
                if (!value) continue;
                ++cases;
                ++exercised[setting.key][signalling][sample.seed != 0];

                const auto before = Shown(*f.channels, row);
                const auto controlsBefore = Controls(dialog);
                const auto why = ApplyChannelSetting(dialog, setting, *value);
                EXPECT_FALSE(why) << *value << " " << why.value_or("");
                const std::string changed = f.image.image();
                const auto after = Shown(*f.channels, row);
                const auto controlsAfter = Controls(dialog);
                EXPECT_EQ(TrimText(after.at(setting.key)), TrimText(*value)) << "read back";

                std::map<int, int> allowed = alsoWritten, own;
                for (const layout::Field* field : setting.FieldsOn(signalling))
                    AddBits(own, *field, row);
                for (const ChannelSetting& other : ChannelSettings()) {
                    // What the dialog changed along with it shows in the grid or the dialog.
                    if (&other != &setting &&
                        controlsBefore.at(other.key) == controlsAfter.at(other.key) &&
                        (!before.count(other.key) || before.at(other.key) == after.at(other.key)))
                        continue;
                    for (const layout::Field* field : other.FieldsOn(signalling))
                        AddBits(allowed, *field, row);
                }
                bool ownChanged = false;
                for (const auto& [address, mask] : ChangedBits(stored, changed)) {
                    EXPECT_EQ(mask & ~allowed[address], 0)
                        << "bits " << IntToHex(mask & ~allowed[address], 1) << " of "
                        << IntToHex(address, 2) << " set to " << *value << ":"
                        << Changes(stored, changed);
                    ownChanged = ownChanged || (own.count(address) && (own[address] & mask));
                }
                EXPECT_TRUE(ownChanged) << "its own field is written for " << *value;

                const std::string text = dump::DumpTextWithChannels(f.ctx);
                f.image.SetImageText(stored);
                f.channels->Refill();
                std::vector<dump::Problem> problems;
                EXPECT_TRUE(dump::LoadTextWithChannels(text, f.ctx, problems));
                for (const auto& p : problems) ADD_FAILURE() << p.lineNumber << ": " << p.text;
                EXPECT_EQ(Changes(changed, f.image.image()), "") << "dump -> load";
            }
        }
    }
    // Every setting is changed on both kinds of model where it is shown, on a default codeplug
    // and on a scrambled one.
    for (const ChannelSetting& s : ChannelSettings())
        for (bool signalling : {false, true})
            for (bool scrambled : {false, true}) {
                if (s.FieldsOn(signalling).empty()) continue;
                EXPECT_GT(exercised[s.key][signalling][scrambled], 0)
                    << s.key << " signalling " << signalling << " scrambled " << scrambled;
            }
}

}  // namespace
}  // namespace vgr47
