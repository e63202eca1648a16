#include "app/qt_messages.h"

#include <QMessageBox>

namespace vgr47 {

void QtMessages::ShowMessage(const std::string& text) {
    QMessageBox::information(parent_, kProgramShortName, QString::fromStdString(text), QMessageBox::Ok);
}

void QtMessages::ShowWarning(const std::string& text) {
    QMessageBox::warning(parent_, kProgramShortName, QString::fromStdString(text), QMessageBox::Ok);
}

Answer QtMessages::Ask(const std::string& text, const std::string& caption, Buttons buttons, bool defaultNo) {
    if (buttons == Buttons::OkCancel) {
        auto answer = QMessageBox::question(parent_, QString::fromStdString(caption), QString::fromStdString(text),
                                            QMessageBox::Ok | QMessageBox::Cancel,
                                            defaultNo ? QMessageBox::Cancel : QMessageBox::Ok);
        return answer == QMessageBox::Ok ? Answer::Yes : Answer::Cancel;
    }
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) set |= QMessageBox::Cancel;
    auto answer = QMessageBox::question(parent_, QString::fromStdString(caption), QString::fromStdString(text), set,
                                        defaultNo ? QMessageBox::No : QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return Answer::Yes;
    if (answer == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

}  // namespace vgr47
