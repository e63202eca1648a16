// Named addresses and regions of the 4096-byte radio memory, and the block layout of a
// radio transfer. Record addresses are region start + index x record size.
#pragma once

#include <vector>

namespace vgr47::mem {

inline constexpr int kImageBytes = 4096;
inline constexpr int kBasicImageBytes = 1856;
inline constexpr int kBlockBytes = 16;

// Channel records: 1..99, then A and B.
inline constexpr int kChannels = 0x0000;
inline constexpr int kChannelRecordBytes = 16;
inline constexpr int kChannelCount = 99;
inline constexpr int kChannelA = 0x0630;
inline constexpr int kChannelB = 0x0640;
inline constexpr int kChannelsEnd = 0x0650;

inline constexpr int kIdentity = 0x0650;
inline constexpr int kIdentityBytes = 8;
inline constexpr int kScanTimes = 0x0658;
inline constexpr int kScanFunction = 0x0659;
inline constexpr int kScanPriority = 0x065A;
inline constexpr int kOption065B = 0x065B;
inline constexpr int kOption065C = 0x065C;
inline constexpr int kOption065D = 0x065D;
inline constexpr int kOption065E = 0x065E;
inline constexpr int kOption065F = 0x065F;
inline constexpr int kOption0660 = 0x0660;
inline constexpr int kOption0661 = 0x0661;
inline constexpr int kVersionStamp = 0x0662;
inline constexpr int kSignallingHold = 0x0670;

inline constexpr int kTestFrequencies = 0x0700;
inline constexpr int kTestFrequencyRecordBytes = 8;
inline constexpr int kTestFrequencyCount = 8;
inline constexpr int kFirstRegionLast = 0x073F;
inline constexpr int kTuningArea = 0x0740;
inline constexpr int kTuningAreaLast = 0x077F;
inline constexpr int kTuningAreaBytes = 64;
inline constexpr int kSecondRegion = 0x0800;

inline constexpr int kChannelExtensions = 0x0800;
inline constexpr int kChannelExtensionBytes = 8;

inline constexpr int kTwoToneOptions = 0x0B18;
inline constexpr int kTwoTone0B19 = 0x0B19;
inline constexpr int kTwoTone0B1A = 0x0B1A;
inline constexpr int kTwoTone0B1B = 0x0B1B;
inline constexpr int kTwoTone0B1C = 0x0B1C;
inline constexpr int kTwoToneDecodeSets = 0x0B20;
inline constexpr int kTwoToneDecodeSetBytes = 16;
inline constexpr int kTwoToneDecodeSetCount = 4;

inline constexpr int kFiveToneDecode = 0x0B60;
inline constexpr int kFiveToneDecodeBytes = 16;
inline constexpr int kFiveToneDecodeCount = 8;
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
inline constexpr int kKeyA = 0x0BFC;
inline constexpr int kKeyB = 0x0BFD;
inline constexpr int kKeyOption = 0x0BFE;
inline constexpr int kFiveToneEncode = 0x0C00;
inline constexpr int kFiveToneEncodeBytes = 16;
inline constexpr int kFiveToneEncodeCount = 32;

inline constexpr int kTwoToneEncode = 0x0E00;
inline constexpr int kTwoToneEncodeBytes = 4;
inline constexpr int kTwoToneEncodeCount = 32;

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
inline constexpr int kAcsList = 0x0E90;
inline constexpr int kAcsListCount = 8;
inline constexpr int kAcsCycles = 0x0E98;
inline constexpr int kAcsTimes = 0x0E99;
inline constexpr int kDtmfKillCode = 0x0EF0;
inline constexpr int kDtmfKillCodeBytes = 10;
inline constexpr int kDtmfCodes = 0x0F00;
inline constexpr int kDtmfDigitCodes = 0x0F80;
inline constexpr int kDtmfCodeBytes = 16;
inline constexpr int kDtmfCodeCount = 8;

struct Region {
    int start;
    int size;
    const char* content;
};

// The regions of the memory, in address order.
const std::vector<Region>& Regions();

// Record address helpers for the tables above.
int ChannelRecordAddress(int channel);  // 1..99, 100 = A, 101 = B
int ChannelExtensionAddress(int channel);  // 1..99

// The block addresses a read or write moves, in order: 116 blocks for a basic model,
// 244 for a signalling model. The tuning area is never part of a transfer.
std::vector<int> TransferBlocks(bool signalling);

}  // namespace vgr47::mem
