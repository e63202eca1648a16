#include "core/data_file.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/codeplug_lib.h"
#include "core/model_change.h"
#include "core/text_ids.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

class RecordingMessages : public Messages {
  public:
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               bool defaultNo) override {
        asked.push_back(text);
        captions.push_back(caption);
        lastButtons = buttons;
        lastDefaultNo = defaultNo;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return Answer::Cancel;
        }
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> shown, asked, captions;
    std::deque<Answer> answers;
    Buttons lastButtons = Buttons::YesNoCancel;
    bool lastDefaultNo = false;
};

class ScriptedDialogs : public FileDialogs {
  public:
    std::optional<std::string> AskOpenPath() override {
        ++openAsked;
        return openPath;
    }
    std::optional<std::string> AskSavePath() override {
        ++saveAsked;
        return savePath;
    }
    std::optional<std::string> openPath, savePath;
    int openAsked = 0, saveAsked = 0;
};

class DataFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("vgr47_data_file_" + std::to_string(rd()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void WriteRaw(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    static std::string ReadRaw(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    std::string Text(int n) const { return texts.GetText(n); }

    fs::path dir;
    CodeplugImage image;
    ModelState model;
    RecordingMessages messages;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ScriptedDialogs dialogs;
    FileContext ctx{image, model, messages, texts, dialogs, "5.05"};
};

const std::string kSignature = "\x49\x6E\x74\x65\x72\x50\x68\x6F\x6E\x65";

}  // namespace

TEST(VersionStamp, FourDigitsFromTheVersionText) {
    EXPECT_EQ(VersionStampHex("5.05"), "0505");
    EXPECT_EQ(VersionStampHex("10.05"), "1005");
    EXPECT_EQ(VersionStampHex("12.345"), "1245");
    EXPECT_EQ(VersionFromStamp("0505"), "5.05");
    EXPECT_EQ(VersionFromStamp("1005"), "10.05");
    EXPECT_EQ(VersionFromStamp("FFFF"), "");
    EXPECT_EQ(VersionFromStamp("05"), "");
}

TEST_F(DataFileTest, SavingADefaultImageWritesTheDocumentedBytes) {
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    dialogs.savePath = Path("new.dat");
    ASSERT_EQ(SaveDataFile(ctx), FileResult::Done);
    EXPECT_EQ(dialogs.saveAsked, 1);
    const std::string file = ReadRaw(Path("new.dat"));
    ASSERT_EQ(file.size(), 8192u);
    EXPECT_EQ(file.substr(0, 3232), std::string(3232, 'F'));
    EXPECT_EQ(file.substr(3232, 16), "4B5632313041F8FF");
    EXPECT_EQ(file.substr(0x0CC4, 4), "0505");
    EXPECT_TRUE(IsHexText(file));
    EXPECT_EQ(file, ToUpperAscii(file));
    EXPECT_EQ(image.filePath(), Path("new.dat"));
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(FilesInDir(), 1u);  // no temporary file left behind

    // The next Save writes to the same file without asking.
    image.WriteBytes(0x0010, "12");
    ASSERT_EQ(SaveDataFile(ctx), FileResult::Done);
    EXPECT_EQ(dialogs.saveAsked, 1);
    EXPECT_EQ(ReadRaw(Path("new.dat")).substr(0x20, 2), "12");
}

TEST_F(DataFileTest, SavedFileOpensUnmodified) {
    image.InstallFromRadio(BuildTemplate(Edition::Vgr47).substr(0, 1856 * 2));
    dialogs.savePath = Path("radio.dat");
    ASSERT_EQ(SaveDataFile(ctx), FileResult::Done);
    EXPECT_FALSE(image.imageFromRadio());
    const std::string saved = image.image();
    EXPECT_EQ(ReadRaw(Path("radio.dat")).size(), 3712u);

    CodeplugImage other;
    ModelState otherModel;
    FileContext otherCtx{other, otherModel, messages, texts, dialogs, "5.05"};
    other.InstallNew(BuildTemplate(Edition::Vgr47));
    dialogs.openPath = Path("radio.dat");
    ASSERT_EQ(OpenDataFile(otherCtx), FileResult::Done);
    EXPECT_EQ(other.image(), saved);
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.filePath(), Path("radio.dat"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DataFileTest, OpenRederivesTheModel) {
    std::string uhf = BuildTemplate(Edition::Vgr47);
    uhf.replace(0x0650 * 2, 16, "4B563232305436FF");
    WriteRaw("uhf.dat", uhf);
    dialogs.openPath = Path("uhf.dat");
    ASSERT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_EQ(model.bandLow(), 450);
    EXPECT_TRUE(model.IsExtendedModel());
}

TEST_F(DataFileTest, BinaryImagesBecomeHexWithTheSignature) {
    std::string bytes = kSignature;
    for (int i = 10; i < 4096; ++i) bytes += static_cast<char>(i & 0xFF);
    WriteRaw("bin.dat", bytes);
    auto loaded = LoadCodeplugFile(Path("bin.dat"));
    ASSERT_TRUE(loaded.has_value());
    ASSERT_EQ(loaded->size(), 8192u);
    EXPECT_EQ(loaded->substr(0, 20), "496E74657250686F6E65");
    EXPECT_EQ(loaded->substr(20, 4), "0A0B");
    EXPECT_EQ(loaded->substr(0xFF * 2, 2), "FF");

    // Any length up to a full image; larger is not an image.
    WriteRaw("short.dat", kSignature + std::string("\x01\x02\x03", 3));
    EXPECT_EQ(LoadCodeplugFile(Path("short.dat")),
              std::optional<std::string>("496E74657250686F6E65010203"));
    WriteRaw("big.dat", bytes + "x");
    LoadFailure why = LoadFailure::CannotOpen;
    EXPECT_FALSE(LoadCodeplugFile(Path("big.dat"), &why).has_value());
    EXPECT_EQ(why, LoadFailure::NotACodeplug);

    std::string hex;
    EXPECT_EQ(ReadFileAsHex(Path("short.dat"), hex), 13);
    EXPECT_EQ(hex, "496E74657250686F6E65010203");
    EXPECT_EQ(ReadFileAsHex(Path("missing.dat"), hex), -1);
    EXPECT_EQ(hex, "");
}

TEST_F(DataFileTest, FilesThatAreNotImagesAreRefused) {
    const std::string full(8192, 'A');
    const struct {
        const char* name;
        std::string content;
    } refused[] = {
        {"empty", ""},
        {"odd", "FFF"},
        {"letter", "FFGF"},
        {"blank", "FF FF"},
        {"line break", "FFFF\r\n"},
        {"zero byte", std::string("FF\0F", 4)},
        {"too long", full + "00"},
    };
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    image.WriteBytes(0, "01");  // unsaved change that must survive
    const std::string before = image.image();
    for (const auto& r : refused) {
        SCOPED_TRACE(r.name);
        WriteRaw("bad.dat", r.content);
        messages.shown.clear();
        messages.answers = {Answer::No};
        dialogs.openPath = Path("bad.dat");
        EXPECT_EQ(OpenDataFile(ctx), FileResult::Failed);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], Text(kTextNotACodeplug));
        EXPECT_EQ(image.image(), before);
        EXPECT_TRUE(image.IsModified());
        EXPECT_EQ(image.filePath(), "");
    }
    // A file far larger than any image is refused on its size alone.
    {
        std::ofstream huge(Path("huge.dat"), std::ios::binary);
        huge.seekp(64 * 1024 * 1024);
        huge << 'F';
    }
    LoadFailure why = LoadFailure::CannotOpen;
    EXPECT_FALSE(LoadCodeplugFile(Path("huge.dat"), &why).has_value());
    EXPECT_EQ(why, LoadFailure::NotACodeplug);

    // A file that cannot be read at all is a different message.
    messages.shown.clear();
    messages.answers = {Answer::No};
    dialogs.openPath = Path("missing.dat");
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Failed);
    EXPECT_EQ(messages.shown, std::vector<std::string>{Text(kTextFileOpenFailed)});
    EXPECT_FALSE(LoadCodeplugFile(dir.string(), &why).has_value());
    EXPECT_EQ(why, LoadFailure::CannotOpen);

    // Exactly a full image, and a short one, are accepted whatever their length.
    WriteRaw("full.dat", full);
    EXPECT_TRUE(LoadCodeplugFile(Path("full.dat")).has_value());
    WriteRaw("two.dat", "0a0B");
    EXPECT_EQ(LoadCodeplugFile(Path("two.dat")), std::optional<std::string>("0A0B"));
}

