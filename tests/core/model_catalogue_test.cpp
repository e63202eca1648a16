#include "core/model_catalogue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "core/codeplug_lib.h"

using namespace vgr47;

namespace {

std::string Repeat(const std::string& bytes, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += bytes;
    return s;
}

std::string Bytes(const std::string& blankSeparated) {
    std::string s;
    for (char c : blankSeparated) {
        if (c != ' ') s += c;
    }
    return s;
}

std::string At(const std::string& image, int address, int count) {
    return image.substr(static_cast<std::size_t>(address) * 2, static_cast<std::size_t>(count) * 2);
}

std::string ImageWithIdentity(const std::string& identity) {
    std::string image = BuildTemplate(Edition::Vgr47);
    image.replace(0x0650 * 2, identity.size(), identity);
    return image;
}

// The default image written down region by region, left to right, then the later overwrites.
std::string ExpectedTemplate(bool nyl74) {
    std::string s = Repeat("FF", 1616);
    s += Bytes("4B 56 32 31 30 41 F8 FF 55 F3 00 F9 03 02 00 00");
    s += "FB" + Repeat("FF", 415);
    s += Repeat("FF", 792);
    s += Bytes("FF 0A 28 32 00 00 FF FF");
    s += Repeat(Bytes("00 FF 68 10 02 24 79 17 D6 4F 0A 00 F2 FF FF FF"), 4);
    s += Bytes("21 43 F5 FF FF FF FF FF FF FF FF FF F5 8F 21 00");
    s += Repeat(Bytes("FF FF FF FF FF FF FF FF FF FF FF FF FF 8F 21 00"), 7);
    s += Bytes(
        "04 28 3C 00 FF 1E 00 3C 00 FF FF 01 50 00 50 00 50 00 E8 03 FF FF FE A0 01 FF 0A 00 FF FF "
        "00 FF");
    s += Bytes("21 43 F5 FF FF FF FF FF FF FF FF FF F5 8F FF FF");
    s += Repeat(Bytes("FF FF FF FF FF FF FF FF FF FF FF FF FF 8F FF FF"), 31);
    s += Repeat("FF", 128);
    s += Bytes("00 00 01 01 00 01 FF 0A 01 00 00 FF FF FF FF FF");
    s += Repeat("FF", 368);
    auto put = [&s](int address, const std::string& bytes) {
        std::string hex = Bytes(bytes);
        s.replace(static_cast<std::size_t>(address) * 2, hex.size(), hex);
    };
    put(0x0E98, "03 33");
    put(0x0BFC, "01 01");
    put(0x0F00, "31 32 33 34 35 FF FF FF");
    put(0x0F80, "31 32 33 34 35 FF FF FF");
    put(0x0E00, "68 10 41 24");
    if (nyl74) put(0x0650, "4B 56 32 31 30 54 F8 FF");
    put(0x0670, "28");
    return s;
}

struct Row {
    const char* identity;
    const char* model;
    double low, high;
    bool signalling;
    const char* listName;
    const char* infoName;
};

const Row kRows[16] = {
    {"4B5632313041F8FF", "KV210A", 136, 174, false, "KV210A  (VHF:136-174MHz)",
     "KV210A  (VHF:136-174MHz)"},
    {"4B563231304132FF", "KV210A2", 66, 88, false, "KV210A  (VHF:66-88MHz)",
     "KV210A  (VHF:66-88MHz)"},
    {"4B5632323041F8FF", "KV220A", 438, 480, false, "KV220A  (UHF:438-480MHz)",
     "KV220A  (UHF:438-480MHz)"},
    {"4B563232304132FF", "KV220A2", 400, 440, false, "KV220A  (UHF:400-440MHz)",
     "KV220A (UHF:400-440MHz)"},
    {"4B563232304133FF", "KV220A3", 470, 512, false, "KV220A  (UHF:470-512MHz)",
     "KV220A (UHF:470-512MHz)"},
    {"4B563232304134FF", "KV220A4", 350, 390, false, "KV220A  (UHF:350-390MHz)",
     "KV220A (UHF:350-390MHz)"},
    {"4B563232304135FF", "KV220A5", 400, 470, false, "KV220A  (UHF:400-470MHz)",
     "KV220A (UHF:400-470MHz)"},
    {"4B563232304136FF", "KV220A6", 450, 527, false, "KV220A  (UHF:450-527MHz)",
     "KV220A  (UHF:450-527MHz)"},
    {"4B5632313054F8FF", "KV210T", 136, 174, true, "KV210AT  (VHF:136-174MHz)",
     "KV210AT  (VHF:136-174MHz)"},
    {"4B563231305432FF", "KV210T2", 66, 88, true, "KV210AT  (VHF:66-88MHz)",
     "KV210AT  (VHF:66-88MHz)"},
    {"4B5632323054F8FF", "KV220T", 438, 480, true, "KV220AT  (UHF:438-480MHz)",
     "KV220AT  (UHF:438-480MHz)"},
    {"4B563232305432FF", "KV220T2", 400, 440, true, "KV220AT  (UHF:400-440MHz)",
     "KV220AT (UHF:400-440MHz)"},
    {"4B563232305433FF", "KV220T3", 470, 512, true, "KV220AT  (UHF:470-512MHz)",
     "KV220AT (UHF:470-512MHz)"},
    {"4B563232305434FF", "KV220T4", 350, 390, true, "KV220AT  (UHF:350-390MHz)",
     "KV220AT (UHF:350-390MHz)"},
    {"4B563232305435FF", "KV220T5", 400, 470, true, "KV220AT  (UHF:400-470MHz)",
     "KV220AT (UHF:400-470MHz)"},
    {"4B563232305436FF", "KV220T6", 450, 527, true, "KV220AT  (UHF:450-527MHz)",
     "KV220AT  (UHF:450-527MHz)"},
};

}  // namespace

