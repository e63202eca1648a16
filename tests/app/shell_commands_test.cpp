#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>

#include <filesystem>
#include <fstream>

#include "app/shell.h"
#include "core/ini_file.h"
#include "core/text_ids.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

using vgr47::testing::RecordingMessages;

struct Dialogs : FileDialogs {
    std::optional<std::string> open, save;
    std::optional<std::string> AskOpenPath() override { return open; }
    std::optional<std::string> AskSavePath() override { return save; }
};

struct ShellTest : ::testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("vgr47-shell-" + std::to_string(::getpid()) + "-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    AppValues values;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    CodeplugImage image;
    ModelState model{Edition::Vgr47};
    RecordingMessages messages{Answer::Cancel};
    Dialogs dialogs;

    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        fs::remove_all(dir);
        fs::create_directories(dir);
        values.programDir = dir.string();
        values.languageOffset = kEnglishOffset;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Ini(const std::string& s, const std::string& k) { return IniRead((dir / "system.ini").string(), s, k); }
    std::string T(int n) { return texts.GetText(n); }
};

}  // namespace

TEST_F(ShellTest, StartupLoadsTheRememberedFileOrTheTemplate) {
    {
        Shell shell(values, texts, image, model, &messages, &dialogs);
        shell.LoadStartupImage();
        EXPECT_EQ(image.image(), BuildNewImage(model));
        EXPECT_FALSE(image.IsModified());
        EXPECT_TRUE(messages.shown.empty());
    }
    const std::string saved = (dir / "fleet.dat").string();
    std::string modelImage = BuildModelImage(model, "4B563232305436FF");
    std::ofstream(saved, std::ios::binary) << modelImage;
    IniWrite((dir / "system.ini").string(), "file", "file_path", " " + saved + " ");
    {
        Shell shell(values, texts, image, model, &messages, &dialogs);
        shell.LoadStartupImage();
        EXPECT_EQ(image.filePath(), saved);
        EXPECT_EQ(model.bandLow(), 450);
        EXPECT_EQ(shell.frame().windowTitle().toStdString(), model.TitleText("5.05"));
    }
    std::ofstream(saved, std::ios::binary) << "not a codeplug";
    {
        Shell shell(values, texts, image, model, &messages, &dialogs);
        shell.LoadStartupImage();
        ASSERT_EQ(messages.shown.size(), 1u);
        // The message names the file it is about.
        EXPECT_EQ(messages.shown[0], saved + " " + T(kTextStartupFileUnreadable));
        EXPECT_EQ(image.filePath(), "");
    }
    fs::remove(saved);
    {
        Shell shell(values, texts, image, model, &messages, &dialogs);
        shell.LoadStartupImage();
        EXPECT_EQ(messages.shown.size(), 1u);  // a deleted file is silently replaced
        EXPECT_EQ(image.filePath(), "");
    }
}

TEST_F(ShellTest, ClosingPromptNeverLosesChanges) {
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    EXPECT_TRUE(shell.ConfirmClose());  // unchanged: no question
    EXPECT_TRUE(messages.asked.empty());
    image.WriteBytes(0, "01");
    messages.answers = {Answer::Cancel};
    EXPECT_FALSE(shell.ConfirmClose());
    EXPECT_EQ(messages.asked.back(), T(kTextUntitled) + " " + T(kTextSaveChangesQuestion));
    messages.answers = {Answer::Yes};  // the save dialog is cancelled: stay open
    EXPECT_FALSE(shell.ConfirmClose());
    EXPECT_TRUE(image.IsModified());
    dialogs.save = (dir / "a.dat").string();
    messages.answers = {Answer::Yes};
    EXPECT_TRUE(shell.ConfirmClose());
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(Ini("file", "file_path"), (dir / "a.dat").string());
}

TEST_F(ShellTest, RadioImagesAreNotRememberedAndAskBeforeNew) {
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    image.InstallFromRadio(BuildTemplate(Edition::Vgr47));
    EXPECT_TRUE(shell.ConfirmClose());
    EXPECT_EQ(Ini("file", "file_path"), "");
    messages.answers = {Answer::Cancel};
    shell.RunCommand(kCmdNew);
    EXPECT_EQ(messages.asked.back(), T(kTextSaveRadioDataQuestion));
    EXPECT_TRUE(image.imageFromRadio());  // cancelled: nothing replaced
    messages.answers = {Answer::No};
    shell.RunCommand(kCmdNew);
    EXPECT_FALSE(image.imageFromRadio());
    EXPECT_EQ(image.image(), BuildNewImage(model));
}

TEST_F(ShellTest, LanguageSwitchStopsWhenTheSaveFails) {
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    image.WriteBytes(0, "01");
    messages.answers = {Answer::Yes};  // no save path given: the save is cancelled
    EXPECT_FALSE(shell.SwitchLanguage(kChineseOffset, false));
    EXPECT_EQ(Ini("language", "language"), "");
    messages.answers = {Answer::No};
    EXPECT_TRUE(shell.SwitchLanguage(kChineseOffset, false));
    EXPECT_EQ(Ini("language", "language"), "100000");
}
