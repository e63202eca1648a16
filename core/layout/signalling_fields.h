// The signalling settings above the channel extensions (0x0B18 to 0x0FFF): 2-tone, 5-tone,
// side keys, DTMF and auto channel select. Only a signalling radio's transfer carries them.
// One line per field: X(constant, name, owner, place, shape, models, share); see fields.h.
//
// Durations and times are list indexes or plain numbers as the forms show them; tone
// frequencies of the 2-tone tables are tenths of a hertz.
#pragma once

// clang-format off
#define VGR47_TWO_TONE_FIELDS(X) \
    X(kTwoToneSideTone,      "twotone.side_tone",      TwoTone, At(0x0B18), Bit(0),          Signalling, Own) \
    X(kTwoToneSingleTone,    "twotone.single_tone",    TwoTone, At(0x0B18), Bit(1),          Signalling, Own) \
    /* tenths of a second */ \
    X(kTwoToneFirstDuration, "twotone.first_duration", TwoTone, At(0x0B19), Byte(),          Signalling, Own) \
    X(kTwoToneSecondDuration, "twotone.second_duration", TwoTone, At(0x0B1A), Byte(),        Signalling, Own) \
    X(kTwoToneLongDuration,  "twotone.long_duration",  TwoTone, At(0x0B1B), Byte(),          Signalling, Own) \
    /* milliseconds */ \
    X(kTwoToneGap,           "twotone.gap",            TwoTone, At(0x0B1C), Le16(),          Signalling, Own) \
    /* decoder sets: combination codes 0..14 (FF = none for the second) */ \
    X(kTwoToneSetFirst,      "twotone.decode.first",  TwoTone, In(kTwoToneDecodeSets, 0),  Byte(),  Signalling, Own) \
    X(kTwoToneSetSecond,     "twotone.decode.second", TwoTone, In(kTwoToneDecodeSets, 1),  Byte(),  Signalling, Own) \
    X(kTwoToneSetToneA,      "twotone.decode.tone_a", TwoTone, In(kTwoToneDecodeSets, 2),  Le16(),  Signalling, Own) \
    X(kTwoToneSetToneB,      "twotone.decode.tone_b", TwoTone, In(kTwoToneDecodeSets, 4),  Le16(),  Signalling, Own) \
    X(kTwoToneSetToneC,      "twotone.decode.tone_c", TwoTone, In(kTwoToneDecodeSets, 6),  Le16(),  Signalling, Own) \
    X(kTwoToneSetToneD,      "twotone.decode.tone_d", TwoTone, In(kTwoToneDecodeSets, 8),  Le16(),  Signalling, Own) \
    /* seconds, 0 = none */ \
    X(kTwoToneSetAutoReset,  "twotone.decode.auto_reset", TwoTone, In(kTwoToneDecodeSets, 10), Le16(), Signalling, Own) \
    X(kTwoToneSetCallAlert,  "twotone.decode.call_alert", TwoTone, In(kTwoToneDecodeSets, 12), Bits(0, 2), Signalling, Own) \
    X(kTwoToneSetAutoAnswer, "twotone.decode.auto_answer", TwoTone, In(kTwoToneDecodeSets, 12), Bits(2, 2), Signalling, Own) \
    X(kTwoToneSetFlagsFill,  "twotone.decode.flags_fill", TwoTone, In(kTwoToneDecodeSets, 12), FillBits(4, 4), Signalling, Own) \
    X(kTwoToneSetFill,       "twotone.decode.fill",   TwoTone, In(kTwoToneDecodeSets, 13), FillBytes(3), Signalling, Own) \
    /* encode table: FFFF (or 0000 when read) = empty */ \
    X(kTwoToneEncodeFirstTone, "twotone.encode.first_tone", TwoTone, In(kTwoToneEncodeTable, 0), Le16(), Signalling, Own) \
    X(kTwoToneEncodeSecondTone, "twotone.encode.second_tone", TwoTone, In(kTwoToneEncodeTable, 2), Le16(), Signalling, Own)