TEST(ModelCatalogue, EveryRowAndWhatTheStateMakesOfIt) {
    const auto& catalogue = ModelCatalogue();
    const auto listNames = EditionListNames(Edition::Vgr47);
    ASSERT_EQ(listNames.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const Row& r = kRows[i];
        EXPECT_STREQ(catalogue[i].identity, r.identity);
        EXPECT_STREQ(catalogue[i].model, r.model);
        EXPECT_EQ(catalogue[i].bandLow, r.low);
        EXPECT_EQ(catalogue[i].bandHigh, r.high);
        EXPECT_EQ(catalogue[i].kind == ModelKind::Signalling, r.signalling);
        // The identity spells the family and variant letter in ASCII.
        EXPECT_EQ(HexToText(std::string(r.identity).substr(0, 12)),
                  std::string(r.model).substr(0, 6));
        EXPECT_EQ(listNames[i], r.listName);
        EXPECT_EQ(InformationName(Edition::Vgr47, r.identity), r.infoName);

        ModelState state;
        state.UpdateModelFromImage(ImageWithIdentity(r.identity));
        EXPECT_EQ(state.currentIdentity(), r.identity);
        EXPECT_EQ(state.bandLow(), r.low);
        EXPECT_EQ(state.bandHigh(), r.high);
        EXPECT_EQ(state.ModelIndex(), i);
        EXPECT_EQ(state.IsExtendedModel(), r.signalling);
        EXPECT_EQ(state.CatalogueIdentityForListEntry(i), r.identity);
        // Lower-case identities are the same model.
        std::string lower = r.identity;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(CatalogueIndex(lower), i);
    }
}

