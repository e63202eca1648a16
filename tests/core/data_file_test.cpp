#include "core/data_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/codeplug_lib.h"
#include "core/model_change.h"
#include "core/text_ids.h"
#include "tests/support/recording_messages.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

class ScriptedUser : public vgr47::testing::RecordingMessages,
                     public FileDialogs,
                     public ModelChangeHooks {
  public:
    ScriptedUser() : RecordingMessages(Answer::Cancel) {}
    std::optional<std::string> AskOpenPath() override { return ++openAsked, openPath; }
    std::optional<std::string> AskSavePath() override { return ++saveAsked, savePath; }
    void CloseKeyAssignForm() override { ++keyFormClosed; }

    std::optional<std::string> openPath, savePath;
    int openAsked = 0, saveAsked = 0, keyFormClosed = 0;
};

class DataFileTest : public ::testing::Test {
  protected:
    DataFileTest()
        : dir(fs::temp_directory_path() / ("vgr47_df_" + std::to_string(std::random_device()()))) {
        fs::create_directories(dir);
        image.InstallNew(BuildNewImage(model));
    }
    ~DataFileTest() override { fs::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string Text(int n) const { return texts.GetText(n); }

    fs::path dir;
    CodeplugImage image;
    ModelState model;
    ScriptedUser user;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    FileContext ctx{image, model, user, texts, user, "5.05"};
};

}  // namespace

TEST(VersionStamp, DigitsOfTheVersionText) {
    EXPECT_EQ(VersionStampHex("10.05"), "1005");
    EXPECT_EQ(VersionFromStamp("1005"), "10.05");
}

TEST_F(DataFileTest, SaveWritesTheImageAndOpensUnmodified) {
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    user.savePath = Path("a.dat");
    ASSERT_EQ(SaveDataFile(ctx), FileResult::Done);
    const std::string file = Read("a.dat");
    ASSERT_EQ(file.size(), 8192u);
    EXPECT_EQ(file.substr(0, 3232), std::string(3232, 'F'));
    EXPECT_EQ(file.substr(3232, 16), "4B5632313041F8FF");
    EXPECT_EQ(file.substr(0x0CC4, 4), "0505");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    image.WriteBytes(0x0010, "12");  // the next save goes to the same file unasked
    ASSERT_EQ(SaveDataFile(ctx), FileResult::Done);
    EXPECT_EQ(user.saveAsked, 1);
    const std::string saved = image.image();

    image.InstallFromRadio(std::string(64, 'F'));
    user.openPath = Path("a.dat");
    user.answers = {Answer::No};
    ASSERT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_EQ(image.image(), saved);
    EXPECT_FALSE(image.IsModified());
    EXPECT_FALSE(image.imageFromRadio());
    EXPECT_EQ(image.filePath(), Path("a.dat"));
}

TEST_F(DataFileTest, WhatOpenAccepts) {
    // Binary: the signature bytes and every byte after them, up to a whole image.
    std::string bytes = "\x49\x6E\x74\x65\x72\x50\x68\x6F\x6E\x65";
    for (int i = 10; i < 4096; ++i) bytes += static_cast<char>(i);
    Write("bin.dat", bytes);
    auto binary = LoadCodeplugFile(Path("bin.dat"));
    ASSERT_TRUE(binary.has_value());
    EXPECT_EQ(binary->size(), 8192u);
    EXPECT_EQ(binary->substr(0, 24), "496E74657250686F6E650A0B");
    Write("bin.dat", bytes + "x");
    EXPECT_FALSE(LoadCodeplugFile(Path("bin.dat")).has_value());

    // Hex text of any even length up to 4096 bytes, installed upper-case and unmodified.
    std::string lower = BuildTemplate(Edition::Vgr47).replace(0x0650 * 2, 16, "4b563231305432ff");
    Write("lower.dat", lower);
    user.openPath = Path("lower.dat");
    ASSERT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_EQ(image.ReadBytes(0x0650, 8), "4B563231305432FF");
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(model.bandLow(), 66);
    Write("two.dat", "0a0B");
    EXPECT_EQ(LoadCodeplugFile(Path("two.dat")), std::optional<std::string>("0A0B"));
}

