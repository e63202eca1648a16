// The main window: menu, toolbar, two-pane status bar and the child windows of the forms.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <QMdiSubWindow>

#include <functional>
#include <string>
#include <vector>
#include <QPointer>

#include "app/shell_rules.h"
#include "core/text_catalogue.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace vgr47 {

class WindowMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(const AppValues& values, const TextCatalogue& texts, QWidget* parent = nullptr);

    QAction* action(int command) const { return actions_.value(command, nullptr); }
    QMenu* testMenu() const { return testMenu_; }
    QMdiArea* mdiArea() const { return mdi_; }
    QLabel* filePane() const { return filePane_; }
    QLabel* portPane() const { return portPane_; }

    // Greys the signalling-only commands for a basic model.
    void SetSignallingModel(bool signalling);
    void SetFilePath(const std::string& path);
    void SetPortName(const std::string& port);

    // Opens a form in its child window, inside the visible area, or brings the open one to
    // the front and into view.
    QMdiSubWindow* OpenOrActivate(int command, const std::function<QWidget*()>& create);
    QMdiSubWindow* openForm(int command) const { return forms_.value(command); }

    // The channel window: it follows the area's size and stays when the others are closed.
    void SetChannelWindow(QMdiSubWindow* window);
    QMdiSubWindow* channelWindow() const { return channelWindow_; }
    WindowMenu* windowMenu() const { return windowMenu_; }
    // The recent files between Save As and Exit, newest first.
    void SetRecentFiles(const std::vector<std::string>& paths);
    QList<QAction*> recentFileActions() const { return recentActions_; }
    void SetUndoAvailable(bool undo, bool redo);

signals:
    void commandTriggered(int command);
    void recentFileChosen(const QString& path);

private:
    QString T(int number) const;
    QAction* AddCommand(QMenu* menu, int command, int textNumber);
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void ApplyRemovals();

    const AppValues& values_;
    const TextCatalogue& texts_;
    QMdiArea* mdi_ = nullptr;
    QLabel* filePane_ = nullptr;
    QLabel* portPane_ = nullptr;
    QMenu* testMenu_ = nullptr;
    QAction* portSeparator_ = nullptr;
    QMap<int, QAction*> actions_;
    QMap<int, QPointer<QMdiSubWindow>> forms_;
    bool signalling_ = true;
    QPointer<QMdiSubWindow> channelWindow_;
    WindowMenu* windowMenu_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
};

}  // namespace vgr47
