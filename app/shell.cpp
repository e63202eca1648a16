#include "app/shell.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#include <filesystem>

#include "app/about_box.h"
#include "app/form_registry.h"
#include "app/radio_ports.h"
#include "app/resource_paths.h"
#include "core/backups.h"
#include "core/codeplug_lib.h"
#include "core/settings.h"
#include "core/text_ids.h"
#include "editors/channel_dlg_frm.h"

namespace vgr47 {

namespace {

QString Filter(const TextCatalogue& texts) {
    return QString::fromStdString(texts.GetText(kTextDataFileType)) + " (*.dat)";
}

}  // namespace

std::optional<std::string> QtFileDialogs::AskOpenPath() { return AskOpenPathIn(""); }

std::optional<std::string> QtFileDialogs::AskOpenPathIn(const std::string& folder) {
    QString path = QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(folder),
                                                Filter(texts_));
    if (path.isEmpty()) return std::nullopt;
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
    QFileDialog dialog(parent_, QString(), QString(), Filter(texts_));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("dat");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
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
      qtDialogs_(frame_, texts),
      messages_(messages ? messages : &qtMessages_),
      dialogs_(dialogs ? dialogs : &qtDialogs_) {
    frame_->installEventFilter(new ClosingFilter(this));
    connect(frame_, &CMainFrame::commandTriggered, this, &Shell::RunCommand);
    channels_ = std::make_unique<ChannelModel>(image_, model_, texts_);
    ports_ = std::make_unique<RadioPorts>(values_.programDir, model_.edition());
    env_ = std::make_unique<FormEnv>(FormEnv{values_, texts_, image_, model_, *messages_, *channels_, *frame_,
                                             [this] { if (channelForm_) channelForm_->Refill(); },
                                             [this] { RefreshFromImage(); },
                                             [this] {
                                                 FileContext ctx = Context();
                                                 bool saved = SaveDataFile(ctx) == FileResult::Done;
                                                 frame_->SetFilePath(image_.filePath());
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

Shell::~Shell() { delete frame_; }

FileContext Shell::Context() { return FileContext{image_, model_, *messages_, texts_, *dialogs_, values_.version}; }

void Shell::LoadStartupImage() {
    Settings settings(values_.programDir);
    std::string path = TrimText(settings.GetSetting("file", "file_path"));
    if (!path.empty() && FileExists(path)) {
        if (auto loaded = LoadCodeplugFile(path)) {
            image_.InstallOpened(*loaded, path);
            model_.UpdateModelFromImage(image_.image());
            RefreshFromImage();
            return;
        }
        messages_->ShowMessage(texts_.GetText(kTextStartupFileUnreadable));
    }
    image_.InstallNew(BuildTemplate(model_.edition()));
    model_.UpdateModelFromImage(image_.image());
    RefreshFromImage();
}

void Shell::EnsureChannelForm() {
    if (channelForm_) return;
    channelForm_ = new CMainFrm(*channels_, texts_);
    // The channel dialog is modal and no transfer runs beside it, so it may run its own loop.
    connect(channelForm_, &CMainFrm::channelDialogRequested, this, [this](int row) {
        CChannelDlg dialog(*channelForm_, *channels_, image_, texts_, row, frame_);
        dialog.exec();
    });
    QMdiSubWindow* sub = frame_->mdiArea()->addSubWindow(channelForm_);
    // The channel window stays open for the whole run: every image change refills it.
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowMinMaxButtonsHint);
    sub->setWindowTitle(channelForm_->windowTitle());
    sub->resize(760, 430);
    sub->show();
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
    if (onImageReplaced) onImageReplaced();
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
            if (OpenDataFile(ctx) == FileResult::Done) RefreshFromImage();
            break;
        case kCmdOpenBackup:
            OpenBackup();
            break;
        case kCmdReadData:
            // A read replaces the image: the same question as New and Open, the same stop rule.
            if (!ConfirmReplacingImage(ctx)) return;
            OpenForm(command);
            break;
        case kCmdSave:
            SaveDataFile(ctx);
            frame_->SetFilePath(image_.filePath());
            break;
        case kCmdSaveAs:
            SaveDataFileAs(ctx);
            frame_->SetFilePath(image_.filePath());
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
    std::string file = FindResource(values_.programDir, QCoreApplication::applicationDirPath().toStdString(),
                                    "help/" + HelpFileName(values_));
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
}

}  // namespace vgr47
