// Holds what every form does to a codeplug against a recorded fingerprint: the dump, the channel
// grid and the image after each form's OK, for the default codeplug of every model in every
// edition and for codeplugs full of unusual bytes. Any change in what a form reads or writes,
// however small, shows up here as the image and the piece that changed.
//
// After a change that is meant to alter behaviour, record the fingerprints anew with
//   VGR47_WRITE_GOLDEN=1 build/tests/editors_tests --gtest_filter='GoldenBehaviour.*'
// and say in the commit why they changed.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/acs/acs_model.h"
#include "editors/channels/channel_dlg_model.h"
#include "editors/channels/channel_model.h"
#include "editors/dtmf/dtmf_model.h"
#include "editors/dump/dump_area.h"
#include "editors/five_tone_codes/five_tone_en_decode_model.h"
#include "editors/five_tone_system/five_tone_system_model.h"
#include "editors/keys/key_assign_model.h"
#include "editors/options/option_model.h"
#include "editors/scan/scan_model.h"
#include "editors/test_freq/test_freq_model.h"
#include "editors/two_tone/two_tone_model.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

const std::string kGoldenFile =
    std::string(VGR47_SOURCE_DIR) + "/tests/editors/golden_behaviour.txt";

using testing::RecordingMessages;

std::uint64_t Fnv(const std::string& text) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

std::string Hex64(std::uint64_t v) {
    static const char* digits = "0123456789abcdef";
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i, v >>= 4) s[i] = digits[v & 15];
    return s;
}

struct Sample {
    std::string name;
    Edition edition;
    std::string image;
    bool edits = false;  // also every setting changed alone (the slow part, so not on every sample)
};

// A codeplug whose bytes are mostly what no form writes itself: values past the ends of the
// lists, odd bit patterns, texts with stray characters. The generator's raw output is used, so
// the bytes are the same with every standard library.
std::string Scrambled(const std::string& base, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string image = base;
    const int bytes = static_cast<int>(image.size() / 2);
    for (int address = 0; address < bytes; ++address) {
        if (address >= mem::kIdentity && address < mem::kIdentity + mem::kIdentityBytes) continue;
        const std::uint32_t pick = random() % 8;
        int value;
        if (pick < 3) continue;  // keep the default
        if (pick == 3)
            value = static_cast<int>(random() % 16);
        else if (pick == 4)
            value = 0xFF;
        else if (pick == 5)
            value = static_cast<int>(random() % 40);
        else
            value = static_cast<int>(random() % 256);
        image.replace(2 * address, 2, IntToHex(value, 1));
    }
    return image;
}

std::vector<Sample> Samples() {
    const Edition editions[] = {Edition::Vgr47, Edition::Ja31, Edition::Hwm63,
                                Edition::Fzc85, Edition::DOk2, Edition::Nyl74};
    std::vector<Sample> samples;
    for (Edition edition : editions) {
        for (int model = 0; model < kModelCount; ++model) {
            ModelState state(edition);
            samples.push_back({EditionKey(edition) + "/default/" + std::to_string(model), edition,
                               BuildModelImage(state, ModelCatalogue()[model].identity),
                               edition == Edition::Vgr47 || edition == Edition::Nyl74});
        }
    }
    for (std::uint32_t seed = 1; seed <= 32; ++seed) {
        const Edition edition = seed % 5 == 0 ? Edition::Nyl74 : Edition::Vgr47;
        ModelState state(edition);
        const int model = static_cast<int>(seed % kModelCount);
        std::string image =
            Scrambled(BuildModelImage(state, ModelCatalogue()[model].identity), seed);
        // Every third basic one as a basic radio hands it over: 0x0000 to 0x073F only.
        const std::string name = EditionKey(edition) + "/scrambled/" + std::to_string(seed);
        const bool edits = seed <= 8;
        if (seed % 3 == 0 && ModelCatalogue()[model].kind == ModelKind::Basic)
            samples.push_back(
                {name + "/short", edition, image.substr(0, 2 * mem::kBasicImageBytes), edits});
        else
            samples.push_back({name, edition, image, edits});
    }
    return samples;
}

// The bytes that differ between two images, as "ADDR:old>new" runs.
std::string Changes(const std::string& before, const std::string& after) {
    if (before.size() != after.size()) return "length " + std::to_string(after.size() / 2);
    std::string out;
    for (std::size_t i = 0; i + 1 < after.size(); i += 2)
        if (before.compare(i, 2, after, i, 2) != 0)
            out += " " + IntToHex(static_cast<int>(i / 2), 2) + ":" + before.substr(i, 2) + ">" +
                   after.substr(i, 2);
    return out.empty() ? " none" : out;
}

// Other values a user could give a dumped line: the next and previous list entry and the first,
// the other state of a check box, another text.
std::vector<std::string> Alternatives(const std::string& value) {
    if (!value.empty() && value[0] == '"') return {"\"12345\"", "\"\"", "\"A*#\""};
    if (value == "none") return {"1", "A"};
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (end == value.c_str() || *end != '\0') return {"1", "0"};
    std::vector<std::string> out{std::to_string(n + 1)};
    if (n != 0) out.push_back("0");
    if (n > 1) out.push_back(std::to_string(n - 1));
    return out;
}

