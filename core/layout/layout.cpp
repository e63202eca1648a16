#include "core/layout/fields.h"

namespace vgr47::layout {

const std::vector<const Field*>& AllFields() {
#define VGR47_LAYOUT_ENTRY(id, ...) &fields::id,
    static const std::vector<const Field*> kFields = {VGR47_LAYOUT_FIELDS(VGR47_LAYOUT_ENTRY)};
#undef VGR47_LAYOUT_ENTRY
    return kFields;
}

const std::vector<const Table*>& AllTables() {
    static const std::vector<const Table*> kTables = {
        &kChannelRecords,      &kTestFrequencyTable,  &kChannelExtensions,  &kTwoToneDecodeSets,
        &kFiveToneDecodeTable, &kFiveToneEncodeTable, &kTwoToneEncodeTable, &kAcsList,
        &kDtmfCodeTable,       &kDtmfDigitCodeTable};
    return kTables;
}

const Field* FindField(std::string_view name) {
    for (const Field* f : AllFields())
        if (name == f->name) return f;
    return nullptr;
}

const char* OwnerPrefix(Owner owner) {
    switch (owner) {
        case Owner::Channel:
            return "channel.";
        case Owner::Keys:
            return "keys.";
        case Owner::Scan:
            return "scan.";
        case Owner::Options:
            return "options.";
        case Owner::Dtmf:
            return "dtmf.";
        case Owner::TwoTone:
            return "twotone.";
        // The two 5-tone forms share one name space, as they share the 5-tone settings.
        case Owner::FiveToneSystem:
            return "fivetone.";
        case Owner::FiveTone:
            return "fivetone.";
        case Owner::Acs:
            return "acs.";
        case Owner::TestFrequencies:
            return "testfreq.";
        case Owner::Model:
            return "model.";
        case Owner::DataFile:
            return "file.";
    }
    return "";
}

std::vector<int> TransferBlocks(bool signalling) {
    std::vector<int> blocks;
    for (const Area* area : {&kFirstTransfer, &kSecondTransfer}) {
        if (area == &kSecondTransfer && !signalling) break;
        for (int a = area->start; a < area->end(); a += kBlockBytes) blocks.push_back(a);
    }
    return blocks;
}

}  // namespace vgr47::layout
