#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vgr47 {

QTranslator* InstallQtTranslations(QCoreApplication& app, bool chinese) {
    if (!chinese) return nullptr;
    auto* translator = new QTranslator(&app);
    // Without the translations installed, Qt's texts simply stay English.
    if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace vgr47
