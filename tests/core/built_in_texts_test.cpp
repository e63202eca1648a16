// Where the program finds its texts, and the copy of the shipped catalogue it carries for when
// it finds none.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/text_catalogue.h"
#include "core/text_ids.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

const std::string kShipped = std::string(VGR47_SOURCE_DIR) + "/resources/language.sys";

struct Folders {
    fs::path root = fs::temp_directory_path() / ("vgr47_texts_" + std::to_string(::getpid()));
    fs::path work = root / "work", bin = root / "prefix" / "bin",
             share = root / "prefix" / "share" / "vgr47";
    Folders() {
        fs::remove_all(root);
        for (const fs::path& p : {work, bin, share}) fs::create_directories(p);
    }
    ~Folders() { fs::remove_all(root); }
};

}  // namespace

TEST(BuiltInTexts, AreTheShippedCatalogueWordForWord) {
    for (int offset : {kChineseOffset, kEnglishOffset}) {
        const TextCatalogue file(kShipped, offset);
        const TextCatalogue builtIn = TextCatalogue::BuiltIn(offset);
        EXPECT_TRUE(builtIn.isBuiltIn());
        EXPECT_FALSE(file.isBuiltIn());
        for (int n : kAllTextNumbers) {
            ASSERT_FALSE(builtIn.GetText(n).empty()) << n;
            EXPECT_EQ(builtIn.GetText(n), file.GetText(n)) << n;
        }
    }
    EXPECT_EQ(TextCatalogue::BuiltIn(kEnglishOffset).GetText(kTextMenuFile), "&File");
}

TEST(BuiltInTexts, UsedOnlyWhenNoPlaceHoldsAReadableTextFile) {
    Folders f;
    std::vector<std::string> looked;
    TextCatalogue texts =
        LocateTextCatalogue(f.work.string(), f.bin.string(), kEnglishOffset, &looked);
    const std::vector<std::string> expected{
        (f.work / "language.sys").string(), (f.bin / "language.sys").string(),
        (f.root / "prefix" / "language.sys").string(), (f.share / "language.sys").string(),
        "/usr/share/vgr47/language.sys"};
    EXPECT_EQ(looked, expected);
    if (!fs::exists("/usr/share/vgr47/language.sys")) {
        EXPECT_TRUE(texts.isBuiltIn());
        EXPECT_EQ(texts.GetText(kTextMenuSave), "&Save");
    }

    // What cannot be read as a file is passed over, without waiting on a FIFO.
    fs::create_directory(f.work / "language.sys");
    ASSERT_EQ(::mkfifo((f.bin / "language.sys").c_str(), 0644), 0);
    fs::copy_file(kShipped, f.share / "language.sys");
    texts = LocateTextCatalogue(f.work.string(), f.bin.string(), kChineseOffset);
    EXPECT_FALSE(texts.isBuiltIn());
    EXPECT_EQ(texts.path(), (f.share / "language.sys").string());
    EXPECT_EQ(texts.offset(), kChineseOffset);

    std::ofstream(f.root / "prefix" / "language.sys") << "[language]\n200004=Keep\n";
    texts = LocateTextCatalogue(f.work.string(), f.bin.string(), kEnglishOffset);
    EXPECT_EQ(texts.GetText(kTextMenuSave), "Keep");  // the nearer place wins
}

TEST(BuiltInTexts, TheNoticeNamesEveryPlaceInBothLanguages) {
    const std::string notice = BuiltInTextsNotice({"/a/language.sys", "/b/language.sys"});
    const std::string zh = TextCatalogue(kShipped, kChineseOffset).GetText(kTextBuiltInTextsNotice);
    const std::string en = TextCatalogue(kShipped, kEnglishOffset).GetText(kTextBuiltInTextsNotice);
    ASSERT_FALSE(zh.empty());
    ASSERT_FALSE(en.empty());
    EXPECT_EQ(notice, zh + "\n" + en + "\n/a/language.sys\n/b/language.sys");
}