TEST(ModelCatalogue, EditionsNameTheirModels) {
    auto hwm = EditionListNames(Edition::Hwm63);
    ASSERT_EQ(hwm.size(), 16u);
    EXPECT_EQ(hwm[0], "LX310A  (VHF:136-174MHz)");
    EXPECT_EQ(hwm[15], "LX320AT  (UHF:450-527MHz)");
    EXPECT_EQ(InformationName(Edition::Hwm63, kRows[3].identity), "LX320A (UHF:400-440MHz)");
    EXPECT_EQ(EditionListNames(Edition::Ja31), EditionListNames(Edition::Vgr47));

    EXPECT_EQ(EditionListNames(Edition::Fzc85),
              std::vector<std::string>{"N7062  (VHF:136-174MHz)"});
    EXPECT_EQ(InformationName(Edition::Fzc85, kRows[0].identity), "N7062  (VHF:136-174MHz)");
    EXPECT_EQ(InformationName(Edition::Fzc85, kRows[8].identity), "???");

    EXPECT_EQ(EditionListNames(Edition::Nyl74),
              (std::vector<std::string>{"RD-516  (VHF:136-174MHz)", "RD-528  (UHF:438-480MHz)"}));
    EXPECT_EQ(InformationName(Edition::Nyl74, kRows[8].identity), "RD-516  (VHF:136-174MHz)");
    EXPECT_EQ(InformationName(Edition::Nyl74, kRows[10].identity), "RD-528  (UHF:438-480MHz)");
    EXPECT_EQ(InformationName(Edition::Nyl74, kRows[0].identity), "???");

    EXPECT_EQ(InformationName(Edition::DOk2, kRows[0].identity), "");
    EXPECT_EQ(InformationName(Edition::Vgr47, "4B56323230410000"), "???");

    for (Edition e : {Edition::Vgr47, Edition::Ja31, Edition::Hwm63, Edition::Fzc85, Edition::DOk2,
                      Edition::Nyl74}) {
        EXPECT_EQ(EditionFromKey(EditionKey(e)), e);
    }
    EXPECT_EQ(EditionKey(Edition::DOk2), "d-ok2");
    EXPECT_FALSE(EditionFromKey("VGR47").has_value());
    EXPECT_FALSE(EditionFromKey("").has_value());
}

TEST(ModelCatalogue, ListEntriesStandForCatalogueModels) {
    ModelState nyl(Edition::Nyl74);
    EXPECT_EQ(nyl.CatalogueIdentityForListEntry(0), kRows[8].identity);
    EXPECT_EQ(nyl.CatalogueIdentityForListEntry(1), kRows[10].identity);
    EXPECT_EQ(nyl.CatalogueIdentityForListEntry(2), "");
    EXPECT_EQ(nyl.ModelIndex(kRows[8].identity), 0);
    EXPECT_EQ(nyl.ModelIndex("4B5632323054F8FF"), 1);
    EXPECT_EQ(nyl.ModelIndex(kRows[0].identity), -1);
    ModelState fzc(Edition::Fzc85);
    EXPECT_EQ(fzc.CatalogueIdentityForListEntry(0), kRows[0].identity);
    EXPECT_EQ(fzc.CatalogueIdentityForListEntry(1), "");
    ModelState vgr;
    EXPECT_EQ(vgr.CatalogueIdentityForListEntry(16), "");
    EXPECT_EQ(vgr.CatalogueIdentityForListEntry(-1), "");
}

TEST(ModelState, StartsAtTheFirstModelAndKeepsBandsForUnknownIdentities) {
    ModelState vgr;
    EXPECT_EQ(vgr.currentIdentity(), kRows[0].identity);
    EXPECT_EQ(vgr.bandLow(), 136);
    EXPECT_EQ(vgr.bandHigh(), 174);
    ModelState nyl(Edition::Nyl74);
    EXPECT_EQ(nyl.currentIdentity(), kRows[8].identity);
    EXPECT_EQ(nyl.ModelIndex(), 0);

    vgr.UpdateModelFromImage(ImageWithIdentity(kRows[1].identity));
    ASSERT_EQ(vgr.bandLow(), 66);
    // A well-formed identity the catalogue does not know: name "???", no list entry, old band.
    vgr.UpdateModelFromImage(ImageWithIdentity("4B56323230543700"));
    EXPECT_EQ(vgr.currentIdentity(), "4B56323230543700");
    EXPECT_EQ(vgr.bandLow(), 66);
    EXPECT_EQ(vgr.bandHigh(), 88);
    EXPECT_EQ(vgr.ModelDisplayName(vgr.currentIdentity()), "???");
    EXPECT_EQ(vgr.ModelIndex(), -1);
    EXPECT_TRUE(vgr.IsExtendedModel());  // the letter rule still applies
    // An image too short to hold an identity.
    vgr.UpdateModelFromImage(std::string(0x0650 * 2, 'F'));
    EXPECT_EQ(vgr.currentIdentity(), "");
    EXPECT_EQ(vgr.bandLow(), 66);
    EXPECT_FALSE(vgr.IsExtendedModel());
    // Every model counts as signalling in one edition.
    EXPECT_TRUE(nyl.IsExtendedModel(kRows[0].identity));
    EXPECT_TRUE(nyl.IsExtendedModel(""));
}

