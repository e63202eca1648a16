#include "app/shell.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QStatusBar>
#include <QUrl>
#include <filesystem>

#include "app/about_box.h"
#include "app/channel_csv_commands.h"
#include "app/edit_history.h"
#include "app/form_registry.h"
#include "app/radio_ports.h"
#include "app/recent_files.h"
#include "app/resource_paths.h"
#include "core/backups.h"
#include "core/codeplug_lib.h"
#include "core/settings.h"
#include "core/text_ids.h"
#include "editors/channels/channel_dialog.h"

namespace vgr47 {

namespace {

QString Filter(const TextCatalogue& texts) {
    return QString::fromStdString(texts.GetText(kTextDataFileType)) + " (*.dat)";
}

}  // namespace

QString QtFileDialogs::StartFolder() const {
    // The folder last used, never the program's own folder.
    if (places && !places->lastFolder().empty() &&
        QDir(QString::fromStdString(places->lastFolder())).exists())
        return QString::fromStdString(places->lastFolder());
    // An installed program starts in the user's documents folder.
    if (!startFolder_.empty() && QDir(QString::fromStdString(startFolder_)).exists())
        return QString::fromStdString(startFolder_);
    return QDir::homePath();
}

void QtFileDialogs::Remember(const QString& path) {
    if (places) places->SetLastFolder(FolderOf(path.toStdString()));
}

std::optional<std::string> QtFileDialogs::AskOpenPath() { return AskOpenPathIn(""); }

std::optional<std::string> QtFileDialogs::AskOpenPathIn(const std::string& folder) {
    // A given folder (the backups) is not remembered as the one the user works in.
    QString path = QFileDialog::getOpenFileName(
        parent_, QString(), folder.empty() ? StartFolder() : QString::fromStdString(folder),
        Filter(texts_));
    if (path.isEmpty()) return std::nullopt;
    if (folder.empty()) Remember(path);
    return path.toStdString();
}

namespace {

// The file dialogs of File > Open backup: the open dialog starts in the backup folder.
class BackupFolderDialogs : public FileDialogs {
  public:
    BackupFolderDialogs(FileDialogs& inner, std::string folder)
        : inner_(inner), folder_(std::move(folder)) {}
    std::optional<std::string> AskOpenPath() override {
        if (auto* qt = dynamic_cast<QtFileDialogs*>(&inner_)) return qt->AskOpenPathIn(folder_);
        return inner_.AskOpenPath();
    }
    std::optional<std::string> AskSavePath() override { return inner_.AskSavePath(); }

