// Every form command of the main window on the images a dealer meets: a signalling and a basic
// default codeplug, and the 1856-byte image a basic radio's read gives. Each enabled command
// opens its window (one per command), OK never changes the image's length, and replacing the
// image closes every form but the channel grid.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <filesystem>

#include "app/shell.h"
#include "core/text_ids.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

using vgr47::testing::RecordingMessages;

struct NoFiles : FileDialogs {
    std::optional<std::string> AskOpenPath() override { return std::nullopt; }
    std::optional<std::string> AskSavePath() override { return std::nullopt; }
};

const int kFormCommands[] = {kCmdModelInformation, kCmdKeySettings,   kCmdOptionalFeatures, kCmdScan,
                             kCmdAutoChannelSelect, kCmdDtmf,         kCmdTwoTone,          kCmdFiveToneSystem,
                             kCmdFiveToneEnDecode,  kCmdTestFrequency, kCmdPort};

struct EveryFormTest : ::testing::TestWithParam<int> {
    fs::path dir = fs::temp_directory_path() / ("vgr47-every-form-" + std::to_string(::getpid()) + "-" + std::to_string(GetParam()));
    AppValues values;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    CodeplugImage image;
    ModelState model{Edition::Vgr47};
    RecordingMessages messages;
    NoFiles files;
    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        fs::create_directories(dir);
        values.programDir = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }
};

// 0: signalling default, 1: basic default, 2: basic as read from the radio (1856 bytes).
std::string ImageFor(int kind, ModelState& model) {
    if (kind == 0) return BuildModelImage(model, ModelCatalogue()[8].identity);
    std::string basic = BuildModelImage(model, ModelCatalogue()[0].identity);
    return kind == 1 ? basic : basic.substr(0, 2 * 1856);
}

TEST_P(EveryFormTest, OpensOncePressesOkAndKeepsTheImageLength) {
    Shell shell(values, texts, image, model, &messages, &files);
    image.InstallNew(ImageFor(GetParam(), model));
    model.UpdateModelFromImage(image.image());
    shell.RefreshFromImage();
    const std::size_t length = image.image().size();
    int opened = 0;
    for (int command : kFormCommands) {
        QAction* action = shell.frame().action(command);
        const bool enabled = action && action->isEnabled();
        shell.RunCommand(command);
        QMdiSubWindow* sub = shell.frame().openForm(command);
        if (!sub) continue;
        ++opened;
        // The auto-channel-select command has no menu item; its hidden action reads as disabled.
        EXPECT_TRUE(enabled || command == kCmdAutoChannelSelect) << "opened while greyed: " << command;
        shell.RunCommand(command);  // a second choice brings the same window forward
        EXPECT_EQ(shell.frame().openForm(command), sub);
        // OK, as the user presses it (the model information form asks and is answered No).
        if (command != kCmdModelInformation && command != kCmdPort)
            for (QPushButton* b : sub->widget()->findChildren<QPushButton*>())
                if (b->text().remove('&') == "OK" && b->isEnabled()) {
                    b->click();
                    break;
                }
        EXPECT_EQ(image.image().size(), length) << "command " << command;
    }
    EXPECT_GE(opened, GetParam() == 0 ? 11 : 5);
    shell.RunCommand(kCmdNew);  // a replaced image: the other forms go
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int left = 0;
    for (QMdiSubWindow* sub : shell.frame().mdiArea()->subWindowList())
        if (sub->widget() != shell.channelForm()) ++left;
    EXPECT_EQ(left, 0);
}

INSTANTIATE_TEST_SUITE_P(Images, EveryFormTest, ::testing::Values(0, 1, 2));

}  // namespace
