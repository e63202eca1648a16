#include "core/model_catalogue.h"

#include <gtest/gtest.h>

#include <clocale>

#include "core/codeplug_lib.h"

using namespace vgr47;

namespace {

std::string Bytes(const std::string& blankSeparated, int times = 1) {
    std::string hex;
    for (char c : blankSeparated) {
        if (c != ' ') hex += c;
    }
    return RepeatToLength(hex, static_cast<int>(hex.size()) * times);
}

std::string At(const std::string& image, int address, int count) {
    return image.substr(address * 2, count * 2);
}

std::string WithIdentity(const std::string& identity) {
    std::string image = BuildTemplate(Edition::Vgr47);
    return image.replace(0x0650 * 2, identity.size(), identity);
}

// The default image written down region by region, then the later overwrites.
std::string ExpectedTemplate(bool nyl74) {
    std::string s = Bytes("FF", 1616) + Bytes("4B 56 32 31 30 41 F8 FF 55 F3 00 F9 03 02 00 00") +
                    "FB" + Bytes("FF", 415 + 792) + Bytes("FF 0A 28 32 00 00 FF FF") +
                    Bytes("00 FF 68 10 02 24 79 17 D6 4F 0A 00 F2 FF FF FF", 4) +
                    Bytes("21 43 F5 FF FF FF FF FF FF FF FF FF F5 8F 21 00") +
                    Bytes("FF FF FF FF FF FF FF FF FF FF FF FF FF 8F 21 00", 7) +
                    Bytes(
                        "04 28 3C 00 FF 1E 00 3C 00 FF FF 01 50 00 50 00 50 00 E8 03 FF FF FE A0 "
                        "01 FF 0A 00 FF FF 00 FF") +
                    Bytes("21 43 F5 FF FF FF FF FF FF FF FF FF F5 8F FF FF") +
                    Bytes("FF FF FF FF FF FF FF FF FF FF FF FF FF 8F FF FF", 31) +
                    Bytes("FF", 128) + Bytes("00 00 01 01 00 01 FF 0A 01 00 00 FF FF FF FF FF") +
                    Bytes("FF", 368);
    auto put = [&s](int address, const std::string& bytes) {
        s.replace(address * 2, bytes.size(), bytes);
    };
    put(0x0E98, "0333");
    put(0x0BFC, "0101");
    put(0x0F00, "3132333435FFFFFF");
    put(0x0F80, "3132333435FFFFFF");
    put(0x0E00, "68104124");
    if (nyl74) put(0x0650, "4B5632313054F8FF");
    put(0x0670, "28");
    return s;
}

struct Row {
    const char* identity;
    double low, high;
    bool signalling;
    const char* infoName;  // the list name has two blanks before the parenthesis throughout
};

const Row kRows[16] = {
    {"4B5632313041F8FF", 136, 174, false, "KV210A  (VHF:136-174MHz)"},
    {"4B563231304132FF", 66, 88, false, "KV210A  (VHF:66-88MHz)"},
    {"4B5632323041F8FF", 438, 480, false, "KV220A  (UHF:438-480MHz)"},
    {"4B563232304132FF", 400, 440, false, "KV220A (UHF:400-440MHz)"},
    {"4B563232304133FF", 470, 512, false, "KV220A (UHF:470-512MHz)"},
    {"4B563232304134FF", 350, 390, false, "KV220A (UHF:350-390MHz)"},
    {"4B563232304135FF", 400, 470, false, "KV220A (UHF:400-470MHz)"},
    {"4B563232304136FF", 450, 527, false, "KV220A  (UHF:450-527MHz)"},
    {"4B5632313054F8FF", 136, 174, true, "KV210AT  (VHF:136-174MHz)"},
    {"4B563231305432FF", 66, 88, true, "KV210AT  (VHF:66-88MHz)"},
    {"4B5632323054F8FF", 438, 480, true, "KV220AT  (UHF:438-480MHz)"},
    {"4B563232305432FF", 400, 440, true, "KV220AT (UHF:400-440MHz)"},
    {"4B563232305433FF", 470, 512, true, "KV220AT (UHF:470-512MHz)"},
    {"4B563232305434FF", 350, 390, true, "KV220AT (UHF:350-390MHz)"},
    {"4B563232305435FF", 400, 470, true, "KV220AT (UHF:400-470MHz)"},
    {"4B563232305436FF", 450, 527, true, "KV220AT  (UHF:450-527MHz)"},
};

}  // namespace