TEST_F(DataFileTest, LowerCaseFilesAreInstalledUpperCaseAndUnmodified) {
    std::string lower = BuildTemplate(Edition::Vgr47);
    lower.replace(0x0650 * 2, 16, "4b563231305432ff");
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    WriteRaw("lower.dat", lower);
    dialogs.openPath = Path("lower.dat");
    ASSERT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_EQ(image.image(), ToUpperAscii(lower));
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(model.currentIdentity(), "4B563231305432FF");
    EXPECT_EQ(model.bandLow(), 66);
}

TEST_F(DataFileTest, ReadFileAsTextStopsAtAZeroByte) {
    WriteRaw("text.dat", std::string("AB\0CD", 5));
    std::string out;
    EXPECT_EQ(ReadFileAsText(Path("text.dat"), out), 2);
    EXPECT_EQ(out, "AB");
    EXPECT_EQ(ReadFileAsText(Path("missing.dat"), out, &messages), -1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Open File Error!"});
}

TEST_F(DataFileTest, FailedWritesKeepThePreviousFile) {
    WriteRaw("keep.dat", "OLD");
    ASSERT_EQ(WriteTextFile(Path("keep.dat"), "NEWTEXT"), 7);
    EXPECT_EQ(ReadRaw(Path("keep.dat")), "NEWTEXT");
    EXPECT_EQ(WriteTextFile(Path("empty.dat"), ""), 0);

    // Targets that cannot be written: a folder that does not exist, a folder in place of the
    // file, a file in place of the folder.
    fs::create_directory(dir / "sub");
    EXPECT_EQ(WriteTextFile(Path("none/x.dat"), "DATA"), -1);
    EXPECT_EQ(WriteTextFile(Path("sub"), "DATA"), -1);
    EXPECT_EQ(WriteTextFile(Path("keep.dat/x.dat"), "DATA"), -1);
    EXPECT_EQ(ReadRaw(Path("keep.dat")), "NEWTEXT");
    EXPECT_EQ(FilesInDir(), 3u);  // keep.dat, empty.dat, sub: no temporary files
    EXPECT_TRUE(fs::is_empty(dir / "sub"));
}

TEST_F(DataFileTest, FailedSaveChangesNothingButTheStamp) {
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    image.WriteBytes(0x0010, "12");
    dialogs.savePath = Path("none/x.dat");
    EXPECT_EQ(SaveDataFile(ctx), FileResult::Failed);
    EXPECT_EQ(messages.shown, std::vector<std::string>{Text(kTextFileWriteFailed)});
    EXPECT_EQ(image.ReadBytes(0x0662, 2), "0505");
    EXPECT_TRUE(image.IsModified());
    EXPECT_EQ(image.filePath(), "");

    // An opened file stays as it was when saving over it fails.
    WriteRaw("old.dat", BuildTemplate(Edition::Vgr47));
    image.InstallOpened(BuildTemplate(Edition::Vgr47), Path("old.dat/inner.dat"));
    image.WriteBytes(0x0010, "34");
    EXPECT_EQ(SaveDataFile(ctx), FileResult::Failed);
    EXPECT_EQ(ReadRaw(Path("old.dat")), BuildTemplate(Edition::Vgr47));
    EXPECT_EQ(image.filePath(), Path("old.dat/inner.dat"));
}

TEST_F(DataFileTest, SaveAsCancelledLeavesTheImageUntitled) {
    image.InstallOpened(BuildTemplate(Edition::Vgr47), Path("a.dat"));
    dialogs.savePath = std::nullopt;
    EXPECT_EQ(SaveDataFileAs(ctx), FileResult::Cancelled);
    EXPECT_EQ(image.filePath(), "");
    EXPECT_EQ(image.ReadBytes(0x0662, 2), "0505");  // stamped before the dialog
    EXPECT_EQ(SaveDataFile(ctx), FileResult::Cancelled);
    EXPECT_EQ(dialogs.saveAsked, 2);
    EXPECT_FALSE(fs::exists(Path("a.dat")));
}

TEST_F(DataFileTest, QuestionsBeforeOpen) {
    WriteRaw("next.dat", BuildTemplate(Edition::Vgr47));
    dialogs.openPath = Path("next.dat");

    // From the radio: asked even when nothing was edited; Cancel stops before the dialog.
    image.InstallFromRadio(std::string(1856 * 2, 'F'));
    messages.answers = {Answer::Cancel};
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    EXPECT_EQ(messages.asked, std::vector<std::string>{Text(kTextSaveRadioDataQuestion)});
    EXPECT_EQ(messages.captions, std::vector<std::string>{Text(kTextQuestionCaption)});
    EXPECT_EQ(dialogs.openAsked, 0);

    // Yes, but the save does not succeed: the unsaved image stays.
    const std::string radio = image.image();
    messages.answers = {Answer::Yes};
    dialogs.savePath = std::nullopt;
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    messages.answers = {Answer::Yes};
    dialogs.savePath = Path("none/x.dat");
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    EXPECT_EQ(dialogs.openAsked, 0);
    EXPECT_TRUE(image.imageFromRadio());
    EXPECT_EQ(image.image().substr(0, 100), radio.substr(0, 100));

    // Yes and a good save: the file is written, then the other one opened.
    messages.answers = {Answer::Yes};
    dialogs.savePath = Path("radio.dat");
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_TRUE(fs::exists(Path("radio.dat")));
    EXPECT_EQ(image.filePath(), Path("next.dat"));

    // Edited opened file: its path and the changes question; No goes on without saving.
    image.WriteBytes(0x0010, "00");
    messages.asked.clear();
    messages.answers = {Answer::No};
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Done);
    EXPECT_EQ(messages.asked,
              std::vector<std::string>{Path("next.dat") + " " + Text(kTextSaveChangesQuestion)});
    EXPECT_EQ(ReadRaw(Path("next.dat")), BuildTemplate(Edition::Vgr47));

    // An untitled edited image is called by the untitled text.
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    image.WriteBytes(0x0010, "00");
    messages.asked.clear();
    messages.answers = {Answer::Cancel};
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    EXPECT_EQ(messages.asked,
              std::vector<std::string>{Text(kTextUntitled) + " " + Text(kTextSaveChangesQuestion)});

    // Nothing to lose: no question; cancelling the dialog changes nothing.
    image.InstallNew(BuildTemplate(Edition::Vgr47));
    messages.asked.clear();
    dialogs.openPath = std::nullopt;
    EXPECT_EQ(OpenDataFile(ctx), FileResult::Cancelled);
    EXPECT_TRUE(messages.asked.empty());
}

