#include <QApplication>
#include <QDir>
#include <QFont>

#include <clocale>

#include "app/main_frame.h"
#include "app/resource_paths.h"
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

    QFont font;
    if (texts.isChinese())
        font.setFamilies({QString::fromUtf8("\xE5\xAE\x8B\xE4\xBD\x93"), "SimSun", "WenQuanYi Micro Hei"});
    else
        font.setFamilies({"Tahama", "Tahoma", "DejaVu Sans"});
    font.setPointSize(9);
    QApplication::setFont(font);

    vgr47::CMainFrame frame(values, texts);
    frame.setWindowTitle("VGR47 V" + QString::fromStdString(values.version));
    frame.show();
    return app.exec();
}