// The 5-tone system parameters (0x0BE0) and the encode/decode settings and tables.
// A frame is up to 8 hex digits, the earlier digit in the low nibble, padded with F; its digit
// count is F when the frame is empty. The packing is the 5-tone form's own code.
#define VGR47_FIVE_TONE_FIELDS(X) \
    X(kFiveToneStandard,     "fivetone.standard",      FiveToneSystem, At(0x0BE0), Byte(),   Signalling, Own) \
    X(kFiveToneTonePeriod,   "fivetone.tone_period",   FiveToneSystem, At(0x0BE1), Byte(),   Signalling, Own) \
    X(kFiveToneRxInterval,   "fivetone.rx_interval",   FiveToneSystem, At(0x0BE2), Le16(),   Signalling, Own) \
    /* digit 0..13, FF = none */ \
    X(kFiveToneGroupCall,    "fivetone.group_call",    FiveToneSystem, At(0x0BE4), Byte(),   Signalling, Own) \
    X(kFiveToneMinDecode,    "fivetone.min_decode",    FiveToneSystem, At(0x0BE5), Le16(),   Signalling, Own) \
    X(kFiveToneMaxDecode,    "fivetone.max_decode",    FiveToneSystem, At(0x0BE7), Le16(),   Signalling, Own) \
    /* milliseconds */ \
    X(kFiveToneDelay1,       "fivetone.delay1",        FiveTone, At(0x0BEA), Le16(),         Signalling, Own) \
    X(kFiveToneDelay2,       "fivetone.delay2",        FiveTone, At(0x0BEC), Le16(),         Signalling, Own) \
    X(kFiveToneDelay3,       "fivetone.delay3",        FiveTone, At(0x0BEE), Le16(),         Signalling, Own) \
    X(kFiveToneEndDelay,     "fivetone.end_delay",     FiveTone, At(0x0BF0), Le16(),         Signalling, Own) \
    X(kFiveToneFirstDigit,   "fivetone.first_digit",   FiveTone, At(0x0BF2), Le16(),         Signalling, Own) \
    /* digit 0..E, F = none */ \
    X(kFiveToneDelay2Code,   "fivetone.delay2_code",   FiveTone, At(0x0BF4), LowNibble(),    Signalling, Own) \
    X(kFiveToneDelay3Code,   "fivetone.delay3_code",   FiveTone, At(0x0BF4), HighNibble(),   Signalling, Own) \
    X(kFiveToneClearAutoAnswer, "fivetone.clear_auto_answer", FiveTone, At(0x0BF6), Bit(0),  Signalling, Own) \
    X(kFiveToneSideTone,     "fivetone.side_tone",     FiveTone, At(0x0BF6), Bit(1),         Signalling, Own) \
    /* tens of milliseconds */ \
    X(kFiveToneWaitTime,     "fivetone.wait_time",     FiveTone, At(0x0BF7), Byte(),         Signalling, Own) \
    /* one bit set: bit n = decode number n + 1 */ \
    X(kFiveToneDecodeNumber, "fivetone.decode_number", FiveTone, At(0x0BF8), Byte(),         Signalling, Own) \
    X(kFiveToneAutoReset,    "fivetone.auto_reset",    FiveTone, At(0x0BFA), Le16(),         Signalling, Own) \
    X(kFiveToneEncodeFrame1, "fivetone.encode.frame1", FiveTone, In(kFiveToneEncodeTable, 0),  Raw(4),       Signalling, Own) \
    X(kFiveToneEncodeFrame2, "fivetone.encode.frame2", FiveTone, In(kFiveToneEncodeTable, 4),  Raw(4),       Signalling, Own) \
    X(kFiveToneEncodeFrame3, "fivetone.encode.frame3", FiveTone, In(kFiveToneEncodeTable, 8),  Raw(4),       Signalling, Own) \
    X(kFiveToneEncodeDigits1, "fivetone.encode.digits1", FiveTone, In(kFiveToneEncodeTable, 12), LowNibble(), Signalling, Own) \
    X(kFiveToneEncodeDigits2, "fivetone.encode.digits2", FiveTone, In(kFiveToneEncodeTable, 12), HighNibble(), Signalling, Own) \
    X(kFiveToneEncodeDigits3, "fivetone.encode.digits3", FiveTone, In(kFiveToneEncodeTable, 13), LowNibble(), Signalling, Own) \
    X(kFiveToneEncodeFlag1,  "fivetone.encode.flag1",  FiveTone, In(kFiveToneEncodeTable, 13), Bit(4),       Signalling, Own) \
    X(kFiveToneEncodeFlag2,  "fivetone.encode.flag2",  FiveTone, In(kFiveToneEncodeTable, 13), Bit(5),       Signalling, Own) \
    X(kFiveToneEncodeFlag3,  "fivetone.encode.flag3",  FiveTone, In(kFiveToneEncodeTable, 13), Bit(6),       Signalling, Own) \
    X(kFiveToneEncodeFlagsFill, "fivetone.encode.flags_fill", FiveTone, In(kFiveToneEncodeTable, 13), FillBits(7, 1), Signalling, Own) \
    X(kFiveToneEncodeFill,   "fivetone.encode.fill",   FiveTone, In(kFiveToneEncodeTable, 14), FillBytes(2), Signalling, Own) \
    X(kFiveToneDecodeFrame1, "fivetone.decode.frame1", FiveTone, In(kFiveToneDecodeTable, 0),  Raw(4),       Signalling, Own) \
    X(kFiveToneDecodeFrame2, "fivetone.decode.frame2", FiveTone, In(kFiveToneDecodeTable, 4),  Raw(4),       Signalling, Own) \
    X(kFiveToneDecodeFrame3, "fivetone.decode.frame3", FiveTone, In(kFiveToneDecodeTable, 8),  Raw(4),       Signalling, Own) \
    X(kFiveToneDecodeDigits1, "fivetone.decode.digits1", FiveTone, In(kFiveToneDecodeTable, 12), LowNibble(), Signalling, Own) \
    X(kFiveToneDecodeDigits2, "fivetone.decode.digits2", FiveTone, In(kFiveToneDecodeTable, 12), HighNibble(), Signalling, Own) \
    X(kFiveToneDecodeDigits3, "fivetone.decode.digits3", FiveTone, In(kFiveToneDecodeTable, 13), LowNibble(), Signalling, Own) \
    X(kFiveToneDecodeDigitsFill, "fivetone.decode.digits_fill", FiveTone, In(kFiveToneDecodeTable, 13), FillBits(4, 4), Signalling, Own) \
    /* 0 none, 1 and 2 the two alerts */ \
    X(kFiveToneDecodeCallAlert, "fivetone.decode.call_alert", FiveTone, In(kFiveToneDecodeTable, 14), Byte(), Signalling, Own) \
    /* 0 none, n = answer with encode entry n */ \
    X(kFiveToneDecodeAutoAnswer, "fivetone.decode.auto_answer", FiveTone, In(kFiveToneDecodeTable, 15), Byte(), Signalling, Own)

