// Runs the program's commands: owns nothing but the main window; the image, model state,
// values and texts are created by main and passed in.
#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

#include "app/main_frame.h"
#include "app/qt_messages.h"
#include "core/codeplug_image.h"
#include "core/data_file.h"
#include "core/model_catalogue.h"
#include "editors/channels/channel_grid_view.h"
#include "editors/channels/channel_model.h"

namespace vgr47 {

struct FormEnv;
class EditHistory;
class RadioPorts;
class RecentFiles;
class ChannelDialog;
class ChannelCsvCommands;

class QtFileDialogs : public FileDialogs {
public:
    // startFolder: where the dialogs open before any folder was used; "" for the home folder.
    QtFileDialogs(QWidget* parent, const TextCatalogue& texts, std::string startFolder = "")
        : parent_(parent), texts_(texts), startFolder_(std::move(startFolder)) {}
    std::optional<std::string> AskOpenPath() override;
    std::optional<std::string> AskSavePath() override;
    // The open dialog, starting in the folder.
    std::optional<std::string> AskOpenPathIn(const std::string& folder);

    // The folder the dialogs start in and remember; the name Save offers.
    RecentFiles* places = nullptr;
    std::function<std::string()> suggestedName;

private:
    QString StartFolder() const;
    void Remember(const QString& path);

    QWidget* parent_;
    const TextCatalogue& texts_;
    std::string startFolder_;
};

class Shell : public QObject {
    Q_OBJECT
public:
    Shell(AppValues& values, const TextCatalogue& texts, CodeplugImage& image, ModelState& model,
          Messages* messages = nullptr, FileDialogs* dialogs = nullptr);
    ~Shell() override;

    CMainFrame& frame() { return *frame_; }
    ChannelGridView* channelForm() const { return channelForm_; }
    ChannelModel& channels() { return *channels_; }
    FormEnv& formEnv() { return *env_; }

    // Loads the remembered file, or the default image; returns the message shown, if any.
    void LoadStartupImage();
    void RefreshFromImage();
    // The main window's title for the current model.
    void UpdateTitle();
    void RunCommand(int command);
    // The closing prompt; true when the program may close.
    bool ConfirmClose();
    // Asks to switch language; true when the switch was confirmed and stored.
    bool SwitchLanguage(int offset, bool restart = true);

    // Called after the whole image was replaced (refills the channel form).
    std::function<void()> onImageReplaced;

    EditHistory& history() { return *history_; }
    RecentFiles& recentFiles() { return *recent_; }
    // Opens a codeplug from the recent files; one that is gone leaves the list with a message.
    void OpenRecent(const std::string& path);
    // Shows the help page; replaced by tests. False when nothing could show it.
    std::function<bool(const QUrl&)> openUrl;
    // The channel dialog while it is open.
    ChannelDialog* channelDialog() const { return channelDialog_; }
    // File > Export channels... and Import channels...
    ChannelCsvCommands& channelCsv() { return *channelCsv_; }

private:
    FileContext Context();
    void HelpTopics();
    void OpenBackup();

    AppValues& values_;
    const TextCatalogue& texts_;
    CodeplugImage& image_;
    ModelState& model_;
    CMainFrame* frame_;
    QtMessages qtMessages_;
    QtFileDialogs qtDialogs_;
    Messages* messages_;
    FileDialogs* dialogs_;
    bool promptDone_ = false;
    std::unique_ptr<ChannelModel> channels_;
    QPointer<ChannelGridView> channelForm_;
    std::unique_ptr<RadioPorts> ports_;
    std::unique_ptr<FormEnv> env_;
    void EnsureChannelForm();
    void CloseOtherForms();
    // Opens the form or runs the dialog registered for the command; false when none is.
    bool OpenForm(int command);
    // After an undo or redo: the grid and the channel dialog read the image again.
    void ShowRestoredImage();
    // A file was opened or saved: it heads the recent files.
    void NoteFile();
    std::unique_ptr<RecentFiles> recent_;
    EditHistory* history_ = nullptr;
    ChannelDialog* channelDialog_ = nullptr;
    ChannelCsvCommands* channelCsv_ = nullptr;
    std::string saveAsFrom_;
};

}  // namespace vgr47
