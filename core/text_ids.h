// Text numbers of the text catalogue (resources/language.sys).
//
// Every caption, label, list word and message of the program is looked up by one of
// these numbers; forms and dialogs use the names, never bare numbers. The catalogue
// holds each text twice, at 100000 + number (Chinese) and 200000 + number (English).
// A text with a quoted value in the file keeps a blank the program relies on when it
// joins the text to another (kTextDecode, kTextToneLabel, kTextDigitCodeSuffix).
#pragma once

namespace vgr47 {

// Menu items
inline constexpr int kTextMenuFile = 1;
inline constexpr int kTextMenuNew = 2;
inline constexpr int kTextMenuOpen = 3;
inline constexpr int kTextMenuSave = 4;
inline constexpr int kTextMenuSaveAs = 5;
inline constexpr int kTextMenuExit = 6;
inline constexpr int kTextMenuSettings = 7;
inline constexpr int kTextMenuPort = 8;
inline constexpr int kTextMenuEdit = 9;
inline constexpr int kTextMenuTestFrequency = 10;
inline constexpr int kTextMenuTools = 11;
inline constexpr int kTextMenuReadData = 12;
inline constexpr int kTextMenuWriteData = 13;
inline constexpr int kTextMenuTestMode = 14;
inline constexpr int kTextMenuHelp = 16;
inline constexpr int kTextMenuHelpTopics = 17;
inline constexpr int kTextMenuAbout = 18;
inline constexpr int kTextMenuFiveTone = 19;
inline constexpr int kTextMenuTwoTone = 20;
inline constexpr int kTextMenuFiveToneSystem = 21;
inline constexpr int kTextMenuFiveToneEnDecode = 22;
inline constexpr int kTextMenuKeySettings = 23;
inline constexpr int kTextMenuDtmf = 24;
inline constexpr int kTextMenuAutoChannelSelect = 25;
inline constexpr int kTextMenuModel = 26;
inline constexpr int kTextMenuModelInformation = 27;
inline constexpr int kTextMenuOptionalFeatures = 28;
inline constexpr int kTextMenuScan = 29;
inline constexpr int kTextMenuAutoChannelSelectDealer = 30;
inline constexpr int kTextMenuRadioInformation = 31;

// Toolbar tooltips
inline constexpr int kTextToolNew = 1001;
inline constexpr int kTextToolOpen = 1002;
inline constexpr int kTextToolSave = 1003;
inline constexpr int kTextToolReadData = 1004;
inline constexpr int kTextToolWriteData = 1005;
inline constexpr int kTextToolHelpTopics = 1006;
inline constexpr int kTextToolExit = 1007;

// File and start-up messages
inline constexpr int kTextStartupFileUnreadable = 2001;
inline constexpr int kTextSaveRadioDataQuestion = 2002;
inline constexpr int kTextSaveChangesQuestion = 2004;
inline constexpr int kTextFileOpenFailed = 2011;
inline constexpr int kTextDataFileType = 2013;
inline constexpr int kTextFileWriteFailed = 2014;
inline constexpr int kTextNotACodeplug = 2015;

// Radio dialogs: read, write, port settings, tuning
inline constexpr int kTextAutoClose = 3003;
inline constexpr int kTextReadButton = 3004;
inline constexpr int kTextWriteButton = 3005;
inline constexpr int kTextTransferError = 3006;
inline constexpr int kTextPortSettingsTitle = 3008;
inline constexpr int kTextCommFailed = 3009;
inline constexpr int kTextPortOpenFailed = 3012;
inline constexpr int kTextRadioRefusedData = 3013;
inline constexpr int kTextReadTitle = 3017;
inline constexpr int kTextWriteTitle = 3018;
inline constexpr int kTextModelMismatchQuestion = 3019;
inline constexpr int kTextTuningPortOpenFailed = 3020;
// Asked before a write is stopped part-way.
inline constexpr int kTextStopWriteQuestion = 3021;

// Model information form
inline constexpr int kTextModelLabel = 4001;

// Key settings
inline constexpr int kTextKeySettingsTitle = 4003;
inline constexpr int kTextMonitorKey = 4004;

// Optional features
inline constexpr int kTextOptionalFeaturesTitle = 4005;
inline constexpr int kTextTimeOutTimer = 4006;
inline constexpr int kTextTotPreAlert = 4007;
inline constexpr int kTextTotRekeyTime = 4008;
inline constexpr int kTextTotResetTime = 4009;
inline constexpr int kTextSquelchLevel = 4010;

// Channel editor: bandwidth column
inline constexpr int kTextBandwidth = 4011;

// Optional features
inline constexpr int kTextPower = 4012;

// Scan
inline constexpr int kTextScanType = 4014;
inline constexpr int kTextPriorityChannel = 4015;
inline constexpr int kTextRevertChannel = 4016;
inline constexpr int kTextTxPauseTime = 4017;
inline constexpr int kTextDwellTime = 4018;

// Channel editor: grid column headers
inline constexpr int kTextChannel = 4019;
inline constexpr int kTextRxFrequency = 4020;
inline constexpr int kTextTxFrequency = 4021;
inline constexpr int kTextRxTone = 4022;
inline constexpr int kTextTxTone = 4023;
inline constexpr int kTextBusyLockColumn = 4024;
inline constexpr int kTextCompander = 4025;
inline constexpr int kTextScan = 4026;

// Key settings: monitor key functions
inline constexpr int kTextMonitorMomentary = 4031;
inline constexpr int kTextMonitorLatched = 4032;
inline constexpr int kTextSquelchOff = 4033;

// Scan: scan types and revert channels
inline constexpr int kTextScanCarrierOperated = 4039;
inline constexpr int kTextScanTimeOperated = 4040;
inline constexpr int kTextRevertSelected = 4041;
inline constexpr int kTextRevertSelectedTalkback = 4042;
inline constexpr int kTextRevertLastCalled = 4043;
inline constexpr int kTextRevertLastUsed = 4044;
inline constexpr int kTextRevertPriority = 4045;
inline constexpr int kTextRevertPriorityTalkback = 4046;

// Channel editor: bandwidth
inline constexpr int kTextWide = 4047;
inline constexpr int kTextNarrow = 4048;

// Model change
inline constexpr int kTextChangeModelQuestion = 4051;

// Optional features: switches
inline constexpr int kTextKeyLock = 4052;
inline constexpr int kTextDisableSelfProgramming = 4053;
inline constexpr int kTextDisableManualTuning = 4054;
inline constexpr int kTextUserSettings = 4055;

// Key settings: side keys
inline constexpr int kTextKeyA = 4056;
inline constexpr int kTextKeyB = 4057;
inline constexpr int kTextKeyCall1 = 4058;
inline constexpr int kTextKeyCall2 = 4059;
inline constexpr int kTextKeyScanOnOff = 4060;
inline constexpr int kTextKeyPowerHighLow = 4061;
inline constexpr int kTextKeySignallingOnOff = 4062;

// Channel form
inline constexpr int kTextChannelFormTitle = 4063;

// Scan and optional features: power-on scan
inline constexpr int kTextPowerOnScanOption = 4064;

// Optional features: delays, power-on and PTT
inline constexpr int kTextAutoAnswerDelay = 4067;
inline constexpr int kTextPowerOn = 4068;
inline constexpr int kTextScanAtPowerOn = 4069;
inline constexpr int kTextPttMode = 4070;
inline constexpr int kTextPttPressAndHold = 4071;
inline constexpr int kTextPttToggle = 4072;

// Key settings: hidden option
inline constexpr int kTextKeyOption = 4073;

// Channel editor: channel dialog
inline constexpr int kTextRxFrequencyLabel = 4101;
inline constexpr int kTextTxFrequencyLabel = 4102;
inline constexpr int kTextRxToneLabel = 4103;
inline constexpr int kTextTxToneLabel = 4104;
inline constexpr int kTextBusyLock = 4105;
inline constexpr int kTextChannelOn = 4108;
inline constexpr int kTextTxOn = 4109;
inline constexpr int kTextSaveAsDefault = 4110;
inline constexpr int kTextDeleteAllChannels = 4111;
inline constexpr int kTextChannelDialogTitle = 4112;
inline constexpr int kTextDeleteAllChannelsQuestion = 4113;
inline constexpr int kTextTailElimination = 4114;
inline constexpr int kTextSignallingRelation = 4115;
inline constexpr int kTextAnd = 4116;
inline constexpr int kTextOr = 4117;
inline constexpr int kTextBusyLockCarrier = 4118;
inline constexpr int kTextOptionalSignalling = 4119;
inline constexpr int kTextPttIdType = 4120;
inline constexpr int kTextPttIdMode = 4121;
inline constexpr int kTextFiveTone = 4122;
inline constexpr int kTextTwoTone = 4123;
inline constexpr int kTextTxStart = 4128;
inline constexpr int kTextTxEnd = 4129;
inline constexpr int kTextTxStartAndEnd = 4130;
inline constexpr int kTextCall1 = 4131;
inline constexpr int kTextCall2 = 4132;
inline constexpr int kTextTxWithoutDecode = 4133;
inline constexpr int kTextReservedColumn = 4134;
inline constexpr int kTextSignallingSwitchable = 4135;

// 5-Tone system parameters
inline constexpr int kTextFiveToneSystemTitle = 4401;
inline constexpr int kTextFiveToneStandard = 4402;
inline constexpr int kTextTonePeriod = 4403;
inline constexpr int kTextReceiveInterval = 4404;
inline constexpr int kTextFiveToneGroupCall = 4405;
inline constexpr int kTextEncodePauseTime = 4406;
inline constexpr int kTextMinDecodeTime = 4407;
inline constexpr int kTextMaxDecodeTime = 4408;

// Signalling editors: DTMF, 2-Tone and 5-Tone encode/decode
inline constexpr int kTextEnDecodeTitle = 4500;
inline constexpr int kTextEncode = 4501;
inline constexpr int kTextDecode = 4502;
inline constexpr int kTextDelay1 = 4503;
inline constexpr int kTextDelay2 = 4504;
inline constexpr int kTextDelay3 = 4505;
inline constexpr int kTextEndDelay = 4506;
inline constexpr int kTextFirstDigitLength = 4508;
inline constexpr int kTextDelay3Code = 4509;
inline constexpr int kTextDelay2Code = 4510;
inline constexpr int kTextSideTone = 4511;
inline constexpr int kTextAutoResetTime = 4512;
inline constexpr int kTextNextDecodeWaitTime = 4514;
inline constexpr int kTextClearAutoAnswer = 4515;
inline constexpr int kTextDecodeSettings = 4516;
inline constexpr int kTextDecodeNumber = 4518;
inline constexpr int kTextEncodeCode = 4520;
inline constexpr int kTextFrameFlag = 4521;
inline constexpr int kTextFrame = 4522;
inline constexpr int kTextDecodeCode = 4523;
inline constexpr int kTextAnswerTone = 4524;
inline constexpr int kTextCallAlert = 4527;
inline constexpr int kTextFrameFlagOnOff = 4529;
inline constexpr int kTextFrameCodeBadDigit = 4530;
inline constexpr int kTextAlertTone = 4531;
inline constexpr int kTextAlertRing = 4532;
inline constexpr int kTextAutoAnswer = 4533;

// 2-Tone
inline constexpr int kTextDecodeSet = 4801;
inline constexpr int kTextFirstTone = 4802;
inline constexpr int kTextSecondTone = 4803;
inline constexpr int kTextFirstToneDuration = 4805;
inline constexpr int kTextSecondToneDuration = 4806;
inline constexpr int kTextLongToneDuration = 4807;
inline constexpr int kTextToneGap = 4808;
inline constexpr int kTextCombination = 4809;
inline constexpr int kTextToneLabel = 4810;
inline constexpr int kTextSingleTone = 4811;

// DTMF, and the model information title
inline constexpr int kTextDtmfCode = 4901;
inline constexpr int kTextDigitCode = 4902;
inline constexpr int kTextDtmf = 4903;
inline constexpr int kTextDtmfRate = 4904;
inline constexpr int kTextFirstDigitTime = 4905;
inline constexpr int kTextFirstDigitDelay = 4906;
inline constexpr int kTextStarHashTone = 4907;
inline constexpr int kTextDKeySetting = 4908;
inline constexpr int kTextDtmfSideTone = 4909;
inline constexpr int kTextDtmfGroupCall = 4910;
inline constexpr int kTextAutoResetTimer = 4911;
inline constexpr int kTextDtmfCallAlert = 4912;
inline constexpr int kTextDtmfAutoAnswer = 4913;
inline constexpr int kTextDKeySendsD = 4914;
inline constexpr int kTextKillCode = 4915;
inline constexpr int kTextDtmfAlertRing = 4918;
inline constexpr int kTextDtmfAnswerTone = 4919;
inline constexpr int kTextDigitCodeBadChar = 4920;
inline constexpr int kTextDtmfCodeBadChar = 4921;
inline constexpr int kTextModelInformationTitle = 4922;

// Test frequencies
inline constexpr int kTextTestFrequencyTitle = 5001;
inline constexpr int kTextTestRxFrequency = 5002;
inline constexpr int kTextTestTxFrequency = 5003;
inline constexpr int kTextTestFrequencyNumber = 5004;

// Auto channel select
inline constexpr int kTextAcsTitle = 5401;
inline constexpr int kTextAcsCycleCount = 5402;
inline constexpr int kTextAcsTxTime = 5403;
inline constexpr int kTextAcsRxTime = 5404;
inline constexpr int kTextAcsTitleDealer = 5405;
inline constexpr int kTextAcsCycleCountDealer = 5406;
inline constexpr int kTextAcsTxTimeDealer = 5407;
inline constexpr int kTextAcsRxTimeDealer = 5408;

// Radio information
inline constexpr int kTextFirmwareVersion = 5501;
inline constexpr int kTextSoftwareVersion = 5502;

// Scan: signalling hold time
inline constexpr int kTextSignallingHoldTime = 5701;

// 5-Tone encode/decode messages
inline constexpr int kTextFrameCodeBadLength = 6237;

// Tuning mode
inline constexpr int kTextTuneBatteryWarning = 6802;
inline constexpr int kTextTunePowerHigh = 6803;
inline constexpr int kTextTunePowerMiddle = 6804;
inline constexpr int kTextTunePowerLow = 6805;
inline constexpr int kTextTuneSquelchWide = 6806;
inline constexpr int kTextTuneSquelchNarrow = 6807;
inline constexpr int kTextTuneRxSensitivity = 6808;
inline constexpr int kTextTuneDeviationWide = 6809;
inline constexpr int kTextTuneDeviationNarrow = 6810;
inline constexpr int kTextTuneReferenceFrequency = 6811;
inline constexpr int kTextTuneCtcssDeviation = 6812;
inline constexpr int kTextTuneDcsDeviation = 6813;
inline constexpr int kTextEnterAdjust = 6816;
inline constexpr int kTextLeaveAdjust = 6817;
inline constexpr int kTextNoTuneItemSelected = 6825;
inline constexpr int kTextTuningStatusTest = 6827;
inline constexpr int kTextTuningStatusAdjust = 6828;
inline constexpr int kTextTuningStatusValue = 6829;
inline constexpr int kTextTuneDtmfDeviation = 6831;
inline constexpr int kTextTuneFiveToneDeviation = 6835;

// About box
inline constexpr int kTextAboutProduct = 7202;
inline constexpr int kTextAboutModels = 7203;
inline constexpr int kTextAboutVersion = 7204;
inline constexpr int kTextAboutRelease = 7205;
inline constexpr int kTextAboutCompany = 7206;
inline constexpr int kTextAboutEdition = 7208;

// Radio information: title and model
inline constexpr int kTextRadioInformation = 7401;

// Radio transfers: verify, backups, the dialogs' status and closing lines, port problems
inline constexpr int kTextMenuOpenBackup = 8100;
inline constexpr int kTextVerifyAfterWriting = 8101;
inline constexpr int kTextTransferCodeplug = 8102;
inline constexpr int kTextTransferRadio = 8103;
inline constexpr int kTextStatusConnecting = 8104;
inline constexpr int kTextStatusReading = 8105;
inline constexpr int kTextStatusWriting = 8106;
inline constexpr int kTextStatusVerifyPause = 8107;
inline constexpr int kTextStatusVerifying = 8108;
inline constexpr int kTextStatusEnding = 8109;
inline constexpr int kTextReadComplete = 8110;
inline constexpr int kTextWritten = 8111;
inline constexpr int kTextWrittenVerified = 8112;
inline constexpr int kTextWriteStoppedAt = 8113;
inline constexpr int kTextReadStoppedAt = 8114;
inline constexpr int kTextReadFailedAt = 8115;
inline constexpr int kTextWriteFailedAt = 8116;
inline constexpr int kTextReadFailedBeforeBlocks = 8117;
inline constexpr int kTextWriteFailedBeforeBlocks = 8118;
inline constexpr int kTextWriteModelDeclined = 8119;
inline constexpr int kTextRadioHoldsOtherData = 8120;
inline constexpr int kTextWrittenNotVerified = 8121;
inline constexpr int kTextChannelNumber = 8122;
inline constexpr int kTextWriteAlreadyComplete = 8123;
inline constexpr int kTextReadStoppedUnchanged = 8124;
inline constexpr int kTextBackupFailed = 8125;
inline constexpr int kTextBackupKept = 8126;
inline constexpr int kTextPortInUse = 8127;
inline constexpr int kTextPortMissing = 8128;
inline constexpr int kTextPortNoPermission = 8129;
inline constexpr int kTextPortDialoutHint = 8130;
inline constexpr int kTextImageUnfit = 8131;
inline constexpr int kTextWriteImageUnfit = 8132;
inline constexpr int kTextVerifyTrace = 8133;
inline constexpr int kTextDryRunComplete = 8134;
inline constexpr int kTextNoForm = 8135;
inline constexpr int kTextWriteStoppedBeforeBlocks = 8136;

// Saving and the program's own texts
inline constexpr int kTextSaveReadOnly = 8200;
inline constexpr int kTextSaveNotRegularFile = 8201;
inline constexpr int kTextBuiltInTextsNotice = 8202;

// Test mode dialog: captions
inline constexpr int kTextTestModeTitle = 8300;
inline constexpr int kTextTestPanel = 8301;
inline constexpr int kTextTestChannelLabel = 8302;
inline constexpr int kTextTestSignallingLabel = 8303;
inline constexpr int kTextTestReceive = 8304;
inline constexpr int kTextTestTransmit = 8305;
inline constexpr int kTextTestWide = 8306;
inline constexpr int kTextTestNarrow = 8307;
inline constexpr int kTextTestExit = 8308;
inline constexpr int kTextAlignmentPanel = 8309;
inline constexpr int kTextTuneButton = 8310;
inline constexpr int kTextStoreButton = 8311;
inline constexpr int kTextDiscardButton = 8312;

// Window menu, undo and redo, recent files, typed frequencies and help
inline constexpr int kTextMenuWindow = 8400;
inline constexpr int kTextMenuCascade = 8401;
inline constexpr int kTextMenuTile = 8402;
inline constexpr int kTextMenuCloseAll = 8403;
inline constexpr int kTextMenuNextWindow = 8404;
inline constexpr int kTextMenuPreviousWindow = 8405;
inline constexpr int kTextMenuUndo = 8406;
inline constexpr int kTextMenuRedo = 8407;
// "%s" in order: the typed value, the band's limits and the value used.
inline constexpr int kTextFrequencyClamped = 8410;
// "%s" in order: the typed value and the value used.
inline constexpr int kTextFrequencySnapped = 8411;
inline constexpr int kTextRecentFileMissing = 8412;
inline constexpr int kTextHelpNoBrowser = 8420;
inline constexpr int kTextHelpMissing = 8421;

// Start-up of an installed program
inline constexpr int kTextSettingsFolderFailed = 8500;

// Channels as CSV and codeplug comparison
inline constexpr int kTextMenuExportChannels = 8640;
inline constexpr int kTextMenuImportChannels = 8641;
// "%s" in order: the line number and the reason.
inline constexpr int kTextCsvLine = 8642;
inline constexpr int kTextCsvNoHeader = 8643;
inline constexpr int kTextCsvBadLocation = 8644;
inline constexpr int kTextCsvBadFrequency = 8645;
inline constexpr int kTextCsvBadDuplex = 8646;
inline constexpr int kTextCsvBadOffset = 8647;
inline constexpr int kTextCsvBadToneMode = 8648;
inline constexpr int kTextCsvBadCrossMode = 8649;
inline constexpr int kTextCsvBadToneFreq = 8650;
inline constexpr int kTextCsvBadDtcsCode = 8651;
inline constexpr int kTextCsvBadPolarity = 8652;
inline constexpr int kTextCsvUnsupportedMode = 8653;
inline constexpr int kTextCsvNoSuchChannel = 8654;
// "%s" in order: the frequency and the band's limits.
inline constexpr int kTextCsvOutOfBand = 8655;
inline constexpr int kTextCsvToneNotInList = 8656;
// "%s" in order: the rows imported and the rows skipped.
inline constexpr int kTextCsvImportCount = 8657;
inline constexpr int kTextCsvNothingToImport = 8658;
inline constexpr int kTextCsvImportTitle = 8659;
inline constexpr int kTextCsvReplace = 8660;
inline constexpr int kTextCsvFileType = 8661;
// "%s" in order: the two models' names.
inline constexpr int kTextDiffModels = 8662;
// "%s" in order: the Location and the line that gave it first.
inline constexpr int kTextCsvRepeatedLocation = 8663;
// The count line with one channel imported, one row skipped, or both (else 8657).
inline constexpr int kTextCsvImportOneChannel = 8664;
inline constexpr int kTextCsvImportOneRow = 8665;
inline constexpr int kTextCsvImportOneOfEach = 8666;
// Writing several radios at once
inline constexpr int kTextMenuWriteSeveral = 8700;
inline constexpr int kTextFleetTitle = 8701;
inline constexpr int kTextFleetPortColumn = 8702;
inline constexpr int kTextFleetModelColumn = 8703;
inline constexpr int kTextFleetProgressColumn = 8704;
inline constexpr int kTextFleetResultColumn = 8705;
inline constexpr int kTextFleetStart = 8706;
inline constexpr int kTextFleetOtherModels = 8707;
inline constexpr int kTextFleetSaveReport = 8708;
inline constexpr int kTextFleetAddPort = 8709;
inline constexpr int kTextFleetRemovePort = 8710;
inline constexpr int kTextFleetDetect = 8711;
inline constexpr int kTextFleetPlugInCable = 8712;
inline constexpr int kTextFleetPortFound = 8713;
inline constexpr int kTextFleetNoNewPort = 8714;
inline constexpr int kTextFleetOtherModel = 8715;
inline constexpr int kTextFleetNoAnswer = 8716;
inline constexpr int kTextFleetFailedAtBlock = 8717;
inline constexpr int kTextFleetFailed = 8718;
inline constexpr int kTextFleetWaiting = 8719;
inline constexpr int kTextFleetReportFileType = 8720;
inline constexpr int kTextFleetSummary = 8721;
inline constexpr int kTextFleetPartlyWritten = 8722;
inline constexpr int kTextFleetNoPorts = 8723;
inline constexpr int kTextFleetSerialPorts = 8724;
inline constexpr int kTextFleetSerialNumber = 8725;
inline constexpr int kTextFleetCancelDetect = 8726;

// Shared texts
inline constexpr int kTextOk = 90000;
inline constexpr int kTextCancel = 90001;
inline constexpr int kTextOn = 90003;
inline constexpr int kTextOff = 90004;
inline constexpr int kTextClosingCaption = 90005;
inline constexpr int kTextQuestionCaption = 90006;
inline constexpr int kTextNoAction = 90008;
inline constexpr int kTextDelete = 90009;
inline constexpr int kTextDeleteAll = 90010;
inline constexpr int kTextDeleteAllEntriesQuestion = 90011;
inline constexpr int kTextDigitCodeSuffix = 90012;
inline constexpr int kTextHigh = 90017;
inline constexpr int kTextLow = 90018;
inline constexpr int kTextNone = 90020;
inline constexpr int kTextUntitled = 90026;
inline constexpr int kTextOffEntry = 90028;
inline constexpr int kTextNumberColumn = 90032;
inline constexpr int kTextMiddle = 90038;
inline constexpr int kTextAbout = 90040;
inline constexpr int kTextAlertToneShared = 90041;

// Every number above, once, in ascending order.
inline constexpr int kAllTextNumbers[] = {
    kTextMenuFile, kTextMenuNew, kTextMenuOpen, kTextMenuSave, kTextMenuSaveAs, kTextMenuExit,
    kTextMenuSettings, kTextMenuPort, kTextMenuEdit, kTextMenuTestFrequency, kTextMenuTools,
    kTextMenuReadData, kTextMenuWriteData, kTextMenuTestMode, kTextMenuHelp, kTextMenuHelpTopics,
    kTextMenuAbout, kTextMenuFiveTone, kTextMenuTwoTone, kTextMenuFiveToneSystem,
    kTextMenuFiveToneEnDecode, kTextMenuKeySettings, kTextMenuDtmf, kTextMenuAutoChannelSelect,
    kTextMenuModel, kTextMenuModelInformation, kTextMenuOptionalFeatures, kTextMenuScan,
    kTextMenuAutoChannelSelectDealer, kTextMenuRadioInformation, kTextToolNew, kTextToolOpen,
    kTextToolSave, kTextToolReadData, kTextToolWriteData, kTextToolHelpTopics, kTextToolExit,
    kTextStartupFileUnreadable, kTextSaveRadioDataQuestion, kTextSaveChangesQuestion,
    kTextFileOpenFailed, kTextDataFileType, kTextFileWriteFailed, kTextNotACodeplug, kTextAutoClose,
    kTextReadButton, kTextWriteButton, kTextTransferError, kTextPortSettingsTitle, kTextCommFailed,
    kTextPortOpenFailed, kTextRadioRefusedData, kTextReadTitle, kTextWriteTitle,
    kTextModelMismatchQuestion, kTextTuningPortOpenFailed, kTextStopWriteQuestion, kTextModelLabel,
    kTextKeySettingsTitle,
    kTextMonitorKey, kTextOptionalFeaturesTitle, kTextTimeOutTimer, kTextTotPreAlert,
    kTextTotRekeyTime, kTextTotResetTime, kTextSquelchLevel, kTextBandwidth, kTextPower,
    kTextScanType, kTextPriorityChannel, kTextRevertChannel, kTextTxPauseTime, kTextDwellTime,
    kTextChannel, kTextRxFrequency, kTextTxFrequency, kTextRxTone, kTextTxTone, kTextBusyLockColumn,
    kTextCompander, kTextScan, kTextMonitorMomentary, kTextMonitorLatched, kTextSquelchOff,
    kTextScanCarrierOperated, kTextScanTimeOperated, kTextRevertSelected,
    kTextRevertSelectedTalkback, kTextRevertLastCalled, kTextRevertLastUsed, kTextRevertPriority,
    kTextRevertPriorityTalkback, kTextWide, kTextNarrow, kTextChangeModelQuestion, kTextKeyLock,
    kTextDisableSelfProgramming, kTextDisableManualTuning, kTextUserSettings, kTextKeyA, kTextKeyB,
    kTextKeyCall1, kTextKeyCall2, kTextKeyScanOnOff, kTextKeyPowerHighLow, kTextKeySignallingOnOff,
    kTextChannelFormTitle, kTextPowerOnScanOption, kTextAutoAnswerDelay, kTextPowerOn,
    kTextScanAtPowerOn, kTextPttMode, kTextPttPressAndHold, kTextPttToggle, kTextKeyOption,
    kTextRxFrequencyLabel, kTextTxFrequencyLabel, kTextRxToneLabel, kTextTxToneLabel, kTextBusyLock,
    kTextChannelOn, kTextTxOn, kTextSaveAsDefault, kTextDeleteAllChannels, kTextChannelDialogTitle,
    kTextDeleteAllChannelsQuestion, kTextTailElimination, kTextSignallingRelation, kTextAnd,
    kTextOr, kTextBusyLockCarrier, kTextOptionalSignalling, kTextPttIdType, kTextPttIdMode,
    kTextFiveTone, kTextTwoTone, kTextTxStart, kTextTxEnd, kTextTxStartAndEnd, kTextCall1,
    kTextCall2, kTextTxWithoutDecode, kTextReservedColumn, kTextSignallingSwitchable,
    kTextFiveToneSystemTitle, kTextFiveToneStandard, kTextTonePeriod, kTextReceiveInterval,
    kTextFiveToneGroupCall, kTextEncodePauseTime, kTextMinDecodeTime, kTextMaxDecodeTime,
    kTextEnDecodeTitle, kTextEncode, kTextDecode, kTextDelay1, kTextDelay2, kTextDelay3,
    kTextEndDelay, kTextFirstDigitLength, kTextDelay3Code, kTextDelay2Code, kTextSideTone,
    kTextAutoResetTime, kTextNextDecodeWaitTime, kTextClearAutoAnswer, kTextDecodeSettings,
    kTextDecodeNumber, kTextEncodeCode, kTextFrameFlag, kTextFrame, kTextDecodeCode,
    kTextAnswerTone, kTextCallAlert, kTextFrameFlagOnOff, kTextFrameCodeBadDigit, kTextAlertTone,
    kTextAlertRing, kTextAutoAnswer, kTextDecodeSet, kTextFirstTone, kTextSecondTone,
    kTextFirstToneDuration, kTextSecondToneDuration, kTextLongToneDuration, kTextToneGap,
    kTextCombination, kTextToneLabel, kTextSingleTone, kTextDtmfCode, kTextDigitCode, kTextDtmf,
    kTextDtmfRate, kTextFirstDigitTime, kTextFirstDigitDelay, kTextStarHashTone, kTextDKeySetting,
    kTextDtmfSideTone, kTextDtmfGroupCall, kTextAutoResetTimer, kTextDtmfCallAlert,
    kTextDtmfAutoAnswer, kTextDKeySendsD, kTextKillCode, kTextDtmfAlertRing, kTextDtmfAnswerTone,
    kTextDigitCodeBadChar, kTextDtmfCodeBadChar, kTextModelInformationTitle,
    kTextTestFrequencyTitle, kTextTestRxFrequency, kTextTestTxFrequency, kTextTestFrequencyNumber,
    kTextAcsTitle, kTextAcsCycleCount, kTextAcsTxTime, kTextAcsRxTime, kTextAcsTitleDealer,
    kTextAcsCycleCountDealer, kTextAcsTxTimeDealer, kTextAcsRxTimeDealer, kTextFirmwareVersion,
    kTextSoftwareVersion, kTextSignallingHoldTime, kTextFrameCodeBadLength, kTextTuneBatteryWarning,
    kTextTunePowerHigh, kTextTunePowerMiddle, kTextTunePowerLow, kTextTuneSquelchWide,
    kTextTuneSquelchNarrow, kTextTuneRxSensitivity, kTextTuneDeviationWide,
    kTextTuneDeviationNarrow, kTextTuneReferenceFrequency, kTextTuneCtcssDeviation,
    kTextTuneDcsDeviation, kTextEnterAdjust, kTextLeaveAdjust, kTextNoTuneItemSelected,
    kTextTuningStatusTest, kTextTuningStatusAdjust, kTextTuningStatusValue, kTextTuneDtmfDeviation,
    kTextTuneFiveToneDeviation, kTextAboutProduct, kTextAboutModels, kTextAboutVersion,
    kTextAboutRelease, kTextAboutCompany, kTextAboutEdition, kTextRadioInformation,
    kTextMenuOpenBackup, kTextVerifyAfterWriting, kTextTransferCodeplug, kTextTransferRadio,
    kTextStatusConnecting, kTextStatusReading, kTextStatusWriting, kTextStatusVerifyPause,
    kTextStatusVerifying, kTextStatusEnding, kTextReadComplete, kTextWritten, kTextWrittenVerified,
    kTextWriteStoppedAt, kTextReadStoppedAt, kTextReadFailedAt, kTextWriteFailedAt,
    kTextReadFailedBeforeBlocks, kTextWriteFailedBeforeBlocks, kTextWriteModelDeclined,
    kTextRadioHoldsOtherData, kTextWrittenNotVerified, kTextChannelNumber,
    kTextWriteAlreadyComplete, kTextReadStoppedUnchanged, kTextBackupFailed, kTextBackupKept,
    kTextPortInUse, kTextPortMissing, kTextPortNoPermission, kTextPortDialoutHint, kTextImageUnfit,
    kTextWriteImageUnfit, kTextVerifyTrace, kTextDryRunComplete, kTextNoForm,
    kTextWriteStoppedBeforeBlocks,
    kTextSaveReadOnly, kTextSaveNotRegularFile, kTextBuiltInTextsNotice,
    kTextTestModeTitle, kTextTestPanel, kTextTestChannelLabel, kTextTestSignallingLabel,
    kTextTestReceive, kTextTestTransmit, kTextTestWide, kTextTestNarrow, kTextTestExit,
    kTextAlignmentPanel, kTextTuneButton, kTextStoreButton, kTextDiscardButton,
    kTextMenuWindow, kTextMenuCascade, kTextMenuTile, kTextMenuCloseAll, kTextMenuNextWindow,
    kTextMenuPreviousWindow, kTextMenuUndo, kTextMenuRedo, kTextFrequencyClamped,
    kTextFrequencySnapped, kTextRecentFileMissing, kTextHelpNoBrowser, kTextHelpMissing,
    kTextSettingsFolderFailed,
    kTextMenuExportChannels, kTextMenuImportChannels, kTextCsvLine, kTextCsvNoHeader,
    kTextCsvBadLocation, kTextCsvBadFrequency, kTextCsvBadDuplex, kTextCsvBadOffset,
    kTextCsvBadToneMode, kTextCsvBadCrossMode, kTextCsvBadToneFreq, kTextCsvBadDtcsCode,
    kTextCsvBadPolarity, kTextCsvUnsupportedMode, kTextCsvNoSuchChannel, kTextCsvOutOfBand,
    kTextCsvToneNotInList, kTextCsvImportCount, kTextCsvNothingToImport, kTextCsvImportTitle,
    kTextCsvReplace, kTextCsvFileType, kTextDiffModels, kTextCsvRepeatedLocation,
    kTextCsvImportOneChannel, kTextCsvImportOneRow, kTextCsvImportOneOfEach,
    kTextMenuWriteSeveral, kTextFleetTitle, kTextFleetPortColumn, kTextFleetModelColumn,
    kTextFleetProgressColumn, kTextFleetResultColumn, kTextFleetStart, kTextFleetOtherModels,
    kTextFleetSaveReport, kTextFleetAddPort, kTextFleetRemovePort, kTextFleetDetect,
    kTextFleetPlugInCable, kTextFleetPortFound, kTextFleetNoNewPort, kTextFleetOtherModel,
    kTextFleetNoAnswer, kTextFleetFailedAtBlock, kTextFleetFailed, kTextFleetWaiting,
    kTextFleetReportFileType, kTextFleetSummary, kTextFleetPartlyWritten, kTextFleetNoPorts,
    kTextFleetSerialPorts, kTextFleetSerialNumber, kTextFleetCancelDetect,
    kTextOk,
    kTextCancel, kTextOn, kTextOff, kTextClosingCaption, kTextQuestionCaption, kTextNoAction,
    kTextDelete, kTextDeleteAll, kTextDeleteAllEntriesQuestion, kTextDigitCodeSuffix, kTextHigh,
    kTextLow, kTextNone, kTextUntitled, kTextOffEntry, kTextNumberColumn, kTextMiddle, kTextAbout,
    kTextAlertToneShared,
};

}  // namespace vgr47
