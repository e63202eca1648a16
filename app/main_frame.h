// The main window: menu, toolbar, two-pane status bar and the child windows of the forms.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <QMdiSubWindow>

#include <functional>
#include <QPointer>

#include "app/shell_rules.h"
#include "core/text_catalogue.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace vgr47 {

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

    // Opens a form in its child window, or brings the open one to the front.
    QMdiSubWindow* OpenOrActivate(int command, const std::function<QWidget*()>& create);
    QMdiSubWindow* openForm(int command) const { return forms_.value(command); }

signals:
    void commandTriggered(int command);

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
};

}  // namespace vgr47