  private:
    FileDialogs& inner_;
    std::string folder_;
};

}  // namespace

std::optional<std::string> QtFileDialogs::AskSavePath() {
    QFileDialog dialog(parent_, QString(), StartFolder(), Filter(texts_));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("dat");
    const QString suggested = suggestedName ? QString::fromStdString(suggestedName()) : QString();
    if (!suggested.isEmpty()) {
        const QFileInfo info(suggested);
        if (!info.path().isEmpty() && info.path() != "." && info.dir().exists())
            dialog.setDirectory(info.dir());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    Remember(dialog.selectedFiles().front());
    return dialog.selectedFiles().front().toStdString();
}

// The main window asks the shell before it closes.
class ClosingFilter : public QObject {
public:
    ClosingFilter(Shell* shell) : QObject(shell), shell_(shell) {}
    bool eventFilter(QObject*, QEvent* e) override {
        // The title follows the model whoever changed it (a form, a read, a loaded dump).
        if (e->type() == QEvent::Paint || e->type() == QEvent::WindowActivate) shell_->UpdateTitle();
        if (e->type() == QEvent::Close && !shell_->ConfirmClose()) {
            e->ignore();
            return true;
        }
        return false;
    }

private:
    Shell* shell_;
};

Shell::Shell(AppValues& values, const TextCatalogue& texts, CodeplugImage& image, ModelState& model,
             Messages* messages, FileDialogs* dialogs)
    : values_(values),
      texts_(texts),
      image_(image),
      model_(model),
      frame_(new CMainFrame(values, texts)),
      qtMessages_(frame_),
      qtDialogs_(frame_, texts, values.fileFolder),
      messages_(messages ? messages : &qtMessages_),
      dialogs_(dialogs ? dialogs : &qtDialogs_) {
    frame_->installEventFilter(new ClosingFilter(this));
    connect(frame_, &CMainFrame::commandTriggered, this, &Shell::RunCommand);
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    recent_ = std::make_unique<RecentFiles>(values_.programDir);
    qtDialogs_.places = recent_.get();
    qtDialogs_.suggestedName = [this] {
        const std::string& path = image_.filePath().empty() ? saveAsFrom_ : image_.filePath();
        return SuggestedSaveName(path, model_.ModelDisplayName(model_.currentIdentity()));
    };
    frame_->SetRecentFiles(recent_->paths());
    connect(frame_, &CMainFrame::recentFileChosen, this,
            [this](const QString& path) { OpenRecent(path.toStdString()); });
    history_ = new EditHistory(image_, this);
    connect(history_, &EditHistory::availabilityChanged, frame_, &CMainFrame::SetUndoAvailable);
    connect(history_, &EditHistory::imageRestored, this, &Shell::ShowRestoredImage);
    // A change that reached the image some other way becomes a step before the user moves on.
    connect(frame_->mdiArea(), &QMdiArea::subWindowActivated, history_, &EditHistory::NoteEdit);
    channels_ = std::make_unique<ChannelModel>(image_, model_, texts_);
    channelCsv_ = new ChannelCsvCommands(frame_, image_, *channels_, texts_, *messages_);
    connect(channelCsv_, &ChannelCsvCommands::channelsImported, this, [this] {
        ShowRestoredImage();
        history_->NoteEdit();
    });
    ports_ = std::make_unique<RadioPorts>(values_.programDir, model_.edition());
    env_ = std::make_unique<FormEnv>(FormEnv{values_, texts_, image_, model_, *messages_, *channels_, *frame_,
                                             [this] { if (channelForm_) channelForm_->Refill(); },
                                             [this] { RefreshFromImage(); },
                                             [this] {
                                                 FileContext ctx = Context();
                                                 bool saved = SaveDataFile(ctx) == FileResult::Done;
                                                 frame_->SetFilePath(image_.filePath());
                                                 if (saved) NoteFile();
                                                 return saved;
                                             },
                                             *ports_});
    // Commands whose windows are not part of this build yet stay disabled.
    for (int c : {kCmdModelInformation, kCmdKeySettings, kCmdOptionalFeatures, kCmdScan, kCmdAutoChannelSelect,
                  kCmdDtmf, kCmdTwoTone, kCmdFiveToneSystem, kCmdFiveToneEnDecode, kCmdTestFrequency,
                  kCmdReadData, kCmdWriteData, kCmdTestMode, kCmdRadioInformation, kCmdPort, kCmdTest1}) {
        bool built = false;
        for (const FormEntry& e : FormEntries()) built = built || e.command == c;
        for (const DialogEntry& e : DialogEntries()) built = built || e.command == c;
        if (QAction* a = frame_->action(c); a && !built) a->setProperty("notBuilt", true);
    }
}

Shell::~Shell() {
    // The windows closing with the frame must not reach a history that outlives it.
    delete history_;
    delete frame_;
}

FileContext Shell::Context() { return FileContext{image_, model_, *messages_, texts_, *dialogs_, values_.version}; }

void Shell::LoadStartupImage() {
    Settings settings(values_.programDir);
    std::string path = TrimText(settings.GetSetting("file", "file_path"));
    if (!path.empty() && FileExists(path)) {
        if (auto loaded = LoadCodeplugFile(path)) {
            image_.InstallOpened(*loaded, path);
            model_.UpdateModelFromImage(image_.image());
            RefreshFromImage();
            NoteFile();
            return;
        }
        messages_->ShowMessage(path + " " + texts_.GetText(kTextStartupFileUnreadable));
    }
    // As File > New: a template with empty test frequencies would blank the radio's on a write.
    image_.InstallNew(BuildNewImage(model_));
    model_.UpdateModelFromImage(image_.image());
    RefreshFromImage();
}

void Shell::EnsureChannelForm() {
    if (channelForm_) return;
    channelForm_ = new ChannelGridView(*channels_, texts_);
    // The channel dialog is modal and no transfer runs beside it, so it may run its own loop.
    connect(channelForm_, &ChannelGridView::channelDialogRequested, this, [this](int row) {
        ChannelDialog dialog(*channelForm_, *channels_, image_, texts_, row, frame_);
        channelDialog_ = &dialog;
        // Every applied change is a step; Ctrl+Z and Ctrl+Y work in the dialog too.
        connect(&dialog, &ChannelDialog::imageEdited, history_, &EditHistory::NoteEdit);
        connect(&dialog, &ChannelDialog::statusMessage, frame_,
                [this](const QString& text) { frame_->statusBar()->showMessage(text, 15000); });
        dialog.addActions({frame_->action(kCmdUndo), frame_->action(kCmdRedo)});
        dialog.exec();
        channelDialog_ = nullptr;
    });
    QMdiSubWindow* sub = frame_->mdiArea()->addSubWindow(channelForm_);
    // The channel window stays open for the whole run: every image change refills it.
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowMinMaxButtonsHint);
    sub->setWindowTitle(channelForm_->windowTitle());
    sub->show();
    frame_->SetChannelWindow(sub);
}

void Shell::CloseOtherForms() {
    // Open forms hold values read from the old image and would write them back on OK.
    for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList())
        if (sub->widget() != channelForm_) sub->close();
}