TEST(ModelCatalogue, EveryRowAsTheModelStateSeesIt) {
    const auto listNames = EditionListNames(Edition::Vgr47);
    ASSERT_EQ(listNames.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const Row& r = kRows[i];
        std::string listName = r.infoName;
        if (listName.find("  (") == std::string::npos) listName.insert(listName.find(" ("), " ");
        EXPECT_EQ(listNames[i], listName);
        EXPECT_EQ(ModelCatalogue()[i].identity, std::string(r.identity));
        ModelState state;
        state.UpdateModelFromImage(WithIdentity(r.identity));
        EXPECT_EQ(state.bandLow(), r.low);
        EXPECT_EQ(state.bandHigh(), r.high);
        EXPECT_EQ(state.ModelIndex(), i);
        EXPECT_EQ(state.IsExtendedModel(), r.signalling);
        EXPECT_EQ(state.ModelDisplayName(r.identity), r.infoName);
        EXPECT_EQ(state.CatalogueIdentityForListEntry(i), r.identity);
    }
    EXPECT_EQ(ModelCatalogue()[15].model, std::string("KV220T6"));
}

TEST(ModelCatalogue, EditionsNameAndCountTheirModels) {
    EXPECT_EQ(EditionListNames(Edition::Hwm63)[15], "LX320AT  (UHF:450-527MHz)");
    EXPECT_EQ(InformationName(Edition::Hwm63, kRows[0].identity), "LX310A  (VHF:136-174MHz)");
    EXPECT_EQ(EditionListNames(Edition::Fzc85),
              std::vector<std::string>{"N7062  (VHF:136-174MHz)"});
    EXPECT_EQ(InformationName(Edition::Fzc85, kRows[8].identity), "???");
    EXPECT_EQ(InformationName(Edition::DOk2, kRows[0].identity), "");

    ModelState nyl(Edition::Nyl74);
    EXPECT_EQ(nyl.ModelListNames(),
              (std::vector<std::string>{"RD-516  (VHF:136-174MHz)", "RD-528  (UHF:438-480MHz)"}));
    EXPECT_EQ(nyl.ModelIndex(), 0);  // starts at the VHF signalling model
    EXPECT_EQ(nyl.ModelIndex("4B5632323054F8FF"), 1);
    EXPECT_EQ(nyl.ModelIndex(kRows[0].identity), -1);
    EXPECT_EQ(nyl.CatalogueIdentityForListEntry(1), kRows[10].identity);
    EXPECT_EQ(nyl.ModelDisplayName(kRows[0].identity), "???");
    EXPECT_TRUE(nyl.IsExtendedModel(kRows[0].identity));

    EXPECT_EQ(EditionFromKey("d-ok2"), Edition::DOk2);
    EXPECT_EQ(EditionKey(Edition::Nyl74), "nyl74");
    EXPECT_FALSE(EditionFromKey("VGR47").has_value());
}

