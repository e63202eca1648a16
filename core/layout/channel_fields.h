// The channel records (0x0000, 16 bytes each: channels 1 to 99, then A and B) and the channel
// extension records of the signalling models (0x0800, 8 bytes each, channels 1 to 99).
// One line per field: X(constant, name, owner, place, shape, models, share); see fields.h.
//
// Byte 12 (flags A) is laid out differently on basic and signalling models; bytes 13 and 14
// hold the signalling settings and are FF on basic models. A record is empty when its receive
// frequency is FFFFFFFF or 00000000, or when byte 15 is none of B4, B5 and FF.
#pragma once

// clang-format off
#define VGR47_CHANNEL_FIELDS(X) \
    X(kChannelRxFrequency,   "channel.rx_frequency",   Channel, In(kChannelRecords, 0),  Frequency(),    All,        Own) \
    X(kChannelTxFrequency,   "channel.tx_frequency",   Channel, In(kChannelRecords, 4),  Frequency(),    All,        Own) \
    X(kChannelDecodeTone,    "channel.decode_tone",    Channel, In(kChannelRecords, 8),  Tone(),         All,        Own) \
    X(kChannelEncodeTone,    "channel.encode_tone",    Channel, In(kChannelRecords, 10), Tone(),         All,        Own) \
    /* flags A, basic models */ \
    X(kChannelBusyLock,      "channel.busy_lock",      Channel, In(kChannelRecords, 12), InvertedBit(0), Basic,      Own) \
    X(kChannelWide,          "channel.wide",           Channel, In(kChannelRecords, 12), Bit(1),         Basic,      Own) \
    X(kChannelBasicFlagsFill, "channel.basic_flags_fill", Channel, In(kChannelRecords, 12), FillBits(4, 4), Basic, Own) \
    /* flags A, signalling models: bandwidth 01 = wide, anything else narrow */ \
    X(kChannelBandwidth,     "channel.bandwidth",      Channel, In(kChannelRecords, 12), Bits(0, 2),     Signalling, Own) \
    X(kChannelBusyLockMode,  "channel.busy_lock_mode", Channel, In(kChannelRecords, 12), Bits(4, 2),     Signalling, Own) \
    X(kChannelRelationAnd,   "channel.relation_and",   Channel, In(kChannelRecords, 12), Bit(6),         Signalling, Own) \
    X(kChannelFlagsAFill,    "channel.flags_a_fill",   Channel, In(kChannelRecords, 12), FillBits(7, 1), Signalling, Own) \
    /* flags A, every model */ \
    X(kChannelCompander,     "channel.compander",      Channel, In(kChannelRecords, 12), InvertedBit(2), All,        Own) \
    X(kChannelTailElimination, "channel.tail_elimination", Channel, In(kChannelRecords, 12), Bit(3),     All,        Own) \
    /* flags B and the optional signalling, signalling models */ \
    X(kChannelPttIdMode,     "channel.ptt_id_mode",    Channel, In(kChannelRecords, 13), Bits(0, 2),     Signalling, Own) \
    X(kChannelPttIdType,     "channel.ptt_id_type",    Channel, In(kChannelRecords, 13), Bits(2, 3),     Signalling, Own) \
    X(kChannelTxWithoutDecode, "channel.tx_without_decode", Channel, In(kChannelRecords, 13), Bit(5),   Signalling, Own) \
    X(kChannelFlagsBFill,    "channel.flags_b_fill",   Channel, In(kChannelRecords, 13), FillBits(6, 1), Signalling, Own) \
    X(kChannelSignallingSwitchable, "channel.signalling_switchable", Channel, In(kChannelRecords, 13), Bit(7), Signalling, Own) \
    /* 0 none, 1..8 5-tone decode, 9..12 2-tone decode, 13..28 DTMF decode */ \
    X(kChannelOptionalSignalling, "channel.optional_signalling", Channel, In(kChannelRecords, 14), Byte(), Signalling, Own) \
    X(kChannelBasicFill,     "channel.basic_fill",     Channel, In(kChannelRecords, 13), FillBytes(2),   Basic,      Own) \
    /* B5 in the scan list, B4 not (FF is read as not) */ \
    X(kChannelScan,          "channel.scan",           Channel, In(kChannelRecords, 15), Byte(),         All,        Own) \
    /* extension records: 0 none, else the number of a transmit code or a DTMF memory */ \
    X(kChannelTxStartCode,   "channel.tx_start_code",  Channel, In(kChannelExtensions, 0), Byte(),       Signalling, Own) \
    X(kChannelTxEndCode,     "channel.tx_end_code",    Channel, In(kChannelExtensions, 1), Byte(),       Signalling, Own) \
    X(kChannelCall1Code,     "channel.call1_code",     Channel, In(kChannelExtensions, 2), Byte(),       Signalling, Own) \
    X(kChannelCall2Code,     "channel.call2_code",     Channel, In(kChannelExtensions, 3), Byte(),       Signalling, Own) \
    X(kChannelExtensionFill, "channel.extension_fill", Channel, In(kChannelExtensions, 4), FillBytes(4), Signalling, Own)
// clang-format on
