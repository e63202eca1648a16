// Tests generated from the settings descriptions: every setting of every described form, on
// basic and signalling codeplugs (defaults, with the scan function on, scrambled, cut short as
// a basic radio hands them over), is given another value through the form's model and stored.
// Exactly its own field's bits must change (and those of settings the form itself changes in
// consequence), the new value must read back, and the dump of the result must load back onto
// the original byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/codeplug_lib.h"
#include "core/text_ids.h"
#include "editors/acs/acs_model.h"
#include "editors/dump/described_area.h"
#include "editors/five_tone_codes/five_tone_en_decode_model.h"
#include "editors/five_tone_system/five_tone_system_model.h"
#include "editors/scan/scan_model.h"
#include "editors/two_tone/two_tone_model.h"
#include "tests/support/dump_fixture.h"
#include "tests/support/image_bits.h"

namespace vgr47 {
namespace {

using testing::ChangedBits;
using testing::Changes;
using testing::Scramble;

using dump::SettingsArea;

struct Sample {
    std::string name;
    int model;
    std::uint32_t seed = 0;  // 0: the default codeplug
    bool scanOn = false;     // three scan channels and a scan function chosen in the form,
                             // all but the last row of the auto channel select list filled
                             // and the 2-tone decoder sets on C-D
    bool shortRead = false;  // 0x0000 to 0x073F only
};

std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    // A few models of each kind, the first of each among them.
    for (std::size_t m = 0; m < ModelCatalogue().size(); ++m) {
        const int model = static_cast<int>(m);
        if (model != testing::kBasicModel && model != testing::kSignallingModel && m % 4 != 3)
            continue;
        const std::string name = ModelCatalogue()[m].identity;
        samples.push_back({name, static_cast<int>(m)});
        samples.push_back({name + "/scan", static_cast<int>(m), 0, true});
    }
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        const std::string s = std::to_string(seed);
        samples.push_back({"basic/scrambled/" + s, testing::kBasicModel, seed, seed % 2 == 0});
        samples.push_back({"signalling/scrambled/" + s, testing::kSignallingModel, seed, seed > 2});
    }
    samples.push_back({"basic/short", testing::kBasicModel, 5, true, true});
    return samples;
}

struct Described : testing::DumpFixture {
    // Rows 1 .. 7 with the first channels the chooser offers, as far as there are channels.
    void FillAcsList() {
        AcsModel acs(image, state, texts, *channels);
        for (int row = 1; row < AcsModel::kRows; ++row)
            for (const std::string& entry : acs.ChooserEntries(row))
                if (entry != texts.GetText(kTextNone)) {
                    acs.SetRow(row, entry);
                    break;
                }
        ASSERT_TRUE(acs.Apply());
    }

    // Tones C and D enabled in every decoder set.
    void DecodeOnCAndD() {
        TwoToneModel twoTone(image, texts);
        for (int set = 0; set < TwoToneModel::kSets; ++set) {
            twoTone.SelectSet(set);
            ASSERT_TRUE(twoTone.SetDecodeChoices(TwoToneModel::CombinationCode("C-D"),
                                                 TwoToneModel::kNoneChoice));
        }
        ASSERT_TRUE(twoTone.Ok());
    }

    explicit Described(const Sample& s) : DumpFixture(s.model) {
        if (s.seed) Scramble(image, s.seed);
        if (s.shortRead) CutToBasicRead();
        channels->Refill();
        if (s.scanOn) {
            ScanChannels({1, 2, 5});
            ScanModel scan(image, state, texts, *channels);
            scan.SetFunction(1);
            scan.SetPriority(1);
            scan.Store();
            if (AcsModel::Available(image)) FillAcsList();
            if (TwoToneModel::Available(image)) DecodeOnCAndD();
        }
    }
};

// The field's bits, as address -> mask.
std::map<int, int> FieldBits(const layout::Field& f, int record) {
    std::map<int, int> out;
    const int first = *layout::Address(f, record);
    for (int b = 0; b < f.shape.bytes; ++b) out[first + b] = f.IsBits() ? f.Mask() : 0xFF;
    return out;
}

// Every bit of the field's record.
std::map<int, int> RecordBits(const layout::Field& f, int record) {
    std::map<int, int> out;
    const int first = f.place.table->RecordStart(record);
    for (int b = 0; b < f.place.table->recordBytes; ++b) out[first + b] = 0xFF;
    return out;
}

std::map<std::string, std::string> AreaLines(const dump::Area& area, const dump::Context& ctx) {
    std::map<std::string, std::string> out;
    for (const auto& l : area.Dump(ctx)) out[l.key] = l.value;
    return out;
}

std::string At(const std::map<std::string, std::string>& lines, const std::string& key) {
    auto it = lines.find(key);
    return it == lines.end() ? "<absent>" : it->second;
}

std::vector<const SettingsArea*> DescribedAreas(
    const std::vector<std::unique_ptr<dump::Area>>& all) {
    std::vector<const SettingsArea*> out;
    for (const auto& a : all)
        if (auto* s = dynamic_cast<const SettingsArea*>(a.get())) out.push_back(s);
    return out;
}

