#include "app/main_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>

#include "app/mdi_placement.h"
#include "app/toolbar_icons.h"
#include "app/window_menu.h"
#include "core/text_ids.h"
#include "editors/common/form_view.h"

namespace vgr47 {

namespace {

// A menu caption as a tooltip: without its mnemonic, "(&U)" or "&".
QString PlainCaption(QString caption) {
    caption.remove(QRegularExpression("\\(&.\\)"));
    caption.remove(QRegularExpression("&(?!&)"));
    return caption.trimmed();
}

}  // namespace

CMainFrame::CMainFrame(const AppValues& values, const TextCatalogue& texts, QWidget* parent)
    : QMainWindow(parent), values_(values), texts_(texts) {
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    ApplyRemovals();
    SetUndoAvailable(false, false);
    setWindowIcon(ToolbarIcon(ToolIcon::Program));
    resize(790, 572);
}

QString CMainFrame::T(int number) const { return QString::fromStdString(texts_.GetText(number)); }

QAction* CMainFrame::AddCommand(QMenu* menu, int command, int textNumber) {
    QAction* a = menu->addAction(textNumber > 0 ? T(textNumber) : QString());
    a->setData(command);
    connect(a, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
    actions_.insert(command, a);
    return a;
}

void CMainFrame::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(T(kTextMenuFile));
    fileMenu_ = file;
    AddCommand(file, kCmdNew, kTextMenuNew)->setShortcut(QKeySequence::New);
    AddCommand(file, kCmdOpen, kTextMenuOpen)->setShortcut(QKeySequence::Open);
    AddCommand(file, kCmdOpenBackup, kTextMenuOpenBackup);
    AddCommand(file, kCmdSave, kTextMenuSave)->setShortcut(QKeySequence::Save);
    // Not every platform names a Save As key; this one is the common one.
    AddCommand(file, kCmdSaveAs, kTextMenuSaveAs)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    AddCommand(file, kCmdExportChannels, kTextMenuExportChannels);
    AddCommand(file, kCmdImportChannels, kTextMenuImportChannels);
    file->addSeparator();
    recentSeparator_ = file->addSeparator();
    recentSeparator_->setVisible(false);
    exitAction_ = AddCommand(file, kCmdExit, kTextMenuExit);
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* model = bar->addMenu(T(kTextMenuModel));
    AddCommand(model, kCmdModelInformation, kTextMenuModelInformation);

    QMenu* edit = bar->addMenu(T(kTextMenuEdit));
    AddCommand(edit, kCmdUndo, kTextMenuUndo)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddCommand(edit, kCmdRedo, kTextMenuRedo)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator();
    AddCommand(edit, kCmdKeySettings, kTextMenuKeySettings);
    AddCommand(edit, kCmdOptionalFeatures, kTextMenuOptionalFeatures);
    AddCommand(edit, kCmdScan, kTextMenuScan);
    AddCommand(edit, kCmdAutoChannelSelect,
               values_.editionKey == "vgr47" ? kTextMenuAutoChannelSelect : kTextMenuAutoChannelSelectDealer);
    AddCommand(edit, kCmdDtmf, kTextMenuDtmf);
    AddCommand(edit, kCmdTwoTone, kTextMenuTwoTone);
    QMenu* five = edit->addMenu(T(kTextMenuFiveTone));
    AddCommand(five, kCmdFiveToneSystem, kTextMenuFiveToneSystem);
    AddCommand(five, kCmdFiveToneEnDecode, kTextMenuFiveToneEnDecode);
    AddCommand(edit, kCmdTestFrequency, kTextMenuTestFrequency);

    QMenu* tools = bar->addMenu(T(kTextMenuTools));
    // Radio commands need two keys held, so that writing a radio is never one slip away.
    AddCommand(tools, kCmdReadData, kTextMenuReadData)->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    AddCommand(tools, kCmdWriteData, kTextMenuWriteData)->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    AddCommand(tools, kCmdTestMode, kTextMenuTestMode)->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    AddCommand(tools, kCmdRadioInformation, kTextMenuRadioInformation);
    AddCommand(tools, kCmdWriteSeveral, kTextMenuWriteSeveral);

    QMenu* settings = bar->addMenu(T(kTextMenuSettings));
    AddCommand(settings, kCmdPort, kTextMenuPort);
    portSeparator_ = settings->addSeparator();
    AddCommand(settings, kCmdEnglish, 0)->setText("English version");
    AddCommand(settings, kCmdChinese, 0)->setText(QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87\xE7\x89\x88"));

    QMenu* window = bar->addMenu(T(kTextMenuWindow));
    windowMenu_ = new WindowMenu(
        window, mdi_, texts_, [this] { return channelWindow_.data(); },
        [this] {
            // The scan form closes when another window is chosen or arranged.
            if (QMdiSubWindow* scan = forms_.value(kCmdScan)) scan->close();
        });

    QMenu* help = bar->addMenu(T(kTextMenuHelp));
    AddCommand(help, kCmdHelpTopics, kTextMenuHelpTopics)->setShortcut(QKeySequence::HelpContents);
    AddCommand(help, kCmdAbout, 0)->setText(
        QString::fromStdString(AboutMenuText(values_, texts_.GetText(kTextMenuAbout))));

    testMenu_ = bar->addMenu("Test");
    AddCommand(testMenu_, kCmdTest1, 0)->setText("test 1");
    AddCommand(testMenu_, kCmdTest2, 0)->setText("test 2");
}

void CMainFrame::BuildToolBar() {
    QToolBar* tb = addToolBar("main");
    tb->setObjectName("mainToolBar");
    tb->setIconSize(QSize(24, 24));
    struct Button {
        int command;
        int tip;  // 0: the menu item's caption
        ToolIcon icon;
    };
    const Button buttons[] = {
        {kCmdNew, kTextToolNew, ToolIcon::New},
        {kCmdOpen, kTextToolOpen, ToolIcon::Open},
        {kCmdSave, kTextToolSave, ToolIcon::Save},
        {0, 0, ToolIcon::New},
        {kCmdUndo, 0, ToolIcon::Undo},
        {kCmdRedo, 0, ToolIcon::Redo},
        {0, 0, ToolIcon::New},
        {kCmdReadData, kTextToolReadData, ToolIcon::ReadData},
        {kCmdWriteData, kTextToolWriteData, ToolIcon::WriteData},
        {0, 0, ToolIcon::New},
        {kCmdHelpTopics, kTextToolHelpTopics, ToolIcon::Help},
        {kCmdExit, kTextToolExit, ToolIcon::Exit},
    };
    for (const Button& b : buttons) {
        if (b.command == 0) {
            tb->addSeparator();
            continue;
        }
        QAction* a;
        if (b.tip == 0) {
            // Undo and redo share the menu's action, so both grey together.
            a = actions_.value(b.command);
            a->setIcon(ToolbarIcon(b.icon));
            a->setToolTip(PlainCaption(a->text()));
            tb->addAction(a);
        } else {
            a = tb->addAction(ToolbarIcon(b.icon), T(b.tip));
            a->setToolTip(T(b.tip));
            a->setData(b.command);
            const int command = b.command;
            connect(a, &QAction::triggered, this,
                    [this, command] { emit commandTriggered(command); });
        }
        // Buttons of 35 x 35 pixels, as the program always had.
        if (QWidget* button = tb->widgetForAction(a)) button->setFixedSize(35, 35);
    }
}

void CMainFrame::BuildStatusBar() {
    filePane_ = new QLabel(this);
    portPane_ = new QLabel(this);
    portPane_->setMinimumWidth(70);
    statusBar()->addWidget(filePane_, 1);
    statusBar()->addPermanentWidget(portPane_);
    SetFilePath("");
    SetPortName(values_.portName);
}

void CMainFrame::ApplyRemovals() {
    MenuRemovals r = MenuItemsRemoved(values_);
    for (int command : r.items) {
        QAction* a = actions_.value(command);
        if (!a) continue;
        // The command stays known to the window; only its menu item goes.
        a->setVisible(false);
    }
    if (r.separatorAfterPort && portSeparator_) portSeparator_->setVisible(false);
    if (r.testMenu && testMenu_) testMenu_->menuAction()->setVisible(false);
}

void CMainFrame::SetSignallingModel(bool signalling) {
    signalling_ = signalling;
    for (auto it = actions_.begin(); it != actions_.end(); ++it)
        if (IsSignallingOnlyCommand(it.key())) it.value()->setEnabled(signalling);
}

void CMainFrame::SetFilePath(const std::string& path) {
    filePane_->setText(QString::fromStdString(
        FilePaneText(texts_.GetText(kTextDataFileType), path, texts_.GetText(kTextUntitled))));
}

void CMainFrame::SetPortName(const std::string& port) { portPane_->setText(QString::fromStdString(PortPaneText(port))); }

QMdiSubWindow* CMainFrame::OpenOrActivate(int command, const std::function<QWidget*()>& create) {
    QPointer<QMdiSubWindow> existing = forms_.value(command);
    if (existing) {
        if (existing->isMinimized()) existing->showNormal();
        mdi_->setActiveSubWindow(existing);
        existing->raise();
        BringIntoView(mdi_, existing);
        return existing;
    }
    QWidget* form = create();
    if (!form) return nullptr;
    int open = 0;
    for (const QPointer<QMdiSubWindow>& sub : forms_) open += sub && sub->isVisible() ? 1 : 0;
    QMdiSubWindow* sub = mdi_->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(form->windowTitle());
    sub->setWindowIcon(windowIcon());
    forms_.insert(command, sub);
    sub->adjustSize();
    const auto* view = qobject_cast<FormView*>(form);
    sub->move(NewFormPlace(open, sub->size(), view ? view->placementOffset() : QPoint(),
                           mdi_->viewport()->rect()));
    sub->show();
    // A form larger than the area gives up what it can spare; the rest stays in view.
    BringIntoView(mdi_, sub);
    mdi_->setActiveSubWindow(sub);
    return sub;
}

void CMainFrame::SetChannelWindow(QMdiSubWindow* window) {
    channelWindow_ = window;
    if (!window) return;
    window->setWindowIcon(windowIcon());
    window->move(0, 0);
    new FollowAreaSize(mdi_, window);
}

void CMainFrame::SetRecentFiles(const std::vector<std::string>& paths) {
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString path = QString::fromStdString(paths[i]);
        // A long path keeps its start and its file name.
        QString shown = fileMenu_->fontMetrics().elidedText(path, Qt::ElideMiddle, 420);
        shown.replace('&', "&&");
        auto* a = new QAction(QString("&%1 %2").arg(i + 1).arg(shown), fileMenu_);
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
        fileMenu_->insertAction(recentSeparator_, a);
        recentActions_.append(a);
    }
    recentSeparator_->setVisible(!recentActions_.isEmpty());
}

void CMainFrame::SetUndoAvailable(bool undo, bool redo) {
    if (QAction* a = action(kCmdUndo)) a->setEnabled(undo);
    if (QAction* a = action(kCmdRedo)) a->setEnabled(redo);
}

}  // namespace vgr47
