// Named addresses and regions of the 4096-byte radio memory, and the block layout of a
// radio transfer. Record addresses are region start + index x record size. The values by
// meaning come from the declared layout (core/layout); new code uses the layout directly.
#pragma once

#include <vector>

#include "core/layout/fields.h"

namespace vgr47::mem {

inline constexpr int kImageBytes = layout::kImageBytes;
inline constexpr int kBasicImageBytes = layout::kBasicImageBytes;
inline constexpr int kBlockBytes = layout::kBlockBytes;

// Channel records: 1..99, then A and B.
inline constexpr int kChannels = layout::kChannelRecords.start;
inline constexpr int kChannelRecordBytes = layout::kChannelRecords.recordBytes;
inline constexpr int kChannelCount = layout::kChannelCount;
inline constexpr int kChannelA = layout::kChannelRecords.RecordStart(layout::kChannelA);
inline constexpr int kChannelB = layout::kChannelRecords.RecordStart(layout::kChannelB);
inline constexpr int kChannelsEnd = layout::kChannelRecords.end();

inline constexpr int kIdentity = layout::fields::kModelIdentity.place.offset;
inline constexpr int kIdentityBytes = layout::fields::kModelIdentity.shape.bytes;
inline constexpr int kScanTimes = layout::fields::kScanTxPause.place.offset;
inline constexpr int kScanFunction = layout::fields::kScanFunction.place.offset;
inline constexpr int kScanPriority = layout::fields::kScanPriority.place.offset;
inline constexpr int kOption065B = 0x065B;
inline constexpr int kOption065C = 0x065C;
inline constexpr int kOption065D = 0x065D;
inline constexpr int kOption065E = 0x065E;
inline constexpr int kOption065F = 0x065F;
inline constexpr int kOption0660 = 0x0660;
inline constexpr int kOption0661 = 0x0661;
inline constexpr int kVersionStamp = layout::fields::kFileVersionStamp.place.offset;
inline constexpr int kSignallingHold = layout::fields::kScanSignallingHold.place.offset;

inline constexpr int kTestFrequencies = layout::kTestFrequencyTable.start;
inline constexpr int kTestFrequencyRecordBytes = layout::kTestFrequencyTable.recordBytes;
inline constexpr int kTestFrequencyCount = layout::kTestFrequencyTable.count;
inline constexpr int kFirstRegionLast = layout::kFirstTransfer.end() - 1;
inline constexpr int kTuningArea = layout::kTuningArea.start;
inline constexpr int kTuningAreaLast = layout::kTuningArea.end() - 1;
inline constexpr int kTuningAreaBytes = layout::kTuningArea.bytes;
inline constexpr int kSecondRegion = layout::kSecondTransfer.start;

inline constexpr int kChannelExtensions = layout::kChannelExtensions.start;
inline constexpr int kChannelExtensionBytes = layout::kChannelExtensions.recordBytes;

inline constexpr int kTwoToneOptions = layout::fields::kTwoToneSideTone.place.offset;
inline constexpr int kTwoTone0B19 = 0x0B19;
inline constexpr int kTwoTone0B1A = 0x0B1A;
inline constexpr int kTwoTone0B1B = 0x0B1B;
inline constexpr int kTwoTone0B1C = 0x0B1C;
inline constexpr int kTwoToneDecodeSets = layout::kTwoToneDecodeSets.start;
inline constexpr int kTwoToneDecodeSetBytes = layout::kTwoToneDecodeSets.recordBytes;
inline constexpr int kTwoToneDecodeSetCount = layout::kTwoToneDecodeSets.count;

inline constexpr int kFiveToneDecode = layout::kFiveToneDecodeTable.start;
inline constexpr int kFiveToneDecodeBytes = layout::kFiveToneDecodeTable.recordBytes;
inline constexpr int kFiveToneDecodeCount = layout::kFiveToneDecodeTable.count;
inline constexpr int kFiveTone0BE0 = 0x0BE0;
inline constexpr int kFiveTone0BE1 = 0x0BE1;
inline constexpr int kFiveTone0BE2 = 0x0BE2;
inline constexpr int kFiveTone0BE4 = 0x0BE4;
inline constexpr int kFiveTone0BE5 = 0x0BE5;
inline constexpr int kFiveTone0BE7 = 0x0BE7;
inline constexpr int kFiveTone0BEA = 0x0BEA;
inline constexpr int kFiveTone0BEC = 0x0BEC;
inline constexpr int kFiveTone0BEE = 0x0BEE;
inline constexpr int kFiveTone0BF0 = 0x0BF0;
inline constexpr int kFiveTone0BF2 = 0x0BF2;
inline constexpr int kFiveTone0BF4 = 0x0BF4;
inline constexpr int kFiveTone0BF6 = 0x0BF6;
inline constexpr int kFiveTone0BF7 = 0x0BF7;
inline constexpr int kFiveTone0BF8 = 0x0BF8;
inline constexpr int kFiveTone0BFA = 0x0BFA;
inline constexpr int kKeyA = layout::fields::kKeysA.place.offset;
inline constexpr int kKeyB = layout::fields::kKeysB.place.offset;
inline constexpr int kKeyOption = layout::fields::kKeysOption.place.offset;
inline constexpr int kFiveToneEncode = layout::kFiveToneEncodeTable.start;
inline constexpr int kFiveToneEncodeBytes = layout::kFiveToneEncodeTable.recordBytes;
inline constexpr int kFiveToneEncodeCount = layout::kFiveToneEncodeTable.count;

inline constexpr int kTwoToneEncode = layout::kTwoToneEncodeTable.start;
inline constexpr int kTwoToneEncodeBytes = layout::kTwoToneEncodeTable.recordBytes;
inline constexpr int kTwoToneEncodeCount = layout::kTwoToneEncodeTable.count;

inline constexpr int kDtmf0E80 = 0x0E80;
inline constexpr int kDtmf0E81 = 0x0E81;
inline constexpr int kDtmf0E82 = 0x0E82;
inline constexpr int kDtmf0E83 = 0x0E83;
inline constexpr int kDtmf0E84 = 0x0E84;
inline constexpr int kDtmf0E85 = 0x0E85;
inline constexpr int kDtmf0E86 = 0x0E86;
inline constexpr int kDtmf0E87 = 0x0E87;
inline constexpr int kDtmf0E88 = 0x0E88;
inline constexpr int kDtmf0E89 = 0x0E89;
inline constexpr int kDtmf0E8A = 0x0E8A;
inline constexpr int kAcsList = layout::kAcsList.start;
inline constexpr int kAcsListCount = layout::kAcsList.count;
inline constexpr int kAcsCycles = layout::fields::kAcsCycles.place.offset;
inline constexpr int kAcsTimes = layout::fields::kAcsTxTime.place.offset;
inline constexpr int kDtmfKillCode = layout::fields::kDtmfKillCode.place.offset;
inline constexpr int kDtmfKillCodeBytes = layout::fields::kDtmfKillCode.shape.bytes;
inline constexpr int kDtmfCodes = layout::kDtmfCodeTable.start;
inline constexpr int kDtmfDigitCodes = layout::kDtmfDigitCodeTable.start;
inline constexpr int kDtmfCodeBytes = layout::kDtmfCodeTable.recordBytes;
inline constexpr int kDtmfCodeCount = layout::kDtmfCodeTable.count;

struct Region {
    int start;
    int size;
    const char* content;
};

// The regions of the memory, in address order.
const std::vector<Region>& Regions();

// Record address helpers for the tables above.
int ChannelRecordAddress(int channel);     // 1..99, 100 = A, 101 = B
int ChannelExtensionAddress(int channel);  // 1..99

// The block addresses a read or write moves, in order: 116 blocks for a basic model,
// 244 for a signalling model. The tuning area is never part of a transfer.
std::vector<int> TransferBlocks(bool signalling);

}  // namespace vgr47::mem