TEST(SettingsDescriptions, NameTheirFieldsAndCoverTheConvertedForms) {
    const auto all = dump::AllAreas();
    std::set<std::string> described;
    for (const SettingsArea* area : DescribedAreas(all)) {
        described.insert(area->name());
        for (const auto& s : area->Settings()) {
            EXPECT_EQ(s.key.rfind(area->name() + ".", 0), 0u) << s.key;
            if (!s.field) continue;
            // A table's record is keyed by its number after the field's name or before its
            // last part; a pair's or a whole record's after the field's table part.
            const std::string name = s.field->name;
            const std::string table = name.substr(0, name.rfind('.'));
            const std::string record = s.record ? "." + std::to_string(s.record) : "";
            if (s.partner || s.wholeRecord) {
                EXPECT_EQ(s.key, table + record);
            } else if (s.key != name + record) {
                EXPECT_EQ(s.key, table + record + name.substr(table.size())) << name;
            }
            EXPECT_EQ(s.field->InTable(), s.record > 0) << s.key;
            if (s.control == settings::Control::Text) {
                // A text, a number shown as one (a typed number, a channel of a list, a
                // combination), a pair of tones or frequencies or a whole record.
                const auto encoding = s.field->shape.encoding;
                EXPECT_TRUE(encoding == layout::Encoding::Text ||
                            encoding == layout::Encoding::Byte ||
                            encoding == layout::Encoding::Le16 || s.wholeRecord ||
                            (s.partner && encoding == layout::Encoding::Frequency))
                    << s.key;
            }
            if (s.control == settings::Control::Check) {
                EXPECT_EQ(s.field->shape.width, 1) << s.key;
            }
        }
    }
    for (const char* name :
         {"options", "keys", "scan", "dtmf", "acs", "testfreq", "twotone", "fivetone"})
        EXPECT_TRUE(described.count(name)) << name;
}

TEST(SettingsDescriptions, EachSettingChangesOnlyItsOwnFieldAndLoadsBackFromTheDump) {
    const auto all = dump::AllAreas();
    std::map<std::string, int> exercised;
    for (const Sample& sample : Samples()) {
        Described f(sample);
        const std::string original = f.image.image();
        for (const SettingsArea* area : DescribedAreas(all)) {
            const auto infos = area->Settings();
            for (std::size_t i = 0; i < infos.size(); ++i) {
                const auto& info = infos[i];
                SCOPED_TRACE(sample.name + " " + info.key);
                f.image.SetImageText(original);
                f.channels->Refill();

                area->Ok(i, f.ctx);
                const std::string stored = f.image.image();
                const auto before = AreaLines(*area, f.ctx);

                f.image.SetImageText(original);
                f.channels->Refill();
                const auto changedKeys = area->ChangeOne(i, f.ctx);
                if (changedKeys.empty()) {
                    EXPECT_EQ(f.image.image(), original);
                    continue;
                }
                EXPECT_NE(std::find(changedKeys.begin(), changedKeys.end(), info.key),
                          changedKeys.end());
                ++exercised[info.key];
                const std::string changed = f.image.image();
                const auto after = AreaLines(*area, f.ctx);
                EXPECT_NE(At(before, info.key), At(after, info.key)) << "the new value reads back";

                // What may change: this field, and the fields of the settings the form changed
                // along with it.
                std::map<int, int> allowed;
                for (const auto& other : infos) {
                    if (!other.field) continue;
                    if (std::find(changedKeys.begin(), changedKeys.end(), other.key) ==
                        changedKeys.end())
                        continue;
                    for (const auto& [address, mask] : FieldBits(*other.field, other.record))
                        allowed[address] |= mask;
                    if (other.wholeRecord)
                        for (const auto& [address, mask] : RecordBits(*other.field, other.record))
                            allowed[address] |= mask;
                    if (other.partner)
                        for (const auto& [address, mask] : FieldBits(*other.partner, other.record))
                            allowed[address] |= mask;
                }
                bool ownChanged = false;
                for (const auto& [address, mask] : ChangedBits(stored, changed)) {
                    EXPECT_EQ(mask & ~allowed[address], 0)
                        << "bits " << IntToHex(mask, 1) << " of " << IntToHex(address, 2);
                    if (info.field)
                        for (const auto& [a, m] : info.wholeRecord
                                                      ? RecordBits(*info.field, info.record)
                                                      : FieldBits(*info.field, info.record))
                            ownChanged = ownChanged || (a == address && (mask & m));
                }
                if (info.field) {
                    EXPECT_TRUE(ownChanged) << "its own field is written";
                }

                // Onto the codeplug as the form's OK leaves it, so that only this line differs.
                const std::string text = dump::DumpText(f.ctx);
                f.image.SetImageText(stored);
                f.channels->Refill();
                const auto problems = f.Load(text);
                for (const auto& p : problems) ADD_FAILURE() << p.lineNumber << ": " << p.text;
                EXPECT_EQ(Changes(changed, f.image.image()), "") << "dump -> load";
            }
        }
    }
    // Every setting with a control is changed on some sample.
    for (const SettingsArea* area : DescribedAreas(all))
        for (const auto& s : area->Settings())
            if (s.offered) {
                EXPECT_GT(exercised[s.key], 0) << s.key;
            }
}

}  // namespace
}  // namespace vgr47