TEST(ModelState, TitleText) {
    ModelState vgr;
    EXPECT_EQ(vgr.TitleText("5.05"), "VGR47 V5.05    [VHF:136-174 A]");
    vgr.UpdateModelFromImage(ImageWithIdentity(kRows[15].identity));
    EXPECT_EQ(vgr.TitleText("5.05"), "VGR47 V5.05    [UHF:450-527 AT]");
    vgr.UpdateModelFromImage(ImageWithIdentity(kRows[5].identity));  // 350 is already UHF
    EXPECT_EQ(vgr.TitleText("5.05"), "VGR47 V5.05    [UHF:350-390 A]");
    vgr.UpdateModelFromImage(ImageWithIdentity(kRows[1].identity));
    EXPECT_EQ(vgr.TitleText("5.05"), "VGR47 V5.05    [VHF:66-88 A]");
    // Dealer editions carry no variant suffix.
    ModelState ja(Edition::Ja31);
    ja.UpdateModelFromImage(ImageWithIdentity(kRows[10].identity));
    EXPECT_EQ(ja.TitleText("5.05"), "VGR47 V5.05    [UHF:438-480]");
}

TEST(DefaultImage, TemplateByteForByte) {
    const std::string vgr = BuildTemplate(Edition::Vgr47);
    ASSERT_EQ(vgr.size(), 8192u);
    EXPECT_EQ(vgr, ExpectedTemplate(false));
    EXPECT_EQ(BuildTemplate(Edition::Vgr47), vgr);
    const std::string nyl = BuildTemplate(Edition::Nyl74);
    EXPECT_EQ(nyl, ExpectedTemplate(true));
    // The editions differ in the identity only.
    EXPECT_EQ(nyl.substr(0, 0x0650 * 2), vgr.substr(0, 0x0650 * 2));
    EXPECT_EQ(nyl.substr(0x0658 * 2), vgr.substr(0x0658 * 2));
    EXPECT_EQ(BuildTemplate(Edition::Ja31), vgr);
    // Start-up's template carries no test frequencies.
    EXPECT_EQ(At(vgr, 0x0700, 64), Repeat("FF", 64));
}

TEST(DefaultImage, TestFrequenciesOfABand) {
    std::string image = BuildTemplate(Edition::Vgr47);
    const std::string before = image;
    FillTestFrequencies(image, 136, 174);
    ASSERT_EQ(image.size(), before.size());
    EXPECT_EQ(image.substr(0, 0x0700 * 2), before.substr(0, 0x0700 * 2));
    EXPECT_EQ(image.substr(0x0740 * 2), before.substr(0x0740 * 2));
    // 136.05, 136.1, 145.55, 145.6, 155.05, 155.1, 164.55, 164.6, 173.95, 173.9 MHz
    EXPECT_EQ(At(image, 0x0700, 40),
              "00506013"
              "00006113"
              "00505514"
              "00005614"
              "00505015"
              "00005115"
              "00504516"
              "00004616"
              "00503917"
              "00003917");
    EXPECT_EQ(At(image, 0x0728, 24), Repeat("FF", 24));

    FillTestFrequencies(image, 66, 88);
    // 66.05, 66.1, 71.55, 71.6, 77.05, 77.1, 82.55, 82.6, 87.95, 87.9 MHz, leading zero digit
    EXPECT_EQ(At(image, 0x0700, 40),
              "00506006"
              "00006106"
              "00501507"
              "00001607"
              "00507007"
              "00007107"
              "00502508"
              "00002608"
              "00507908"
              "00007908");

    // A basic model's short image has room for the table; a shorter text is left alone.
    std::string basic(1856 * 2, 'F');
    FillTestFrequencies(basic, 136, 174);
    EXPECT_EQ(At(basic, 0x0700, 4), "00506013");
    std::string tiny(0x0720 * 2, 'F');
    FillTestFrequencies(tiny, 136, 174);
    EXPECT_EQ(tiny, std::string(0x0720 * 2, 'F'));
}