namespace {
class CountingHooks : public ModelChangeHooks {
  public:
    void CloseKeyAssignForm() override { ++closed; }
    int closed = 0;
};
}  // namespace

TEST_F(DataFileTest, ModelChange) {
    CountingHooks hooks;
    image.InstallNew(BuildNewImage(model));

    // The current model again: nothing is asked or changed.
    EXPECT_EQ(ChangeModel(0, ctx, hooks), ModelChangeResult::Unchanged);
    EXPECT_TRUE(messages.asked.empty());

    // No keeps everything; the question defaults to No.
    const std::string before = image.image();
    messages.answers = {Answer::No};
    EXPECT_EQ(ChangeModel(15, ctx, hooks), ModelChangeResult::Declined);
    EXPECT_EQ(messages.asked, std::vector<std::string>{Text(kTextChangeModelQuestion)});
    EXPECT_EQ(messages.lastButtons, Buttons::YesNo);
    EXPECT_TRUE(messages.lastDefaultNo);
    EXPECT_EQ(image.image(), before);

    // Unsaved changes, Yes to save, and the save fails: nothing changes.
    image.WriteBytes(0x0010, "00");
    const std::string edited = image.image();
    messages.answers = {Answer::Yes, Answer::Yes};
    dialogs.savePath = Path("none/x.dat");
    EXPECT_EQ(ChangeModel(15, ctx, hooks), ModelChangeResult::Cancelled);
    EXPECT_EQ(image.ReadBytes(0x0650, 8), "4B5632313041F8FF");
    EXPECT_EQ(image.ReadBytes(0x0010, 1), "00");
    EXPECT_EQ(model.ModelIndex(), 0);

    // Yes, and No to saving: the new model's default image, untitled and unmodified.
    messages.answers = {Answer::Yes, Answer::No};
    image.SetFilePath(Path("old.dat"));
    EXPECT_EQ(ChangeModel(15, ctx, hooks), ModelChangeResult::Changed);
    EXPECT_EQ(image.ReadBytes(0x0650, 8), "4B563232305436FF");
    EXPECT_EQ(image.ReadBytes(0x0700, 4), "00500045");
    EXPECT_EQ(model.bandLow(), 450);
    EXPECT_EQ(model.ModelIndex(), 15);
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(image.filePath(), "");
    EXPECT_EQ(hooks.closed, 2);

    // One edition has a single model and never changes it.
    ModelState fzc(Edition::Fzc85);
    FileContext fzcCtx{image, fzc, messages, texts, dialogs, "5.05"};
    messages.asked.clear();
    EXPECT_EQ(ChangeModel(0, fzcCtx, hooks), ModelChangeResult::Unchanged);
    EXPECT_TRUE(messages.asked.empty());

    // In the two-model edition entry 1 is the UHF signalling model.
    ModelState nyl(Edition::Nyl74);
    FileContext nylCtx{image, nyl, messages, texts, dialogs, "5.05"};
    image.InstallNew(BuildNewImage(nyl));
    messages.answers = {Answer::Yes};
    EXPECT_EQ(ChangeModel(1, nylCtx, hooks), ModelChangeResult::Changed);
    EXPECT_EQ(image.ReadBytes(0x0650, 8), "4B5632323054F8FF");
    EXPECT_EQ(nyl.ModelIndex(), 1);
}

TEST_F(DataFileTest, WritingThroughALinkKeepsTheLink) {
    WriteRaw("real.dat", "OLD");
    fs::create_symlink(dir / "real.dat", dir / "link.dat");
    ASSERT_EQ(WriteTextFile(Path("link.dat"), "NEW"), 3);
    EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
    EXPECT_EQ(ReadRaw(Path("real.dat")), "NEW");
}
