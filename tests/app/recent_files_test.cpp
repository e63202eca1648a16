// The recent files: the last eight codeplugs opened or saved, newest first, kept in system.ini,
// offered in the File menu, a vanished one dropped with a message; and the file dialogs that
// start in the folder last used and offer a name to save under.
#include "app/recent_files.h"

#include <QAction>
#include <QFileDialog>
#include <QTimer>
#include <cstdlib>
#include <fstream>

#include "core/ini_file.h"
#include "tests/support/shell_fixture.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

struct RecentFilesTest : ShellFixture {
    std::string Write(const std::string& name, int modelIndex = 8) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            << BuildModelImage(model, ModelCatalogue()[modelIndex].identity);
        return path;
    }
    QStringList MenuPaths() {
        QStringList paths;
        for (QAction* a : frame().recentFileActions()) paths << a->data().toString();
        return paths;
    }
};

}  // namespace

TEST(RecentFiles, NewestFirstOnceEachAtMostEightAndKept) {
    const fs::path dir = fs::temp_directory_path() / ("vgr47-recent-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    {
        RecentFiles recent(dir.string());
        EXPECT_TRUE(recent.paths().empty());
        EXPECT_EQ(recent.lastFolder(), "");
        for (int i = 1; i <= 10; ++i) recent.Add("/radios/fleet" + std::to_string(i) + ".dat");
        ASSERT_EQ(recent.paths().size(), 8u);
        EXPECT_EQ(recent.paths().front(), "/radios/fleet10.dat");
        EXPECT_EQ(recent.paths().back(), "/radios/fleet3.dat");
        recent.Add("/radios/fleet5.dat");  // again: to the front, not twice
        EXPECT_EQ(recent.paths().front(), "/radios/fleet5.dat");
        EXPECT_EQ(std::count(recent.paths().begin(), recent.paths().end(), "/radios/fleet5.dat"),
                  1);
        EXPECT_EQ(recent.paths().size(), 8u);
        recent.Remove("/radios/fleet9.dat");
        EXPECT_EQ(recent.paths().size(), 7u);
        EXPECT_EQ(recent.lastFolder(), "/radios");
        recent.SetLastFolder("/dealer/codeplugs");
    }
    RecentFiles again(dir.string());  // read back from system.ini
    ASSERT_EQ(again.paths().size(), 7u);
    EXPECT_EQ(again.paths()[0], "/radios/fleet5.dat");
    EXPECT_EQ(again.paths()[1], "/radios/fleet10.dat");
    EXPECT_EQ(again.lastFolder(), "/dealer/codeplugs");
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "recent", "file8"), "");
    fs::remove_all(dir);
}

TEST(RecentFiles, SaveAsOffersTheFilesNameOrOneMadeFromTheModel) {
    EXPECT_EQ(SuggestedSaveName("/radios/fleet.dat", "KV210AT  (VHF:136-174MHz)"),
              "/radios/fleet.dat");
    EXPECT_EQ(SuggestedSaveName("", "KV220AT  (UHF:450-527MHz)"), "KV220AT UHF 450-527MHz.dat");
    EXPECT_EQ(SuggestedSaveName("", ""), "");
    EXPECT_EQ(FolderOf("/radios/fleet.dat"), "/radios");
    EXPECT_EQ(FolderOf("fleet.dat"), "");
}

TEST_F(RecentFilesTest, OpenedAndSavedFilesHeadTheFileMenu) {
    Start();
    const std::string a = Write("a.dat"), b = Write("b.dat", 0);
    dialogs.open = a;
    shell->RunCommand(kCmdOpen);
    dialogs.save = (dir / "c.dat").string();
    shell->RunCommand(kCmdSaveAs);
    EXPECT_EQ(MenuPaths(),
              QStringList({QString::fromStdString(*dialogs.save), QString::fromStdString(a)}));
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "recent", "file1"), *dialogs.save);
    EXPECT_EQ(frame().recentFileActions().front()->text().left(3), "&1 ");

    // Choosing an entry opens it, after the usual question about unsaved changes.
    shell->recentFiles().Add(b);
    frame().SetRecentFiles(shell->recentFiles().paths());
    image.WriteBytes(0, "01");
    messages.answers = {Answer::No};
    frame().recentFileActions().front()->trigger();
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(image.filePath(), b);
    EXPECT_FALSE(model.IsExtendedModel());  // b holds a basic model
    EXPECT_EQ(MenuPaths().front(), QString::fromStdString(b));
}

TEST_F(RecentFilesTest, AFileThatIsGoneLeavesTheListWithAMessage) {
    Start();
    const std::string gone = Write("gone.dat"), kept = Write("kept.dat");
    for (const std::string& p : {kept, gone}) shell->recentFiles().Add(p);
    frame().SetRecentFiles(shell->recentFiles().paths());
    fs::remove(gone);
    const std::string before = image.image();
    frame().recentFileActions().front()->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], gone + " " + T(kTextRecentFileMissing));
    EXPECT_EQ(MenuPaths(), QStringList({QString::fromStdString(kept)}));
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "recent", "file1"), kept);
    EXPECT_TRUE(image.image() == before);
}

TEST_F(RecentFilesTest, FileDialogsStartInTheFolderLastUsedAndOfferAName) {
    Start();
    // No folder remembered yet: the home folder, never the program's (a temporary home here).
    const fs::path home = dir / "home", codeplugs = dir / "codeplugs";
    fs::create_directories(home);
    fs::create_directories(codeplugs);
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    ::setenv("HOME", home.c_str(), 1);
    RecentFiles places(values.programDir);
    QtFileDialogs files(&frame(), *texts);
    files.places = &places;
    files.suggestedName = [] { return std::string("KV210AT VHF 136-174MHz.dat"); };
    QString shownFolder, offered;
    auto answer = [&](bool accept, const QString& name) {
        QTimer::singleShot(0, [&, accept, name] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            shownFolder = d->directory().absolutePath();
            offered = d->selectedFiles().isEmpty()
                          ? QString()
                          : QFileInfo(d->selectedFiles().front()).fileName();
            if (!accept) return d->reject();
            d->selectFile(name);
            static_cast<QDialog*>(d)->accept();
        });
    };
    answer(false, "");
    EXPECT_FALSE(files.AskOpenPath());
    EXPECT_EQ(shownFolder, QString::fromStdString(home.string()));

    answer(true, QString::fromStdString((codeplugs / "fleet.dat").string()));
    auto saved = files.AskSavePath();
    ASSERT_TRUE(saved);
    EXPECT_EQ(offered, "KV210AT VHF 136-174MHz.dat");
    EXPECT_EQ(places.lastFolder(), codeplugs.string());
    answer(false, "");
    files.AskOpenPath();
    EXPECT_EQ(shownFolder, QString::fromStdString(codeplugs.string()));
    ::setenv("HOME", savedHome.c_str(), 1);
}