bool Shell::OpenForm(int command) {
    // A greyed command (a signalling form on a basic model, a form whose bytes the image
    // does not hold) opens nothing, however it is reached. The rule is asked directly: a
    // hidden menu item (auto channel select) reports itself disabled.
    if (IsSignallingOnlyCommand(command) && !model_.IsExtendedModel()) return true;
    for (const FormEntry& e : FormEntries()) {
        if (e.command != command) continue;
        if (e.available && !e.available(*env_)) return true;
        frame_->OpenOrActivate(command, [&]() -> QWidget* {
            FormView* form = e.create(*env_);
            if (!form) return nullptr;
            connect(form, &FormView::closeRequested, form, [form] {
                if (QWidget* sub = form->parentWidget()) sub->close();
            });
            // A form's OK is one step.
            connect(form, &FormView::closeRequested, history_, &EditHistory::NoteEdit);
            return form;
        });
        return true;
    }
    for (const DialogEntry& e : DialogEntries()) {
        if (e.command != command) continue;
        e.run(*env_);
        return true;
    }
    return false;
}

void Shell::RefreshFromImage() {
    CloseOtherForms();
    EnsureChannelForm();
    channelForm_->Refill();
    UpdateTitle();
    frame_->SetSignallingModel(model_.IsExtendedModel());
    frame_->SetFilePath(image_.filePath());
    for (QAction* a : frame_->findChildren<QAction*>())
        if (a->property("notBuilt").toBool()) a->setEnabled(false);
    for (const FormEntry& e : FormEntries())
        if (QAction* a = frame_->action(e.command); a && e.available && !e.available(*env_)) a->setEnabled(false);
    history_->Reset();
    if (onImageReplaced) onImageReplaced();
}

void Shell::ShowRestoredImage() {
    // As after a replaced image: open forms hold values read before.
    CloseOtherForms();
    if (channelForm_) channelForm_->Redecode();
    if (channelDialog_) channelDialog_->ReloadChannel();
}

void Shell::NoteFile() {
    if (image_.filePath().empty()) return;
    recent_->Add(image_.filePath());
    frame_->SetRecentFiles(recent_->paths());
}

void Shell::OpenRecent(const std::string& path) {
    if (!FileExists(path)) {
        messages_->ShowMessage(path + " " + texts_.GetText(kTextRecentFileMissing));
        recent_->Remove(path);
        frame_->SetRecentFiles(recent_->paths());
        return;
    }
    // The same question and checks as Open, without the file dialog.
    struct Chosen : FileDialogs {
        std::string path;
        FileDialogs* saving;
        std::optional<std::string> AskOpenPath() override { return path; }
        std::optional<std::string> AskSavePath() override { return saving->AskSavePath(); }
    } chosen;
    chosen.path = path;
    chosen.saving = dialogs_;
    FileContext ctx{image_, model_, *messages_, texts_, chosen, values_.version};
    if (OpenDataFile(ctx) == FileResult::Done) {
        RefreshFromImage();
        NoteFile();
    }
}

void Shell::UpdateTitle() {
    const QString title = QString::fromStdString(model_.TitleText(values_.version));
    if (frame_->windowTitle() != title) frame_->setWindowTitle(title);
}

