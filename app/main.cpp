#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <clocale>
#include <iostream>

#include "app/about_box.h"
#include "app/interface_font.h"
#include "app/qt_messages.h"
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

    vgr47::StartFolder start = vgr47::PrepareStartFolder(QDir::currentPath().toStdString(),
                                                         VGR47_EDITION_KEY, DocumentsFolder());
    vgr47::AppValues& values = start.values;
    const std::string& programDir = values.programDir;
    const std::string exeDir = QCoreApplication::applicationDirPath().toStdString();
    std::vector<std::string> textPlaces;
    const vgr47::TextCatalogue texts =
        vgr47::LocateTextCatalogue(programDir, exeDir, values.languageOffset, &textPlaces);

    QApplication::setFont(vgr47::InterfaceFont(texts.isChinese()));

    vgr47::Edition edition =
        vgr47::EditionFromKey(values.editionKey).value_or(vgr47::Edition::Vgr47);
    vgr47::CodeplugImage image;
    vgr47::ModelState model(edition);
    vgr47::Shell shell(values, texts, image, model);
    auto* splash = new vgr47::SplashWindow(values, texts);
    splash->show();
    // Built-in texts mean a damaged installation: say so once, and where the file was looked for.
    if (texts.isBuiltIn())
        vgr47::QtMessages(&shell.frame()).ShowMessage(vgr47::BuiltInTextsNotice(textPlaces));
    if (!start.problem.empty())
        vgr47::QtMessages(&shell.frame())
            .ShowMessage(texts.GetText(vgr47::kTextSettingsFolderFailed) + "\n" + start.problem);
    shell.LoadStartupImage();

    vgr47::CMainFrame& frame = shell.frame();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = screen->availableGeometry();
        frame.move(r.x() + (r.width() - 790) / 2, r.y() + (r.height() - 572) / 2 - 12);
    }
    frame.show();
    if (options.quitAfterMs >= 0) {
        QTimer::singleShot(options.quitAfterMs, &frame, [&frame] {
            frame.close();
            QCoreApplication::quit();
        });
    }
    return app.exec();
}
