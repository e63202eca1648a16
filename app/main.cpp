#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <clocale>
#include <iostream>

#include "app/about_box.h"
#include "app/interface_font.h"
#include "app/qt_messages.h"
#include "app/qt_translations.h"
#include "app/resource_paths.h"
#include "app/shell.h"
#include "app/shell_rules.h"
#include "app/start_up.h"
#include "core/text_catalogue.h"
#include "core/text_ids.h"

#ifndef VGR47_EDITION_KEY
#define VGR47_EDITION_KEY "vgr47"
#endif

namespace {

// An installed program's file dialogs start in the user's documents folder, or at home when
// there is none.
std::string DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents.toStdString();
    return QDir::homePath().toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before Qt looks for a display, so they work on a console too.
    const vgr47::StartOptions options =
        vgr47::ParseStartOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.version) {
        std::cout << vgr47::VersionLine("vgr47", qVersion()) << '\n';
        return 0;
    }
    if (options.help) {
        std::cout << vgr47::StartUsage();
        return 0;
    }
    if (!options.problem.empty()) {
        std::cerr << "vgr47: " << options.problem << '\n' << vgr47::StartUsage();
        return 2;
    }

    QApplication app(argc, argv);
    // Qt applies the user's locale on Unix; numbers are always written with ".".
    std::setlocale(LC_NUMERIC, "C");
    // The desktop pairs the window with its entry (vgr47.desktop) and the installed icon.
    QGuiApplication::setDesktopFileName("vgr47");
    QApplication::setWindowIcon(QIcon::fromTheme("vgr47"));

    vgr47::StartFolder start = vgr47::PrepareStartFolder(QDir::currentPath().toStdString(),
                                                         VGR47_EDITION_KEY, DocumentsFolder());
    vgr47::AppValues& values = start.values;
    const std::string& programDir = values.programDir;
    const std::string exeDir = QCoreApplication::applicationDirPath().toStdString();
    std::vector<std::string> textPlaces;
    const vgr47::TextCatalogue texts =
        vgr47::LocateTextCatalogue(programDir, exeDir, values.languageOffset, &textPlaces);

    QApplication::setFont(vgr47::InterfaceFont(texts.isChinese()));
    vgr47::InstallQtTranslations(app, texts.isChinese());

    vgr47::Edition edition =
        vgr47::EditionFromKey(values.editionKey).value_or(vgr47::Edition::Vgr47);
    vgr47::CodeplugImage image;
    vgr47::ModelState model(edition);
    vgr47::Shell shell(values, texts, image, model);
    vgr47::CMainFrame& frame = shell.frame();
    // Tests: the timer may fire while a notice below is open; the program then ends at once.
    bool quitting = false;
    if (options.quitAfterMs >= 0) {
        QTimer::singleShot(options.quitAfterMs, &frame, [&frame, &quitting] {
            quitting = true;
            frame.close();
            QCoreApplication::quit();
        });
    }
    auto* splash = new vgr47::SplashWindow(values, texts);
    splash->show();
    // Built-in texts mean a damaged installation: say so once, and where the file was looked for
    // (on the console too, for whoever installed it).
    if (texts.isBuiltIn()) {
        const std::string notice = vgr47::BuiltInTextsNotice(textPlaces);
        std::cerr << "vgr47: " << notice << '\n';
        vgr47::QtMessages(&frame).ShowMessage(notice);
    }
    if (!start.problem.empty())
        vgr47::QtMessages(&frame).ShowMessage(texts.GetText(vgr47::kTextSettingsFolderFailed) +
                                              "\n" + start.problem);
    if (quitting) return 0;
    shell.LoadStartupImage();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = screen->availableGeometry();
        frame.move(r.x() + (r.width() - 790) / 2, r.y() + (r.height() - 572) / 2 - 12);
    }
    frame.show();
    return quitting ? 0 : app.exec();
}