TEST_F(DataFileTest, FilesThatAreNotImagesAreRefused) {
    image.WriteBytes(0, "01");  // an unsaved change that must survive
    const std::string before = image.image();
    for (const std::string& content :
         {std::string(), std::string("FFF"), std::string("FFGF"), std::string("FF FF"),
          std::string("FFFF\nFF\n"), std::string("\nFFFF"), std::string("FF\0F", 4),
          std::string(8194, 'A'), std::string(" \r\n")}) {
        SCOPED_TRACE(content.size());
        Write("bad.dat", content);
        user.shown.clear();
        user.answers = {Answer::No};
        user.openPath = Path("bad.dat");
        EXPECT_EQ(OpenDataFile(ctx), FileResult::Failed);
        EXPECT_EQ(user.shown, std::vector<std::string>{Text(kTextNotACodeplug)});
        EXPECT_EQ(image.image(), before);
        EXPECT_EQ(image.filePath(), "");
    }
    user.shown.clear();
    user.answers = {Answer::No};
    user.openPath = Path("missing.dat");
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Failed);
    EXPECT_EQ(user.shown, std::vector<std::string>{Text(kTextFileOpenFailed)});
}

TEST_F(DataFileTest, FailedSavesKeepThePreviousFile) {
    Write("old.dat", "OLD");
    fs::create_directory(dir / "folder");
    for (const char* target : {"none/x.dat", "folder", "old.dat/x.dat"}) {
        EXPECT_EQ(WriteTextFile(Path(target), "NEW"), -1) << target;
    }
    EXPECT_EQ(Read("old.dat"), "OLD");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);

    image.WriteBytes(0x0010, "12");
    user.savePath = Path("none/x.dat");
    EXPECT_EQ(SaveDataFile(ctx), FileResult::Failed);
    ASSERT_EQ(user.shown.size(), 1u);  // the path, the text and the system's reason
    EXPECT_EQ(user.shown[0].rfind(Path("none/x.dat") + "\n" + Text(kTextFileWriteFailed) + " (", 0),
              0u);
    EXPECT_EQ(image.ReadBytes(0x0662, 2), "0505");  // only the stamp changed
    EXPECT_TRUE(image.IsModified());
    EXPECT_EQ(image.filePath(), "");

    image.SetFilePath(Path("old.dat"));  // Save As cancelled keeps the file it belongs to
    user.savePath = std::nullopt;
    EXPECT_EQ(SaveDataFileAs(ctx), FileResult::Cancelled);
    EXPECT_EQ(image.filePath(), Path("old.dat"));
    EXPECT_EQ(Read("old.dat"), "OLD");
    user.savePath = Path("none/x.dat");  // and so does a Save As that fails
    EXPECT_EQ(SaveDataFileAs(ctx), FileResult::Failed);
    EXPECT_EQ(image.filePath(), Path("old.dat"));
    EXPECT_TRUE(image.IsModified());
}

TEST_F(DataFileTest, SavingOverAReadOnlyFileIsRefusedWithAClearMessage) {
    Write("ro.dat", "OLD");
    fs::permissions(Path("ro.dat"), fs::perms(0444));
    image.SetFilePath(Path("ro.dat"));
    image.WriteBytes(0x0010, "12");
    EXPECT_EQ(SaveDataFile(ctx), FileResult::Failed);
    EXPECT_EQ(Read("ro.dat"), "OLD");
    EXPECT_EQ(user.shown,
              std::vector<std::string>{Path("ro.dat") + "\n" + Text(kTextSaveReadOnly)});
    EXPECT_TRUE(image.IsModified());
    EXPECT_EQ(image.filePath(), Path("ro.dat"));
    // Save As to another name still works.
    user.savePath = Path("rw.dat");
    EXPECT_EQ(SaveDataFileAs(ctx), FileResult::Done);
    EXPECT_EQ(image.filePath(), Path("rw.dat"));
    EXPECT_FALSE(image.IsModified());
}

