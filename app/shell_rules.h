// Start-up values and the edition rules of the main window, without widgets.
#pragma once

#include <string>
#include <vector>

#include "core/settings.h"

namespace vgr47 {

// The process-wide values fixed at start-up; main creates them once and passes them down.
struct AppValues {
    std::string editionKey = "vgr47";
    std::string version = VGR47_VERSION_TEXT;
    std::string programDir;
    // Where the codeplug file dialogs start; "" for the current folder.
    std::string fileFolder;
    bool debug = false;
    std::string portName;
    int languageOffset = 100000;
};

// Start-up steps: program directory, debug switch, port name and language offset.
AppValues LoadAppValues(const std::string& programDir, const std::string& editionKey);

// The language offset for a stored "language" value: only "200000" means English.
int LanguageOffsetFor(const std::string& editionKey, const std::string& storedValue);

// Menu commands the shell knows by their resource ids.
enum CommandId {
    kCmdNew = 57600,
    kCmdOpen = 57601,
    kCmdOpenBackup = 32901,
    kCmdSave = 57603,
    kCmdSaveAs = 57604,
    kCmdExit = 57665,
    kCmdModelInformation = 32797,
    kCmdKeySettings = 205,
    kCmdOptionalFeatures = 204,
    kCmdScan = 32798,
    kCmdAutoChannelSelect = 32796,
    kCmdDtmf = 32795,
    kCmdTwoTone = 32781,
    kCmdFiveToneSystem = 32784,
    kCmdFiveToneEnDecode = 32785,
    kCmdTestFrequency = 206,
    kCmdReadData = 207,
    kCmdWriteData = 208,
    kCmdTestMode = 209,
    kCmdRadioInformation = 32799,
    kCmdWriteSeveral = 32800,
    kCmdPort = 200,
    kCmdEnglish = 202,
    kCmdChinese = 203,
    kCmdHelpTopics = 211,
    kCmdAbout = 57664,
    kCmdTest1 = 32776,
    kCmdTest2 = 32779,
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdExportChannels = 32910,
    kCmdImportChannels = 32911,
};

struct MenuRemovals {
    std::vector<int> items;          // commands whose menu items are removed
    bool separatorAfterPort = false; // the separator after the port item
    bool testMenu = false;           // the whole debug-only Test menu
};
MenuRemovals MenuItemsRemoved(const AppValues& values);

// Commands offered only for signalling models.
bool IsSignallingOnlyCommand(int command);

// The help page of the edition and language, e.g. "vgr47_e.html".
std::string HelpFileName(const AppValues& values);

// Status bar: the file pane (file-type text, ": ", path) and the port pane, where only a
// COMn name is shown upper-cased; a device path is shown as it is.
std::string FilePaneText(const std::string& fileTypeText, const std::string& path,
                         const std::string& untitledText);
std::string PortPaneText(const std::string& portName);

// The About menu caption and the about box lines 1113-1115 for dealer editions.
std::string AboutMenuText(const AppValues& values, const std::string& aboutText);
struct DealerAboutLines {
    std::string models, release, company;
};
DealerAboutLines DealerAbout(const std::string& editionKey);

std::string UpperAscii(std::string text);

}  // namespace vgr47
