// The general settings between the channel records and the tuning area (0x0650 to 0x073F):
// identity, scan, optional features, monitor key, version stamp and test frequencies.
// One line per field: X(constant, name, owner, place, shape, models, share); see fields.h.
//
// 0x065B holds the optional features and, in bits 4..3, the monitor key; 0x0660 holds optional
// features and, in bits 2..1, the scan form's power-on scan option. Each form keeps the other
// form's bits, so their fields are declared SharedByte.
#pragma once

// clang-format off
#define VGR47_SETTINGS_FIELDS(X) \
    X(kModelIdentity,        "model.identity",         Model,   At(0x0650), Raw(8),          All,        Own) \
    /* scan: list indexes (pause and dwell 0..9 for 0.5 .. 5.0 s); function 11, 01, 10 */ \
    X(kScanTxPause,          "scan.tx_pause",          Scan,    At(0x0658), LowNibble(),     All,        Own) \
    X(kScanDwell,            "scan.dwell",             Scan,    At(0x0658), HighNibble(),    All,        Own) \
    X(kScanFunction,         "scan.function",          Scan,    At(0x0659), Bits(0, 2),      All,        Own) \
    X(kScanRevert,           "scan.revert",            Scan,    At(0x0659), Bits(2, 3),      All,        Own) \
    /* channel number 1..99, 100 = A, 101 = B; 00 = none */ \
    X(kScanPriority,         "scan.priority",          Scan,    At(0x065A), Byte(),          All,        AlsoWritten) \
    X(kOptionsKeyLock,       "options.key_lock",       Options, At(0x065B), Bit(0),          All,        SharedByte) \
    X(kOptionsPower,         "options.power",          Options, At(0x065B), Bits(1, 2),      All,        SharedByte) \
    X(kKeysMonitor,          "keys.monitor",           Keys,    At(0x065B), Bits(3, 2),      All,        SharedByte) \
    X(kOptionsUserSettings,  "options.user_settings",  Options, At(0x065B), Bit(5),          All,        SharedByte) \
    X(kOptionsDisableManualTuning, "options.disable_manual_tuning", Options, At(0x065B), Bit(6), All,   SharedByte) \
    X(kOptionsDisableSelfProgramming, "options.disable_self_programming", Options, At(0x065B), Bit(7), All, SharedByte) \
    /* squelch is read as a decimal number (0A reads as 0), written as its index */ \
    X(kOptionsSquelch,       "options.squelch",        Options, At(0x065C), Byte(),          All,        Own) \
    X(kOptionsTot,           "options.tot",            Options, At(0x065D), Byte(),          All,        Own) \
    X(kOptionsTotRekey,      "options.tot_rekey",      Options, At(0x065E), Byte(),          All,        Own) \
    X(kOptionsTotReset,      "options.tot_reset",      Options, At(0x065F), LowNibble(),     All,        Own) \
    X(kOptionsTotPrealert,   "options.tot_prealert",   Options, At(0x065F), HighNibble(),    All,        Own) \
    X(kOptionsPowerOn,       "options.power_on",       Options, At(0x0660), Bit(0),          All,        SharedByte) \
    /* 11 = off, 01 = scan at power-on */ \
    X(kScanPowerOnScan,      "scan.power_on_scan",     Scan,    At(0x0660), Bits(1, 2),      All,        SharedByte) \
    /* 00 off, 01 and 11 the two PTT modes */ \
    X(kOptionsPttMode,       "options.ptt_mode",       Options, At(0x0660), Bits(4, 2),      Signalling, SharedByte) \
    X(kOptionsAutoAnswerDelay, "options.auto_answer_delay", Options, At(0x0661), Byte(),     Signalling, Own) \
    /* the saving program's version as 4 decimal digits: 05 05 for 5.05 */ \
    X(kFileVersionStamp,     "file.version_stamp",     DataFile, At(0x0662), Raw(2),         All,        Own) \
    /* in steps of 50 ms */ \
    X(kScanSignallingHold,   "scan.signalling_hold",   Scan,    At(0x0670), Byte(),          Signalling, Own) \
    /* a record of all FF is an empty pair */ \
    X(kTestFrequencyRx,      "testfreq.rx",            TestFrequencies, In(kTestFrequencyTable, 0), Frequency(), All, Own) \
    X(kTestFrequencyTx,      "testfreq.tx",            TestFrequencies, In(kTestFrequencyTable, 4), Frequency(), All, Own)
// clang-format on
