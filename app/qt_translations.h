// Qt's own texts (the buttons of message boxes, the file dialogs) in the program's language.
#pragma once

class QCoreApplication;
class QTranslator;

namespace vgr47 {

// Loads Qt's translation for Chinese from Qt's translations folder; English needs none.
// Returns the installed translator (owned by the application), or nullptr.
QTranslator* InstallQtTranslations(QCoreApplication& app, bool chinese);

}  // namespace vgr47