void Shell::RunCommand(int command) {
    FileContext ctx = Context();
    switch (command) {
        case kCmdNew:
            if (!ConfirmReplacingImage(ctx)) return;
            image_.InstallNew(BuildNewImage(model_));
            RefreshFromImage();
            break;
        case kCmdOpen:
            if (OpenDataFile(ctx) == FileResult::Done) {
                RefreshFromImage();
                NoteFile();
            }
            break;
        case kCmdOpenBackup:
            OpenBackup();
            break;
        case kCmdExportChannels:
            channelCsv_->Export();
            break;
        case kCmdImportChannels:
            channelCsv_->Import();
            break;
        case kCmdReadData:
            // A read replaces the image: the same question as New and Open, the same stop rule.
            if (!ConfirmReplacingImage(ctx)) return;
            OpenForm(command);
            break;
        case kCmdSave:
            if (SaveDataFile(ctx) == FileResult::Done) NoteFile();
            frame_->SetFilePath(image_.filePath());
            break;
        case kCmdSaveAs:
            // Save As forgets the path before it asks; the dialog still offers the file's name.
            saveAsFrom_ = image_.filePath();
            if (SaveDataFileAs(ctx) == FileResult::Done) NoteFile();
            saveAsFrom_.clear();
            frame_->SetFilePath(image_.filePath());
            break;
        case kCmdUndo:
            history_->Undo();
            break;
        case kCmdRedo:
            history_->Redo();
            break;
        case kCmdExit:
            frame_->close();
            break;
        case kCmdEnglish:
            SwitchLanguage(kEnglishOffset);
            break;
        case kCmdChinese:
            SwitchLanguage(kChineseOffset);
            break;
        case kCmdHelpTopics:
            HelpTopics();
            break;
        case kCmdAbout: {
            AboutBox box(values_, texts_, frame_);
            box.exec();
            break;
        }
        case kCmdTest2:
            messages_->ShowMessage(RepeatToLength("123", 10));
            break;
        default:
            OpenForm(command);
            break;
    }
}

bool Shell::ConfirmClose() {
    if (promptDone_) return true;
    if (image_.IsModified()) {
        const std::string& path = image_.filePath();
        std::string question =
            (path.empty() ? texts_.GetText(kTextUntitled) : path) + " " + texts_.GetText(kTextSaveChangesQuestion);
        switch (messages_->Ask(question, texts_.GetText(kTextClosingCaption), Buttons::YesNoCancel)) {
            case Answer::Yes: {
                FileContext ctx = Context();
                // A save that was cancelled or failed keeps the program open: nothing is lost.
                if (SaveDataFile(ctx) != FileResult::Done) return false;
                break;
            }
            case Answer::No:
                break;
            case Answer::Cancel:
                return false;
        }
    }
    if (!image_.imageFromRadio() && !image_.filePath().empty())
        Settings(values_.programDir).SetSetting("file", "file_path", image_.filePath());
    return true;
}

bool Shell::SwitchLanguage(int offset, bool restart) {
    QMessageBox box(QMessageBox::Question, "Message", "Language has changed, you need to restart the software.",
                    QMessageBox::Ok | QMessageBox::Cancel, frame_);
    if (restart && box.exec() != QMessageBox::Ok) return false;
    if (!ConfirmClose()) return false;
    Settings(values_.programDir).SetSetting("language", "language", std::to_string(offset));
    if (restart) {
        QDir::setCurrent(QString::fromStdString(values_.programDir));
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {},
                                QString::fromStdString(values_.programDir));
        // The prompt already ran; leave without asking again.
        promptDone_ = true;
        QCoreApplication::quit();
    }
    return true;
}

void Shell::OpenBackup() {
    const std::string folder = BackupFolder();
    // Made on first use, so that the dialog opens there even before the first backup.
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    BackupFolderDialogs dialogs(*dialogs_, folder);
    FileContext ctx{image_, model_, *messages_, texts_, dialogs, values_.version};
    if (OpenDataFile(ctx) != FileResult::Done) return;
    // A backup is a record of a transfer: Save asks for a new name rather than change it.
    image_.SetFilePath("");
    RefreshFromImage();
}

void Shell::HelpTopics() {
    const std::string name = "help/" + HelpFileName(values_);
    std::string file = FindResource(values_.programDir,
                                    QCoreApplication::applicationDirPath().toStdString(), name);
    if (!FileExists(file)) {
        messages_->ShowMessage(texts_.GetText(kTextHelpMissing) + "\n" + file);
        return;
    }
    // Without a browser nothing would appear at all: say where the page is instead.
    if (!openUrl || !openUrl(QUrl::fromLocalFile(QString::fromStdString(file))))
        messages_->ShowMessage(texts_.GetText(kTextHelpNoBrowser) + "\n" + file);
}

}  // namespace vgr47
