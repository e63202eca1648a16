#include "app/shell_rules.h"

#include "core/codeplug_lib.h"

namespace vgr47 {

std::string UpperAscii(std::string text) { return ToUpperAscii(std::move(text)); }

int LanguageOffsetFor(const std::string& editionKey, const std::string& storedValue) {
    if (editionKey != "vgr47") return 200000;
    return ParseLeadingInt(storedValue) == 200000 ? 200000 : 100000;
}

AppValues LoadAppValues(const std::string& programDir, const std::string& editionKey) {
    AppValues v;
    v.editionKey = editionKey;
    v.programDir = programDir;
    Settings settings(programDir);
    v.debug = FileExists(settings.PathOf("isdebug.txt"));
    v.portName = settings.GetSetting("computer", "com");
    v.languageOffset = LanguageOffsetFor(editionKey, settings.GetSetting("language", "language"));
    return v;
}

MenuRemovals MenuItemsRemoved(const AppValues& values) {
    MenuRemovals r;
    r.items.push_back(kCmdAutoChannelSelect);  // never offered as a menu item
    if (values.editionKey == "vgr47") {
        r.items.push_back(values.languageOffset == 100000 ? kCmdChinese : kCmdEnglish);
    } else {
        r.items.push_back(kCmdEnglish);
        r.items.push_back(kCmdChinese);
        r.separatorAfterPort = true;
    }
    r.testMenu = !values.debug;
    return r;
}

bool IsSignallingOnlyCommand(int command) {
    return command == kCmdTwoTone || command == kCmdFiveToneSystem || command == kCmdFiveToneEnDecode ||
           command == kCmdDtmf || command == kCmdAutoChannelSelect;
}

std::string HelpFileName(const AppValues& values) {
    if (values.editionKey == "vgr47") return values.languageOffset == 100000 ? "vgr47_c.html" : "vgr47_e.html";
    return values.editionKey + "_e.html";
}

std::string FilePaneText(const std::string& fileTypeText, const std::string& path,
                         const std::string& untitledText) {
    if (path.empty()) return untitledText;
    return fileTypeText + ": " + path;
}

std::string PortPaneText(const std::string& portName) {
    std::string upper = ToUpperAscii(portName);
    if (upper.size() > 3 && upper.compare(0, 3, "COM") == 0) {
        bool digits = true;
        for (std::size_t i = 3; i < upper.size(); ++i)
            if (upper[i] < '0' || upper[i] > '9') digits = false;
        if (digits) return upper;
    }
    return portName;
}

std::string AboutMenuText(const AppValues& values, const std::string& aboutText) {
    std::string key = ToUpperAscii(values.editionKey);
    if (values.languageOffset == 100000) return aboutText + key + " (&A)";
    return aboutText + " " + key;
}

DealerAboutLines DealerAbout(const std::string& e) {
    if (e == "ja31") return {"For: KV210A/KV220A/KV210AT/KV220AT", "Release: 07/20/2007", ""};
    const std::string company = "Distributed by an authorised VGR47 dealer";
    if (e == "hwm63") return {"For: LX310A/LX320A/LX310AT/LX320AT", "Release: 07/18/2007", company};
    if (e == "fzc85") return {"For: N7062", "Release: 01/25/2007", company};
    if (e == "d-ok2") return {"For: KV210A/KV220A", "Release: 08/30/2006", company};
    if (e == "nyl74") return {"For: RD-516/RD-528", "Release: 11/05/2005", company};
    return {};
}

}  // namespace vgr47