// The side keys (the monitor key is in settings_fields.h), DTMF and auto channel select.
#define VGR47_KEY_DTMF_ACS_FIELDS(X) \
    /* function codes 0, 1, 3, 4, 5 (2 and FF read as 1 and 0) */ \
    X(kKeysA,                "keys.a",                 Keys,    At(0x0BFC), Byte(),          Signalling, Own) \
    X(kKeysB,                "keys.b",                 Keys,    At(0x0BFD), Byte(),          Signalling, Own) \
    /* carried through by a check box the form never shows: 01 or 00 */ \
    X(kKeysOption,           "keys.option",            Keys,    At(0x0BFE), Byte(),          Signalling, Own) \
    X(kDtmfRate,             "dtmf.rate",              Dtmf,    At(0x0E80), Byte(),          Signalling, Own) \
    X(kDtmfFirstDigitTime,   "dtmf.first_digit_time",  Dtmf,    At(0x0E81), Byte(),          Signalling, Own) \
    /* list index + 1 */ \
    X(kDtmfFirstDigitDelay,  "dtmf.first_digit_delay", Dtmf,    At(0x0E82), Byte(),          Signalling, Own) \
    X(kDtmfStarHashTone,     "dtmf.star_hash_tone",    Dtmf,    At(0x0E83), Byte(),          Signalling, Own) \
    X(kDtmfDKey,             "dtmf.d_key",             Dtmf,    At(0x0E84), Byte(),          Signalling, Own) \
    /* 1 = on, 0 = off */ \
    X(kDtmfSideTone,         "dtmf.side_tone",         Dtmf,    At(0x0E85), Byte(),          Signalling, Own) \
    /* the ASCII code of A, B, C, D, * or #; FF = none */ \
    X(kDtmfGroupCall,        "dtmf.group_call",        Dtmf,    At(0x0E86), Byte(),          Signalling, Own) \
    X(kDtmfAutoReset,        "dtmf.auto_reset",        Dtmf,    At(0x0E87), Byte(),          Signalling, Own) \
    X(kDtmfCallAlert,        "dtmf.call_alert",        Dtmf,    At(0x0E88), Byte(),          Signalling, Own) \
    X(kDtmfAutoAnswer,       "dtmf.auto_answer",       Dtmf,    At(0x0E89), Byte(),          Signalling, Own) \
    /* 1 = on, 0 = off */ \
    X(kDtmfClearAutoAnswer,  "dtmf.clear_auto_answer", Dtmf,    At(0x0E8A), Byte(),          Signalling, Own) \
    /* channel numbers 1..99, FF = free */ \
    X(kAcsChannel,           "acs.channel",            Acs,     In(kAcsList, 0), Byte(),     Signalling, AlsoWritten) \
    /* cycle count 2..5 */ \
    X(kAcsCycles,            "acs.cycles",             Acs,     At(0x0E98), Byte(),          Signalling, Own) \
    X(kAcsTxTime,            "acs.tx_time",            Acs,     At(0x0E99), LowNibble(),     Signalling, Own) \
    X(kAcsRxTime,            "acs.rx_time",            Acs,     At(0x0E99), HighNibble(),    Signalling, Own) \
    X(kDtmfKillCode,         "dtmf.kill_code",         Dtmf,    At(0x0EF0), Text(10),        Signalling, Own) \
    /* the DTMF memories */ \
    X(kDtmfCode,             "dtmf.code",              Dtmf,    In(kDtmfCodeTable, 0), Text(16),      Signalling, Own) \
    /* the DTMF decode entries */ \
    X(kDtmfDigitCode,        "dtmf.digit_code",        Dtmf,    In(kDtmfDigitCodeTable, 0), Text(16), Signalling, Own)
// clang-format on
