#include <QApplication>
#include <QDir>
#include <QScreen>

#include <clocale>

#include "app/about_box.h"
#include "app/interface_font.h"
#include "app/qt_translations.h"
#include "app/resource_paths.h"
#include "app/shell.h"
#include "app/shell_rules.h"
#include "core/text_catalogue.h"

#ifndef VGR47_EDITION_KEY
#define VGR47_EDITION_KEY "vgr47"
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Qt applies the user's locale on Unix; numbers are always written with ".".
    std::setlocale(LC_NUMERIC, "C");

    const std::string programDir = QDir::currentPath().toStdString();
    vgr47::AppValues values = vgr47::LoadAppValues(programDir, VGR47_EDITION_KEY);
    const std::string exeDir = QCoreApplication::applicationDirPath().toStdString();
    vgr47::TextCatalogue texts(vgr47::FindResource(programDir, exeDir, "language.sys"), values.languageOffset);

    QApplication::setFont(vgr47::InterfaceFont(texts.isChinese()));
    vgr47::InstallQtTranslations(app, texts.isChinese());

    vgr47::Edition edition = vgr47::EditionFromKey(values.editionKey).value_or(vgr47::Edition::Vgr47);
    vgr47::CodeplugImage image;
    vgr47::ModelState model(edition);
    vgr47::Shell shell(values, texts, image, model);
    auto* splash = new vgr47::SplashWindow(values, texts);
    splash->show();
    shell.LoadStartupImage();

    vgr47::CMainFrame& frame = shell.frame();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = screen->availableGeometry();
        frame.move(r.x() + (r.width() - 790) / 2, r.y() + (r.height() - 572) / 2 - 12);
    }
    frame.show();
    return app.exec();
}
