// The model information form's list and every way its OK can end.
#include "editors/model_info/model_info_model.h"

#include <gtest/gtest.h>

#include "core/memory_map.h"
#include "core/text_ids.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

struct User : testing::RecordingMessages, FileDialogs, ModelChangeHooks {
    int keyFormClosed = 0, saves = 0;
    bool saveSucceeds = true;
    User() : RecordingMessages(Answer::Cancel) {}
    std::optional<std::string> AskOpenPath() override { return std::nullopt; }
    std::optional<std::string> AskSavePath() override { return std::nullopt; }
    void CloseKeyAssignForm() override { ++keyFormClosed; }
    bool SaveImage(FileContext& ctx) override {
        ++saves;
        if (saveSucceeds) ctx.image.MarkSaved("/tmp/saved.dat");
        return saveSucceeds;
    }
};

struct Form {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state;
    CodeplugImage image;
    User user;
    FileContext ctx{image, state, user, texts, user, "5.05"};
    explicit Form(Edition edition = Edition::Vgr47, int model = 8) : state(edition) {
        image.InstallOpened(BuildModelImage(state, ModelCatalogue()[model].identity),
                            "/tmp/old.dat");
    }
    void Edit() { image.WriteBytes(0, "00256013"); }
};

TEST(ModelInfo, ListsTheEditionsModelsWithTheCurrentOneSelected) {
    Form f;
    ModelInfoModel m(f.ctx, f.user);
    EXPECT_EQ(m.names(), EditionListNames(Edition::Vgr47));
    EXPECT_EQ(m.selected(), 8);
    f.image.WriteBytes(mem::kIdentity, "4B56323230544646");  // an identity no catalogue row has
    f.state.UpdateModelFromImage(f.image.image());
    ModelInfoModel unknown(f.ctx, f.user);
    EXPECT_EQ(unknown.selected(), -1);
    unknown.Select(99);
    EXPECT_EQ(unknown.selected(), -1);

    Form nyl(Edition::Nyl74, 10);
    ModelInfoModel two(nyl.ctx, nyl.user);
    EXPECT_EQ(two.names().size(), 2u);
    EXPECT_EQ(two.selected(), 1);
}

TEST(ModelInfo, OkOnTheCurrentModelClosesWithoutAsking) {
    Form f;
    f.Edit();
    const std::string before = f.image.image();
    ModelInfoModel m(f.ctx, f.user);
    ModelChangeResult r = m.Apply();
    EXPECT_EQ(r, ModelChangeResult::Unchanged);
    EXPECT_TRUE(ModelInfoModel::ClosesForm(r));
    EXPECT_TRUE(f.user.asked.empty());
    EXPECT_EQ(f.image.image(), before);

    Form single(Edition::Fzc85, 0);
    ModelInfoModel one(single.ctx, single.user);
    one.Select(0);
    EXPECT_EQ(one.Apply(), ModelChangeResult::Unchanged);
    EXPECT_TRUE(single.user.asked.empty());
}

TEST(ModelInfo, NoPutsTheSelectionBackAndKeepsTheFormOpen) {
    Form f;
    ModelInfoModel m(f.ctx, f.user);
    m.Select(15);
    f.user.answers = {Answer::No};
    ModelChangeResult r = m.Apply();
    EXPECT_EQ(r, ModelChangeResult::Declined);
    EXPECT_FALSE(ModelInfoModel::ClosesForm(r));
    EXPECT_EQ(m.selected(), 8);
    EXPECT_EQ(f.user.asked, std::vector<std::string>{f.texts.GetText(kTextChangeModelQuestion)});
    EXPECT_EQ(f.user.keyFormClosed, 0);
}

TEST(ModelInfo, CancelOrAFailedSaveKeepsEverything) {
    for (bool cancel : {true, false}) {
        Form f;
        f.Edit();
        const std::string before = f.image.image();
        ModelInfoModel m(f.ctx, f.user);
        m.Select(15);
        f.user.answers = {Answer::Yes, cancel ? Answer::Cancel : Answer::Yes};
        f.user.saveSucceeds = false;
        ModelChangeResult r = m.Apply();
        EXPECT_EQ(r, ModelChangeResult::Cancelled);
        EXPECT_FALSE(ModelInfoModel::ClosesForm(r));
        EXPECT_EQ(f.user.saves, cancel ? 0 : 1);
        EXPECT_EQ(f.user.keyFormClosed, 1);
        EXPECT_EQ(f.image.image(), before);
        EXPECT_EQ(f.image.filePath(), "/tmp/old.dat");
        EXPECT_EQ(m.selected(), 15);  // the choice stays for another try
    }
}

TEST(ModelInfo, YesInstallsTheChosenModelsDefaultImage) {
    Form f;
    f.Edit();
    ModelInfoModel m(f.ctx, f.user);
    m.Select(15);
    f.user.answers = {Answer::Yes, Answer::Yes};
    ModelChangeResult r = m.Apply();
    EXPECT_EQ(r, ModelChangeResult::Changed);
    EXPECT_TRUE(ModelInfoModel::ClosesForm(r));
    EXPECT_EQ(f.user.saves, 1);
    ASSERT_EQ(f.user.asked.size(), 2u);
    EXPECT_EQ(f.user.asked[1], "/tmp/old.dat " + f.texts.GetText(kTextSaveChangesQuestion));
    ModelState fresh;
    EXPECT_EQ(f.image.image(), BuildModelImage(fresh, ModelCatalogue()[15].identity));
    EXPECT_FALSE(f.image.IsModified());
    EXPECT_EQ(f.image.filePath(), "");
    EXPECT_EQ(f.state.bandLow(), 450);
    EXPECT_EQ(f.state.bandHigh(), 527);
    EXPECT_EQ(m.selected(), 15);
}

TEST(ModelInfo, EveryEditionsListBuildsItsModels) {
    for (Edition e :
         {Edition::Vgr47, Edition::Ja31, Edition::Hwm63, Edition::DOk2, Edition::Nyl74}) {
        const int count = static_cast<int>(EditionListNames(e).size());
        for (int entry = 0; entry < count; ++entry) {
            Form f(e, e == Edition::Nyl74 ? 8 : 0);
            ModelInfoModel m(f.ctx, f.user);
            if (entry == m.selected()) continue;
            m.Select(entry);
            f.user.answers = {Answer::Yes};  // an unmodified file image needs no save question
            ASSERT_EQ(m.Apply(), ModelChangeResult::Changed) << EditionKey(e) << " " << entry;
            const int index = CatalogueIndexForListEntry(e, entry);
            EXPECT_EQ(f.state.currentIdentity(), ModelCatalogue()[index].identity);
            EXPECT_EQ(f.state.bandLow(), ModelCatalogue()[index].bandLow);
            EXPECT_EQ(f.user.asked.size(), 1u);
        }
    }
}

}  // namespace
}  // namespace vgr47