TEST(DefaultImage, FrequenciesIgnoreTheUserLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 not installed";
    std::string image = BuildTemplate(Edition::Vgr47);
    FillTestFrequencies(image, 136, 174);
    ModelState state;
    std::string title = state.TitleText("5.05");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(At(image, 0x0700, 8), "0050601300006113");
    EXPECT_EQ(title, "VGR47 V5.05    [VHF:136-174 A]");
}

TEST(DefaultImage, ForAChosenModel) {
    // The building step alone keeps the template model's test frequencies.
    ModelState state;
    std::string partial = BuildDefaultImage(state, kRows[15].identity);
    EXPECT_EQ(At(partial, 0x0650, 8), kRows[15].identity);
    EXPECT_EQ(At(partial, 0x0700, 4), "00506013");

    // As the model change installs it: identity, band and frequencies of the model.
    for (int index : {1, 7, 13, 15}) {
        SCOPED_TRACE(index);
        ModelState s;
        std::string image = BuildModelImage(s, kRows[index].identity);
        std::string expected = ExpectedTemplate(false);
        FillTestFrequencies(expected, kRows[index].low, kRows[index].high);
        expected.replace(0x0650 * 2, 16, kRows[index].identity);
        EXPECT_EQ(image, expected);
        EXPECT_EQ(s.bandLow(), kRows[index].low);
        EXPECT_EQ(s.ModelIndex(), index);
    }
    ModelState s15;
    EXPECT_EQ(At(BuildModelImage(s15, kRows[15].identity), 0x0700, 4), "00500045");  // 450.05

    // The New command's image.
    ModelState vgr;
    vgr.UpdateModelFromImage(ImageWithIdentity(kRows[12].identity));
    std::string fresh = BuildNewImage(vgr);
    EXPECT_EQ(vgr.ModelIndex(), 0);
    EXPECT_EQ(vgr.bandHigh(), 174);
    EXPECT_EQ(At(fresh, 0x0700, 4), "00506013");
    ModelState nyl(Edition::Nyl74);
    std::string nylFresh = BuildNewImage(nyl);
    EXPECT_EQ(At(nylFresh, 0x0650, 8), kRows[8].identity);
    EXPECT_EQ(nyl.ModelIndex(), 0);
    std::string nylUhf = BuildModelImage(nyl, kRows[10].identity);
    EXPECT_EQ(nyl.ModelIndex(), 1);
    EXPECT_EQ(At(nylUhf, 0x0700, 4), "00508043");  // 438.05
}

TEST(DefaultImage, TestFrequenciesOnTheProgramsImage) {
    ModelState state;
    state.UpdateModelFromImage(ImageWithIdentity(kRows[1].identity));
    CodeplugImage image;
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    FillTestFrequencies(image, state);
    EXPECT_EQ(image.ReadBytes(0x0700, 4), "00506006");
    EXPECT_TRUE(image.IsModified());
    // Too short for the table: untouched, no length change.
    CodeplugImage tiny;
    tiny.InstallNew(std::string(0x0600 * 2, 'F'));
    FillTestFrequencies(tiny, state);
    EXPECT_FALSE(tiny.IsModified());
}
