// A shell over a fresh program folder (per process and test) with recorded messages and
// scripted file dialogs, for the widget tests of the main window.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/shell.h"
#include "core/text_ids.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

namespace vgr47 {

struct ScriptedDialogs : FileDialogs {
    std::optional<std::string> open, save;
    std::optional<std::string> AskOpenPath() override { return open; }
    std::optional<std::string> AskSavePath() override { return save; }
};

using testing::EnsureTestApp;

struct ShellFixture : ::testing::Test {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("vgr47-window-" + std::to_string(::getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    AppValues values;
    std::unique_ptr<TextCatalogue> texts;
    CodeplugImage image;
    ModelState model{Edition::Vgr47};
    testing::RecordingMessages messages;
    ScriptedDialogs dialogs;
    std::unique_ptr<Shell> shell;

    // A shell in the language given, its window shown at its first size, holding the default
    // codeplug of catalogue model `modelIndex` (8: a signalling model, 0: a basic one).
    void Start(int offset = kEnglishOffset, int modelIndex = 8) {
        EnsureTestApp();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        values.programDir = dir.string();
        values.languageOffset = offset;
        texts = std::make_unique<TextCatalogue>(
            std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", offset);
        shell = std::make_unique<Shell>(values, *texts, image, model, &messages, &dialogs);
        image.InstallNew(BuildModelImage(model, ModelCatalogue()[modelIndex].identity));
        model.UpdateModelFromImage(image.image());
        shell->RefreshFromImage();
        shell->frame().show();
        QApplication::processEvents();
    }
    void TearDown() override {
        shell.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::filesystem::remove_all(dir);
    }
    CMainFrame& frame() { return shell->frame(); }
    std::string T(int n) const { return texts->GetText(n); }
};

}  // namespace vgr47
