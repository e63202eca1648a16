#pragma once

#include <QDialog>

#include "app/shell_rules.h"
#include "core/text_catalogue.h"

namespace vgr47 {

// The about box: product, version and the edition's lines.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const AppValues& values, const TextCatalogue& texts, QWidget* parent = nullptr);
    QStringList lines() const { return lines_; }

private:
    QStringList lines_;
};

// The splash window, hidden after 1500 ms or at the first key or mouse press.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow(const AppValues& values, const TextCatalogue& texts);
    ~SplashWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines_;
};

}  // namespace vgr47