TEST(ModelState, UnknownIdentitiesKeepTheBand) {
    ModelState state;
    EXPECT_EQ(state.TitleText("5.05"), "VGR47 V5.05    [VHF:136-174 A]");
    state.UpdateModelFromImage(WithIdentity(kRows[1].identity));
    state.UpdateModelFromImage(WithIdentity("4B56323230543700"));
    EXPECT_EQ(state.bandLow(), 66);
    EXPECT_EQ(state.ModelDisplayName(state.currentIdentity()), "???");
    EXPECT_EQ(state.ModelIndex(), -1);
    EXPECT_TRUE(state.IsExtendedModel());                      // the variant letter still decides
    state.UpdateModelFromImage(std::string(0x0650 * 2, 'F'));  // too short for an identity
    EXPECT_EQ(state.currentIdentity(), "");
    EXPECT_EQ(state.TitleText("5.05"), "VGR47 V5.05    [VHF:66-88 A]");

    state.UpdateModelFromImage(WithIdentity("4b563232305436ff"));
    EXPECT_EQ(state.TitleText("5.05"), "VGR47 V5.05    [UHF:450-527 AT]");
    state.UpdateModelFromImage(WithIdentity(kRows[5].identity));
    EXPECT_EQ(state.TitleText("5.05"), "VGR47 V5.05    [UHF:350-390 A]");
    ModelState dealer(Edition::Ja31);  // dealer editions show no variant
    EXPECT_EQ(dealer.TitleText("5.05"), "VGR47 V5.05    [VHF:136-174]");
}

TEST(DefaultImage, TemplateByteForByte) {
    const std::string vgr = BuildTemplate(Edition::Vgr47);
    EXPECT_EQ(vgr, ExpectedTemplate(false));
    EXPECT_EQ(BuildTemplate(Edition::Vgr47), vgr);
    EXPECT_EQ(BuildTemplate(Edition::Nyl74), ExpectedTemplate(true));
}

TEST(DefaultImage, TestFrequencies) {
    std::string image = BuildTemplate(Edition::Vgr47);
    FillTestFrequencies(image, 136, 174);
    // 136.05, 136.1, 145.55, 145.6, 155.05, 155.1, 164.55, 164.6, 173.95, 173.9 MHz; rest empty
    EXPECT_EQ(At(image, 0x0700, 64),
              "0050601300006113005055140000561400505015"
              "0000511500504516000046160050391700003917" +
                  Bytes("FF", 24));
    FillTestFrequencies(image, 66, 88);  // 066.05000 first
    EXPECT_EQ(At(image, 0x0700, 40),
              "0050600600006106005015070000160700507007"
              "0000710700502508000026080050790800007908");
    EXPECT_EQ(image.size(), 8192u);
    EXPECT_EQ(image.substr(0x0740 * 2), ExpectedTemplate(false).substr(0x0740 * 2));

    CodeplugImage tooShort;
    tooShort.InstallNew(std::string(0x0720 * 2, 'F'));
    FillTestFrequencies(tooShort, ModelState());
    EXPECT_FALSE(tooShort.IsModified());
}

TEST(DefaultImage, FrequenciesIgnoreAGermanLocale) {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 not installed";
    std::string image = BuildTemplate(Edition::Vgr47);
    FillTestFrequencies(image, 136, 174);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(At(image, 0x0700, 4), "00506013");
}

TEST(DefaultImage, ForAChosenModel) {
    for (int index : {1, 7, 15}) {
        SCOPED_TRACE(index);
        ModelState state;
        std::string expected = ExpectedTemplate(false);
        FillTestFrequencies(expected, kRows[index].low, kRows[index].high);
        expected.replace(0x0650 * 2, 16, kRows[index].identity);
        EXPECT_EQ(BuildModelImage(state, kRows[index].identity), expected);
        EXPECT_EQ(state.ModelIndex(), index);
    }
    // The building step alone keeps the template model's frequencies.
    ModelState state;
    EXPECT_EQ(At(BuildDefaultImage(state, kRows[15].identity), 0x0700, 4), "00506013");
    // New goes back to the first model.
    EXPECT_EQ(At(BuildNewImage(state), 0x0700, 4), "00506013");
    EXPECT_EQ(state.bandHigh(), 174);
    ModelState nyl(Edition::Nyl74);
    EXPECT_EQ(At(BuildNewImage(nyl), 0x0650, 8), kRows[8].identity);
    EXPECT_EQ(At(BuildModelImage(nyl, kRows[10].identity), 0x0700, 4), "00508043");  // 438.05
}
