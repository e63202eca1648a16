// Start-up and the file commands as the window runs them: what is reopened, what a fresh start
// installs, the path Save As keeps, and a window that still has its words without language.sys.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/shell.h"
#include "core/ini_file.h"
#include "core/memory_map.h"
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

struct StartupTest : ::testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("vgr47-startup-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
    void Remember(const fs::path& path) {
        IniWrite((dir / "system.ini").string(), "file", "file_path", path.string());
    }
};

}  // namespace

TEST_F(StartupTest, ARememberedFifoIsNotOpenedAndGivesTheStartupMessage) {
    const fs::path fifo = dir / "fleet.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Remember(fifo);
    // Should start-up block in open(), a writer shows up after a while and lets it go.
    std::thread writer([&fifo] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::this_thread::sleep_for(std::chrono::seconds(2));
        while (std::chrono::steady_clock::now() < until) {
            int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) return static_cast<void>(::close(fd));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    const auto start = std::chrono::steady_clock::now();
    {
        Shell shell(values, texts, image, model, &messages, &dialogs);
        shell.LoadStartupImage();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        // The message names the file it could not read.
        EXPECT_EQ(messages.shown, std::vector<std::string>{fifo.string() + " " +
                                                           texts.GetText(kTextStartupFileUnreadable)});
        EXPECT_EQ(image.filePath(), "");
        EXPECT_EQ(image.image(), BuildNewImage(model));
    }
    int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // lets the writer finish
    writer.join();
    ::close(reader);
}

TEST_F(StartupTest, AFreshStartHasTheTestFrequenciesOfFileNew) {
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    EXPECT_EQ(image.image(), BuildNewImage(model));
    EXPECT_NE(image.ReadBytes(mem::kTestFrequencies, 4), "FFFFFFFF");
    EXPECT_FALSE(image.IsModified());  // the saved copy is taken after the fill
    shell.RunCommand(kCmdNew);
    EXPECT_EQ(image.image(), image.savedImage());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupTest, SaveAsCancelledKeepsTheFileForSaveAndTheNextStart) {
    const fs::path file = dir / "fleet.dat";
    std::ofstream(file, std::ios::binary) << BuildNewImage(model);
    Remember(file);
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    image.WriteBytes(0x0010, "12");
    shell.RunCommand(kCmdSaveAs);  // the dialog is cancelled
    EXPECT_EQ(image.filePath(), file.string());
    EXPECT_NE(shell.frame().filePane()->text().toStdString().find(file.string()),
              std::string::npos);
    shell.RunCommand(kCmdSave);  // saves to the file without asking
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(image.ReadBytes(0x0010, 1), "12");
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), image.image());
    Remember("");
    EXPECT_TRUE(shell.ConfirmClose());
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "file", "file_path"), file.string());
}

TEST_F(StartupTest, BuiltInTextsGiveTheWindowTheShippedWords) {
    const TextCatalogue builtIn = TextCatalogue::BuiltIn(kEnglishOffset);
    Shell shell(values, builtIn, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    CMainFrame fromFile(values, texts);
    for (int command : {kCmdNew, kCmdSaveAs, kCmdDtmf, kCmdReadData, kCmdPort, kCmdHelpTopics}) {
        EXPECT_FALSE(shell.frame().action(command)->text().isEmpty()) << command;
        EXPECT_EQ(shell.frame().action(command)->text(), fromFile.action(command)->text());
    }
    ASSERT_NE(shell.channelForm(), nullptr);
    EXPECT_FALSE(shell.channelForm()->windowTitle().isEmpty());
}