// Every piece of one sample: its name and the text whose fingerprint is kept.
std::vector<std::pair<std::string, std::string>> Pieces(const Sample& sample,
                                                        const TextCatalogue& texts) {
    std::vector<std::pair<std::string, std::string>> pieces;
    RecordingMessages messages{Answer::Yes};
    messages.silent = true;
    ModelState state(sample.edition);
    CodeplugImage image;
    auto fresh = [&] {
        image.InstallNew(sample.image);
        state.UpdateModelFromImage(image.image());
    };
    fresh();
    ChannelModel channels(image, state, texts);

    std::string grid;
    for (int row = 0; row < channels.Rows(); ++row)
        for (const std::string& cell : channels.RowTexts(row)) grid += cell + "\t";
    pieces.push_back({"grid", grid});

    dump::Context ctx{image, state, texts, channels};
    const std::string dumped = dump::DumpText(ctx);
    pieces.push_back({"dump", dumped});
    {
        std::vector<dump::Problem> problems;
        const bool loaded = dump::LoadText(dumped, ctx, problems);
        pieces.push_back({"load-own-dump", std::to_string(loaded) + image.image()});
    }

    // Each setting changed alone through load, as a user would through its form, area by area.
    std::map<std::string, std::string> edits;
    for (const dump::Line& line : sample.edits ? dump::DumpAll(ctx) : std::vector<dump::Line>{}) {
        const std::string value = line.value.substr(0, line.value.find("  #"));
        for (const std::string& other : Alternatives(value)) {
            if (other == value) continue;
            fresh();
            channels.Refill();
            const std::string before = image.image();
            std::vector<dump::Problem> problems;
            std::string& out = edits[line.key.substr(0, line.key.find('.'))];
            out += line.key + "=" + other + ":";
            if (dump::LoadText(line.key + " = " + other + "\n", ctx, problems))
                out += Changes(before, image.image());
            else
                for (const dump::Problem& p : problems) out += " refused: " + p.text;
            out += "\n";
        }
    }
    for (const auto& [area, text] : edits) pieces.push_back({"edit-" + area, text});

    auto formOk = [&](const std::string& name, auto&& ok) {
        fresh();
        channels.Refill();
        ok();
        pieces.push_back({name, image.image()});
    };
    formOk("options-ok", [&] { OptionModel(image, state, texts).Store(); });
    formOk("keys-ok", [&] { KeyAssignModel(image, state, texts).Store(); });
    formOk("scan-ok", [&] { ScanModel(image, state, texts, channels).Store(); });
    formOk("testfreq-ok", [&] { TestFreqModel(image, state).Apply(); });
    if (DtmfModel::Available(image))
        formOk("dtmf-ok", [&] { DtmfModel(image, texts, messages).Apply(); });
    if (AcsModel::Available(image))
        formOk("acs-ok", [&] { AcsModel(image, state, texts, channels).Apply(); });
    if (TwoToneModel::Available(image))
        formOk("twotone-ok", [&] { TwoToneModel(image, texts).Ok(); });
    if (FiveToneSystemModel::Available(image))
        formOk("fivetone-system-ok", [&] { FiveToneSystemModel(image, texts).Write(); });
    if (FiveToneEnDecodeModel::Available(image))
        formOk("fivetone-endecode-ok",
               [&] { FiveToneEnDecodeModel(image, texts, messages).Write(); });
    // Every channel through the channel dialog and back into its records.
    formOk("channels-rewritten", [&] {
        for (int row = 1; row < channels.Rows(); ++row) {
            if (channels.IsRowEmpty(row)) continue;
            ChannelDlgModel dialog(channels, image, texts);
            dialog.Open(row);
            channels.WriteChannel(row, dialog.Values());
        }
    });
    return pieces;
}

std::map<std::string, std::string> ReadGolden() {
    std::map<std::string, std::string> golden;
    std::ifstream in(kGoldenFile);
    std::string key, hash;
    while (in >> key >> hash) golden[key] = hash;
    return golden;
}

TEST(GoldenBehaviour, EveryFormReadsAndWritesEveryCodeplugAsRecorded) {
    // The built-in copy of language.sys: the same texts, without a look at the file each time.
    const TextCatalogue texts = TextCatalogue::BuiltIn(kEnglishOffset);
    std::ostringstream now;
    std::map<std::string, std::string> texts_of;
    for (const Sample& sample : Samples()) {
        for (const auto& [piece, text] : Pieces(sample, texts)) {
            const std::string key = sample.name + ":" + piece;
            now << key << ' ' << Hex64(Fnv(text)) << '\n';
            texts_of[key] = text;
        }
    }
    if (std::getenv("VGR47_WRITE_GOLDEN")) {
        std::ofstream(kGoldenFile) << now.str();
        GTEST_SKIP() << "recorded " << kGoldenFile;
    }
    const auto golden = ReadGolden();
    ASSERT_FALSE(golden.empty()) << kGoldenFile << " is missing";
    std::istringstream lines(now.str());
    std::string key, hash;
    int differing = 0, seen = 0;
    while (lines >> key >> hash) {
        ++seen;
        const auto it = golden.find(key);
        if (it != golden.end() && it->second == hash) continue;
        if (++differing <= 5) {
            std::string shown = texts_of[key];
            if (shown.size() > 3000) shown = shown.substr(0, 3000) + "...";
            ADD_FAILURE() << key << (it == golden.end() ? " is new" : " differs") << "; now:\n"
                          << shown;
        }
    }
    EXPECT_EQ(differing, 0) << "pieces that differ from the recording";
    EXPECT_EQ(seen, static_cast<int>(golden.size())) << "pieces recorded but no longer made";
}

}  // namespace
}  // namespace vgr47
