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
inline constexpr int kTwoToneDecodeSets = layout::kTwoToneDecodeSets.start;
inline constexpr int kTwoToneDecodeSetBytes = layout::kTwoToneDecodeSets.recordBytes;
inline constexpr int kTwoToneDecodeSetCount = layout::kTwoToneDecodeSets.count;

inline constexpr int kFiveToneDecode = layout::kFiveToneDecodeTable.start;
inline constexpr int kFiveToneDecodeBytes = layout::kFiveToneDecodeTable.recordBytes;
inline constexpr int kFiveToneDecodeCount = layout::kFiveToneDecodeTable.count;
inline constexpr int kKeyA = layout::fields::kKeysA.place.offset;
inline constexpr int kKeyB = layout::fields::kKeysB.place.offset;
inline constexpr int kKeyOption = layout::fields::kKeysOption.place.offset;
inline constexpr int kFiveToneEncode = layout::kFiveToneEncodeTable.start;
inline constexpr int kFiveToneEncodeBytes = layout::kFiveToneEncodeTable.recordBytes;
inline constexpr int kFiveToneEncodeCount = layout::kFiveToneEncodeTable.count;

inline constexpr int kTwoToneEncode = layout::kTwoToneEncodeTable.start;
inline constexpr int kTwoToneEncodeBytes = layout::kTwoToneEncodeTable.recordBytes;
inline constexpr int kTwoToneEncodeCount = layout::kTwoToneEncodeTable.count;

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