TEST_F(DataFileTest, ATrailingLineBreakOrBlankIsNotPartOfTheImage) {
    const std::string hex = BuildTemplate(Edition::Vgr47);
    for (const char* tail : {"\n", "\r\n", "  \t\r\n\n"}) {
        Write("copied.dat", hex + tail);
        LoadFailure why = LoadFailure::CannotOpen;
        auto loaded = LoadCodeplugFile(Path("copied.dat"), &why);
        ASSERT_TRUE(loaded.has_value()) << static_cast<int>(why);
        EXPECT_EQ(*loaded, hex);
    }
}

TEST_F(DataFileTest, QuestionsBeforeReplacingTheImage) {
    Write("next.dat", BuildTemplate(Edition::Vgr47));
    user.openPath = Path("next.dat");
    image.InstallFromRadio(std::string(1856 * 2, 'F'));  // asked even though unchanged
    user.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    user.savePath = Path("none/x.dat");  // Yes, but the save fails: stop, keep the image
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    EXPECT_EQ(user.asked, std::vector<std::string>(2, Text(kTextSaveRadioDataQuestion)));
    EXPECT_EQ(user.openAsked, 0);
    EXPECT_TRUE(image.imageFromRadio());

    user.answers = {Answer::Yes};
    user.savePath = Path("radio.dat");
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_EQ(Read("radio.dat").size(), 3712u);

    image.WriteBytes(0x0010, "00");
    user.asked.clear();
    user.answers = {Answer::No};
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_EQ(user.asked,
              std::vector<std::string>{Path("next.dat") + " " + Text(kTextSaveChangesQuestion)});
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    image.WriteBytes(0x0010, "00");
    user.asked.clear();
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    EXPECT_EQ(user.asked,
              std::vector<std::string>{Text(kTextUntitled) + " " + Text(kTextSaveChangesQuestion)});
}

TEST_F(DataFileTest, ModelChange) {
    EXPECT_EQ(ChangeModel(0, ctx, user), ModelChangeResult::Unchanged);
    EXPECT_TRUE(user.asked.empty());
    user.answers = {Answer::No};
    EXPECT_EQ(ChangeModel(15, ctx, user), ModelChangeResult::Declined);
    EXPECT_EQ(user.asked, std::vector<std::string>{Text(kTextChangeModelQuestion)});

    image.WriteBytes(0x0010, "00");
    user.answers = {Answer::Yes, Answer::Yes};  // change, save, and the save fails
    user.savePath = Path("none/x.dat");
    EXPECT_EQ(ChangeModel(15, ctx, user), ModelChangeResult::Cancelled);
    EXPECT_EQ(model.ModelIndex(), 0);
    EXPECT_EQ(image.ReadBytes(0x0010, 1), "00");

    user.answers = {Answer::Yes, Answer::No};
    image.SetFilePath(Path("old.dat"));
    EXPECT_EQ(ChangeModel(15, ctx, user), ModelChangeResult::Changed);
    EXPECT_EQ(image.ReadBytes(0x0650, 8), "4B563232305436FF");
    EXPECT_EQ(image.ReadBytes(0x0700, 4), "00500045");
    EXPECT_EQ(model.bandLow(), 450);
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(image.filePath(), "");
    EXPECT_EQ(user.keyFormClosed, 2);

    ModelState single(Edition::Fzc85);
    FileContext singleCtx{image, single, user, texts, user, "5.05"};
    EXPECT_EQ(ChangeModel(0, singleCtx, user), ModelChangeResult::Unchanged);
}
