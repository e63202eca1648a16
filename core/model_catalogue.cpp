#include "core/model_catalogue.h"

#include "core/codeplug_lib.h"
#include "core/frequency_codec.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/messages.h"

namespace vgr47 {

namespace {

constexpr int kFirstVhfModel = 0;
constexpr int kFirstVhfSignallingModel = 8;
constexpr int kFirstUhfSignallingModel = 10;

// Models that count as UHF in the title start at this band limit.
constexpr double kUhfFrom = 350.0;

// Identity byte 5 is the variant letter; T (54) marks a signalling model.
constexpr std::size_t kVariantLetterPos = 10;
const char* const kSignallingLetterHex = "54";

const std::array<ModelInfo, kModelCount> kCatalogue = {{
    {"4B5632313041F8FF", "KV210A", 136, 174, ModelKind::Basic},
    {"4B563231304132FF", "KV210A2", 66, 88, ModelKind::Basic},
    {"4B5632323041F8FF", "KV220A", 438, 480, ModelKind::Basic},
    {"4B563232304132FF", "KV220A2", 400, 440, ModelKind::Basic},
    {"4B563232304133FF", "KV220A3", 470, 512, ModelKind::Basic},
    {"4B563232304134FF", "KV220A4", 350, 390, ModelKind::Basic},
    {"4B563232304135FF", "KV220A5", 400, 470, ModelKind::Basic},
    {"4B563232304136FF", "KV220A6", 450, 527, ModelKind::Basic},
    {"4B5632313054F8FF", "KV210T", 136, 174, ModelKind::Signalling},
    {"4B563231305432FF", "KV210T2", 66, 88, ModelKind::Signalling},
    {"4B5632323054F8FF", "KV220T", 438, 480, ModelKind::Signalling},
    {"4B563232305432FF", "KV220T2", 400, 440, ModelKind::Signalling},
    {"4B563232305433FF", "KV220T3", 470, 512, ModelKind::Signalling},
    {"4B563232305434FF", "KV220T4", 350, 390, ModelKind::Signalling},
    {"4B563232305435FF", "KV220T5", 400, 470, ModelKind::Signalling},
    {"4B563232305436FF", "KV220T6", 450, 527, ModelKind::Signalling},
}};

// List names and information names differ only in the blanks before the parenthesis.
const std::array<const char*, kModelCount> kListNames = {{
    "KV210A  (VHF:136-174MHz)",
    "KV210A  (VHF:66-88MHz)",
    "KV220A  (UHF:438-480MHz)",
    "KV220A  (UHF:400-440MHz)",
    "KV220A  (UHF:470-512MHz)",
    "KV220A  (UHF:350-390MHz)",
    "KV220A  (UHF:400-470MHz)",
    "KV220A  (UHF:450-527MHz)",
    "KV210AT  (VHF:136-174MHz)",
    "KV210AT  (VHF:66-88MHz)",
    "KV220AT  (UHF:438-480MHz)",
    "KV220AT  (UHF:400-440MHz)",
    "KV220AT  (UHF:470-512MHz)",
    "KV220AT  (UHF:350-390MHz)",
    "KV220AT  (UHF:400-470MHz)",
    "KV220AT  (UHF:450-527MHz)",
}};

const std::array<const char*, kModelCount> kInformationNames = {{
    "KV210A  (VHF:136-174MHz)",
    "KV210A  (VHF:66-88MHz)",
    "KV220A  (UHF:438-480MHz)",
    "KV220A (UHF:400-440MHz)",
    "KV220A (UHF:470-512MHz)",
    "KV220A (UHF:350-390MHz)",
    "KV220A (UHF:400-470MHz)",
    "KV220A  (UHF:450-527MHz)",
    "KV210AT  (VHF:136-174MHz)",
    "KV210AT  (VHF:66-88MHz)",
    "KV220AT  (UHF:438-480MHz)",
    "KV220AT (UHF:400-440MHz)",
    "KV220AT (UHF:470-512MHz)",
    "KV220AT (UHF:350-390MHz)",
    "KV220AT (UHF:400-470MHz)",
    "KV220AT  (UHF:450-527MHz)",
}};

const char* const kFzc85Name = "N7062  (VHF:136-174MHz)";
const char* const kNyl74VhfName = "RD-516  (VHF:136-174MHz)";
const char* const kNyl74UhfName = "RD-528  (UHF:438-480MHz)";
const char* const kUnknownName = "???";

// One edition sells the same radios under other family names.
std::string RenameFamilies(std::string name) {
    const std::pair<const char*, const char*> renames[] = {{"KV210", "LX310"}, {"KV220", "LX320"}};
    for (const auto& [from, to] : renames) {
        std::size_t pos = name.find(from);
        if (pos != std::string::npos) name.replace(pos, 5, to);
    }
    return name;
}

int FirstModelOf(Edition edition) {
    return edition == Edition::Nyl74 ? kFirstVhfSignallingModel : kFirstVhfModel;
}

// Writes bytes given as blank-separated hex, as the default tables are written down.
void Put(std::string& image, int address, const std::string& bytes) {
    std::string hex;
    for (char c : bytes) {
        if (c != ' ') hex += c;
    }
    image.replace(static_cast<std::size_t>(address) * 2, hex.size(), hex);
}

}  // namespace

std::optional<Edition> EditionFromKey(const std::string& key) {
    for (Edition e : {Edition::Vgr47, Edition::Ja31, Edition::Hwm63, Edition::Fzc85, Edition::DOk2,
                      Edition::Nyl74}) {
        if (EditionKey(e) == key) return e;
    }
    return std::nullopt;
}

std::string EditionKey(Edition edition) {
    switch (edition) {
        case Edition::Vgr47:
            return "vgr47";
        case Edition::Ja31:
            return "ja31";
        case Edition::Hwm63:
            return "hwm63";
        case Edition::Fzc85:
            return "fzc85";
        case Edition::DOk2:
            return "d-ok2";
        case Edition::Nyl74:
            return "nyl74";
    }
    return "vgr47";
}

const std::array<ModelInfo, kModelCount>& ModelCatalogue() { return kCatalogue; }

int CatalogueIndex(const std::string& identity) {
    std::string upper = ToUpperAscii(identity);
    for (int i = 0; i < kModelCount; ++i) {
        if (upper == kCatalogue[i].identity) return i;
    }
    return -1;
}

std::vector<std::string> EditionListNames(Edition edition) {
    switch (edition) {
        case Edition::Fzc85:
            return {kFzc85Name};
        case Edition::Nyl74:
            return {kNyl74VhfName, kNyl74UhfName};
        case Edition::Hwm63: {
            std::vector<std::string> names;
            for (const char* n : kListNames) names.push_back(RenameFamilies(n));
            return names;
        }
        default:
            return {kListNames.begin(), kListNames.end()};
    }
}

std::string InformationName(Edition edition, const std::string& identity) {
    // This edition shows no model name at all.
    if (edition == Edition::DOk2) return "";
    int index = CatalogueIndex(identity);
    switch (edition) {
        case Edition::Fzc85:
            return index == kFirstVhfModel ? kFzc85Name : kUnknownName;
        case Edition::Nyl74:
            if (index == kFirstVhfSignallingModel) return kNyl74VhfName;
            if (index == kFirstUhfSignallingModel) return kNyl74UhfName;
            return kUnknownName;
        case Edition::Hwm63:
            return index < 0 ? kUnknownName : RenameFamilies(kInformationNames[index]);
        default:
            return index < 0 ? kUnknownName : kInformationNames[index];
    }
}

int CatalogueIndexForListEntry(Edition edition, int entry) {
    switch (edition) {
        case Edition::Fzc85:
            return entry == 0 ? kFirstVhfModel : -1;
        case Edition::Nyl74:
            if (entry == 0) return kFirstVhfSignallingModel;
            if (entry == 1) return kFirstUhfSignallingModel;
            return -1;
        default:
            return entry >= 0 && entry < kModelCount ? entry : -1;
    }
}

ModelState::ModelState(Edition edition) : edition_(edition) {
    const ModelInfo& first = kCatalogue[FirstModelOf(edition)];
    currentIdentity_ = first.identity;
    bandLow_ = first.bandLow;
    bandHigh_ = first.bandHigh;
}

void ModelState::UpdateModelFromImage(const std::string& image) {
    std::size_t pos = static_cast<std::size_t>(mem::kIdentity) * 2;
    currentIdentity_ = pos < image.size() ? image.substr(pos, mem::kIdentityBytes * 2) : "";
    int index = CatalogueIndex(currentIdentity_);
    if (index >= 0) {
        bandLow_ = kCatalogue[index].bandLow;
        bandHigh_ = kCatalogue[index].bandHigh;
    }
}

int ModelState::ModelIndex(const std::string& identity) const {
    int index = CatalogueIndex(identity);
    if (edition_ == Edition::Nyl74) {
        if (index == kFirstVhfSignallingModel) return 0;
        if (index == kFirstUhfSignallingModel) return 1;
        return -1;
    }
    return index;
}

bool ModelState::IsExtendedModel(const std::string& identity) const {
    if (edition_ == Edition::Nyl74) return true;
    return identity.size() >= kVariantLetterPos + 2 &&
           identity.compare(kVariantLetterPos, 2, kSignallingLetterHex) == 0;
}

std::string ModelState::ModelDisplayName(const std::string& identity) const {
    return InformationName(edition_, identity);
}

std::string ModelState::TitleText(const std::string& version) const {
    std::string title = std::string(kProgramShortName) + " V" + version + "    [";
    title += bandLow_ >= kUhfFrom ? "UHF:" : "VHF:";
    title += FormatGeneral(bandLow_) + "-" + FormatGeneral(bandHigh_);
    if (edition_ == Edition::Vgr47) title += IsExtendedModel() ? " AT" : " A";
    return title + "]";
}

std::vector<std::string> ModelState::ModelListNames() const { return EditionListNames(edition_); }

std::string ModelState::CatalogueIdentityForListEntry(int entry) const {
    int index = CatalogueIndexForListEntry(edition_, entry);
    return index < 0 ? "" : kCatalogue[index].identity;
}

std::string BuildTemplate(Edition edition) {
    using namespace mem;
    std::string image = RepeatToLength("F", 2 * kImageBytes);
    // Everything not listed here is FF: empty channels, extension records and tables.
    Put(image, kIdentity,
        std::string(kCatalogue[kFirstVhfModel].identity) + "55 F3 00 F9 03 02 00 00");
    Put(image, layout::AddressOf(layout::fields::kOptionsPowerOn), "FB");
    Put(image, kTwoToneOptions, "FF 0A 28 32 00 00 FF FF");
    for (int i = 0; i < kTwoToneDecodeSetCount; ++i) {
        Put(image, kTwoToneDecodeSets + i * kTwoToneDecodeSetBytes,
            "00 FF 68 10 02 24 79 17 D6 4F 0A 00 F2 FF FF FF");
    }
    Put(image, kFiveToneDecode, "21 43 F5 FF FF FF FF FF FF FF FF FF F5 8F 21 00");
    for (int i = 1; i < kFiveToneDecodeCount; ++i) {
        Put(image, kFiveToneDecode + i * kFiveToneDecodeBytes,
            "FF FF FF FF FF FF FF FF FF FF FF FF FF 8F 21 00");
    }
    Put(image, layout::AddressOf(layout::fields::kFiveToneStandard),
        "04 28 3C 00 FF 1E 00 3C 00 FF FF 01 50 00 50 00 50 00 E8 03 FF FF FE A0 01 FF 0A 00 FF FF "
        "00 FF");
    Put(image, kFiveToneEncode, "21 43 F5 FF FF FF FF FF FF FF FF FF F5 8F FF FF");
    for (int i = 1; i < kFiveToneEncodeCount; ++i) {
        Put(image, kFiveToneEncode + i * kFiveToneEncodeBytes,
            "FF FF FF FF FF FF FF FF FF FF FF FF FF 8F FF FF");
    }
    Put(image, layout::AddressOf(layout::fields::kDtmfRate),
        "00 00 01 01 00 01 FF 0A 01 00 00 FF FF FF FF FF");

    // Defaults laid over the tables above.
    Put(image, kAcsCycles, "03 33");
    Put(image, kKeyA, "01 01");
    Put(image, kDtmfCodes, "31 32 33 34 35 FF FF FF");
    Put(image, kDtmfDigitCodes, "31 32 33 34 35 FF FF FF");
    Put(image, kTwoToneEncode, "68 10 41 24");
    if (edition == Edition::Nyl74)
        Put(image, kIdentity, kCatalogue[kFirstVhfSignallingModel].identity);
    Put(image, kSignallingHold, "28");
    return image;
}

std::vector<double> TestFrequencies(double bandLow, double bandHigh) {
    const double mid = (bandLow + bandHigh) / 2;
    const double lowerQuarter = (bandLow + mid) / 2;
    const double upperQuarter = (bandHigh + mid) / 2;
    return {bandLow + 0.05,  bandLow + 0.1, lowerQuarter + 0.05, lowerQuarter + 0.1,
            mid + 0.05,      mid + 0.1,     upperQuarter + 0.05, upperQuarter + 0.1,
            bandHigh - 0.05, bandHigh - 0.1};
}

void FillTestFrequencies(std::string& image, double bandLow, double bandHigh) {
    using namespace mem;
    const std::size_t tableChars = 2 * kTestFrequencyRecordBytes * kTestFrequencyCount;
    const std::size_t pos = static_cast<std::size_t>(kTestFrequencies) * 2;
    if (image.size() < pos + tableChars) return;
    std::string table;
    for (double mhz : TestFrequencies(bandLow, bandHigh)) {
        std::string code = EncodeFrequency(mhz);
        table += code.size() == 8 && IsHexText(code) ? code : "FFFFFFFF";
    }
    table += std::string(tableChars - table.size(), 'F');
    image.replace(pos, tableChars, table);
}

void FillTestFrequencies(CodeplugImage& image, const ModelState& state) {
    std::string text = image.image();
    FillTestFrequencies(text, state.bandLow(), state.bandHigh());
    const int tableBytes = mem::kTestFrequencyRecordBytes * mem::kTestFrequencyCount;
    const std::size_t pos = static_cast<std::size_t>(mem::kTestFrequencies) * 2;
    if (text.size() < pos + 2u * tableBytes) return;
    image.WriteBytes(mem::kTestFrequencies, text.substr(pos, 2u * tableBytes));
}

std::string BuildDefaultImage(ModelState& state, const std::string& identity) {
    std::string image = BuildTemplate(state.edition());
    state.UpdateModelFromImage(image);
    FillTestFrequencies(image, state.bandLow(), state.bandHigh());
    std::string id = ToUpperAscii(identity);
    if (id.size() == 2 * mem::kIdentityBytes && IsHexText(id)) Put(image, mem::kIdentity, id);
    return image;
}

std::string BuildModelImage(ModelState& state, const std::string& identity) {
    std::string image = BuildDefaultImage(state, identity);
    state.UpdateModelFromImage(image);
    FillTestFrequencies(image, state.bandLow(), state.bandHigh());
    return image;
}

std::string BuildNewImage(ModelState& state) {
    std::string image = BuildTemplate(state.edition());
    state.UpdateModelFromImage(image);
    FillTestFrequencies(image, state.bandLow(), state.bandHigh());
    return image;
}

}  // namespace vgr47
