// The channel grid's texts are for showing only: what the dialog checks, the scan list and the
// busy-lock mode come from the stored values, whatever the catalogue calls them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/channels/channel_dlg_model.h"
#include "editors/channels/channel_model.h"
#include "editors/scan/scan_model.h"

namespace vgr47 {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBasic = "4B5632313041F8FF";
constexpr const char* kSignalling = "4B5632313054F8FF";

// 145.12500 receive, no transmit frequency, no tones; flags and scan byte as given.
std::string Record(const std::string& flagsA, const std::string& flagsB = "FF",
                   const std::string& optional = "FF", const std::string& scan = "B4") {
    return "00255114"
           "FFFFFFFF"
           "FFFF"
           "FFFF" +
           flagsA + flagsB + optional + scan;
}

class ShownTexts : public ::testing::Test {
  protected:
    void TearDown() override {
        std::error_code ec;
        fs::remove(path_, ec);
    }
    // The shipped catalogue with the English texts of the given numbers replaced; a number
    // mapped to nullptr loses its line altogether.
    void Translate(const std::map<int, const char*>& changed) {
        std::ifstream in(std::string(VGR47_SOURCE_DIR) + "/resources/language.sys");
        std::ostringstream out;
        std::string line;
        while (std::getline(in, line)) {
            auto it = changed.end();
            for (auto c = changed.begin(); c != changed.end(); ++c)
                if (line.rfind(std::to_string(kEnglishOffset + c->first) + "=", 0) == 0) it = c;
            if (it == changed.end())
                out << line << '\n';
            else if (it->second)
                out << kEnglishOffset + it->first << '=' << it->second << '\n';
        }
        std::ofstream(path_) << out.str();
        texts_ = TextCatalogue(path_.string(), kEnglishOffset);
    }
    void Load(const char* identity) {
        std::string text(static_cast<std::size_t>(mem::kImageBytes) * 2, 'F');
        text.replace(mem::kIdentity * 2, 16, identity);
        image_.InstallNew(text);
        state_.UpdateModelFromImage(text);
    }
    void Put(int channel, const std::string& record) {
        ASSERT_TRUE(image_.WriteBytes(mem::ChannelRecordAddress(channel), record));
    }
    void Start() {
        channels_ = std::make_unique<ChannelModel>(image_, state_, texts_);
        dialog_ = std::make_unique<ChannelDlgModel>(*channels_, image_, texts_);
    }
    const ChannelDlgState& Open(int row) {
        dialog_->Open(row);
        return dialog_->state();
    }

    fs::path path_ =
        fs::temp_directory_path() / ("vgr47-shown-texts-" + std::to_string(::getpid()) + ".sys");
    TextCatalogue texts_;
    CodeplugImage image_;
    ModelState state_;
    std::unique_ptr<ChannelModel> channels_;
    std::unique_ptr<ChannelDlgModel> dialog_;
};

TEST_F(ShownTexts, TheScanListComesFromTheScanByte) {
    // "On" reading like "Off", and "On" missing (every empty cell then reads like it).
    for (const char* on : {"Off", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(on ? on : "no on text");
        Translate({{kTextOn, on}});
        Load(kSignalling);
        Put(3, Record("D1", "FF", "FF", "B5"));
        Put(5, Record("D1"));
        Put(7, Record("D1", "FF", "FF", "B5"));
        Start();
        EXPECT_EQ(channels_->CountScanChannels(), 2);
        EXPECT_TRUE(channels_->IsSet(3, ChannelModel::kColScan));
        EXPECT_FALSE(channels_->IsSet(5, ChannelModel::kColScan));
        EXPECT_FALSE(channels_->IsSet(4, ChannelModel::kColScan));

        ScanModel scan(image_, state_, texts_, *channels_);
        EXPECT_TRUE(scan.functionEnabled());
        ASSERT_EQ(scan.PriorityEntries().size(), 3u);
        EXPECT_EQ(scan.PriorityEntries()[1], "3");
        EXPECT_EQ(scan.PriorityEntries()[2], "7");

        EXPECT_TRUE(Open(3).scan.checked);
        EXPECT_FALSE(Open(5).scan.checked);
    }
}

TEST_F(ShownTexts, BasicChecksComeFromTheFlags) {
    // Every two-state column reads alike in this catalogue.
    Translate({{kTextOn, "x"}, {kTextOff, "x"}, {kTextWide, "x"}, {kTextNarrow, "x"}});
    Load(kBasic);
    Put(1, Record("F6"));  // busy lock on, wide, compander off, no tail elimination
    Put(2, Record("F9"));  // busy lock off, narrow, compander on, tail elimination
    Start();
    const ChannelDlgState& one = Open(1);
    EXPECT_TRUE(one.busyLock.checked);
    EXPECT_TRUE(one.wide.checked);
    EXPECT_FALSE(one.compander.checked);
    EXPECT_FALSE(one.tailElimination.checked);
    const ChannelDlgState& two = Open(2);
    EXPECT_FALSE(two.busyLock.checked);
    EXPECT_FALSE(two.wide.checked);
    EXPECT_TRUE(two.compander.checked);
    EXPECT_TRUE(two.tailElimination.checked);
    // Looking at the channels leaves their records as they were.
    EXPECT_EQ(image_.ReadBytes(mem::ChannelRecordAddress(1), mem::kChannelRecordBytes),
              Record("F6"));
}

TEST_F(ShownTexts, SignallingModesComeFromTheFlags) {
    // Carrier reads like the off entry, AND like OR, on like off.
    Translate({{kTextBusyLockCarrier, "Off"}, {kTextAnd, "x"}, {kTextOr, "x"}, {kTextOn, "Off"}});
    Load(kSignalling);
    Put(1, Record("91", "7F", "01"));  // carrier, wide, OR; switchable off, tx without decode on
    Put(2, Record("C1", "DF", "01"));  // off, wide, AND; switchable on, tx without decode off
    Start();
    EXPECT_EQ(channels_->BusyLockMode(1), 1);
    EXPECT_EQ(channels_->BusyLockMode(2), 0);
    EXPECT_EQ(channels_->BusyLockMode(3), -1);
    const ChannelDlgState& one = Open(1);
    EXPECT_EQ(one.busyLockMode.index, 1);
    EXPECT_FALSE(one.relationAnd.checked);
    EXPECT_TRUE(one.txWithoutDecode.checked);
    EXPECT_FALSE(one.signallingSwitchable.checked);
    const ChannelDlgState& two = Open(2);
    EXPECT_EQ(two.busyLockMode.index, 0);
    EXPECT_TRUE(two.relationAnd.checked);
    EXPECT_FALSE(two.txWithoutDecode.checked);
    EXPECT_TRUE(two.signallingSwitchable.checked);
}

}  // namespace
}  // namespace vgr47
