#include "app/main_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "core/text_ids.h"

namespace vgr47 {

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
    AddCommand(file, kCmdNew, kTextMenuNew)->setShortcut(QKeySequence::New);
    AddCommand(file, kCmdOpen, kTextMenuOpen)->setShortcut(QKeySequence::Open);
    AddCommand(file, kCmdOpenBackup, kTextMenuOpenBackup);
    AddCommand(file, kCmdSave, kTextMenuSave)->setShortcut(QKeySequence::Save);
    AddCommand(file, kCmdSaveAs, kTextMenuSaveAs)->setShortcut(QKeySequence::SaveAs);
    file->addSeparator();
    AddCommand(file, kCmdExit, kTextMenuExit)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* model = bar->addMenu(T(kTextMenuModel));
    AddCommand(model, kCmdModelInformation, kTextMenuModelInformation);

    QMenu* edit = bar->addMenu(T(kTextMenuEdit));
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

    QMenu* settings = bar->addMenu(T(kTextMenuSettings));
    AddCommand(settings, kCmdPort, kTextMenuPort);
    portSeparator_ = settings->addSeparator();
    AddCommand(settings, kCmdEnglish, 0)->setText("English version");
    AddCommand(settings, kCmdChinese, 0)->setText(QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87\xE7\x89\x88"));

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
    tb->setIconSize(QSize(16, 16));
    struct Button {
        int command;
        int tip;
        QStyle::StandardPixmap icon;
    };
    const Button buttons[] = {
        {kCmdNew, kTextToolNew, QStyle::SP_FileIcon},
        {kCmdOpen, kTextToolOpen, QStyle::SP_DialogOpenButton},
        {kCmdSave, kTextToolSave, QStyle::SP_DialogSaveButton},
        {0, 0, QStyle::SP_CustomBase},
        {kCmdReadData, kTextToolReadData, QStyle::SP_ArrowDown},
        {kCmdWriteData, kTextToolWriteData, QStyle::SP_ArrowUp},
        {0, 0, QStyle::SP_CustomBase},
        {kCmdHelpTopics, kTextToolHelpTopics, QStyle::SP_MessageBoxQuestion},
        {kCmdExit, kTextToolExit, QStyle::SP_BrowserStop},
    };
    for (const Button& b : buttons) {
        if (b.command == 0) {
            tb->addSeparator();
            continue;
        }
        QAction* a = tb->addAction(style()->standardIcon(b.icon), T(b.tip));
        a->setToolTip(T(b.tip));
        a->setData(b.command);
        const int command = b.command;
        connect(a, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
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
        existing->showNormal();
        mdi_->setActiveSubWindow(existing);
        existing->raise();
        return existing;
    }
    QWidget* form = create();
    if (!form) return nullptr;
    QMdiSubWindow* sub = mdi_->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(form->windowTitle());
    forms_.insert(command, sub);
    sub->show();
    mdi_->setActiveSubWindow(sub);
    return sub;
}

}  // namespace vgr47
