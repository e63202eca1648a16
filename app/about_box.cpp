#include "app/about_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/text_ids.h"

namespace vgr47 {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QStringList EditionLines(const AppValues& values, const TextCatalogue& texts) {
    if (values.editionKey == "vgr47")
        return {Q(texts.GetText(kTextAboutModels)), Q(texts.GetText(kTextAboutRelease)),
                Q(texts.GetText(kTextAboutCompany))};
    DealerAboutLines d = DealerAbout(values.editionKey);
    return {Q(d.models), Q(d.release), Q(d.company)};
}

}  // namespace

AboutBox::AboutBox(const AppValues& values, const TextCatalogue& texts, QWidget* parent) : QDialog(parent) {
    const QString key = Q(UpperAscii(values.editionKey));
    setWindowTitle(Q(texts.GetText(kTextAbout)) + " " + key);
    lines_ << Q(texts.GetText(kTextAboutVersion)) + " " + Q(values.version)
           << Q(texts.GetText(kTextAboutProduct)) + " " + key + " " + Q(texts.GetText(kTextAboutEdition))
           << EditionLines(values, texts);
    auto* layout = new QVBoxLayout(this);
    for (const QString& line : lines_) layout->addWidget(new QLabel(line, this));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Q(texts.GetText(kTextOk)), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

SplashWindow::SplashWindow(const AppValues& values, const TextCatalogue& texts)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 430);
    if (values.editionKey == "vgr47") {
        lines_ << Q(texts.GetText(kTextAboutModels)) << Q(texts.GetText(kTextAboutCompany));
    } else if (values.editionKey != "ja31") {
        DealerAboutLines d = DealerAbout(values.editionKey);
        lines_ << Q(d.models) << Q(d.company);
    }
    qApp->installEventFilter(this);
    QTimer::singleShot(1500, this, &QWidget::close);
}

SplashWindow::~SplashWindow() { qApp->removeEventFilter(this); }

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            QTimer::singleShot(0, this, &QWidget::close);
            break;
        case QEvent::Show:
            // A message at start-up (a remembered file that cannot be read) must not sit
            // under the splash, its OK button hidden.
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow()) {
                hide();
                QTimer::singleShot(0, this, &QWidget::close);
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::paintEvent(QPaintEvent*) {
    // Our own picture: a dark blue field with the program's name and a radio outline.
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(16, 40, 96));
    g.setColorAt(1, QColor(4, 12, 40));
    p.fillRect(rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 220, 255), 3));
    p.drawRoundedRect(QRect(60, 90, 90, 220), 14, 14);
    p.drawLine(120, 90, 120, 30);
    p.drawRect(QRect(75, 120, 60, 50));
    QFont big = font();
    big.setPointSize(40);
    big.setBold(true);
    p.setFont(big);
    p.setPen(Qt::white);
    p.drawText(QRect(180, 110, 360, 80), Qt::AlignLeft | Qt::AlignVCenter, "VGR47");
    QFont small = font();
    small.setPointSize(9);
    p.setFont(small);
    p.drawText(QRect(180, 190, 360, 30), Qt::AlignLeft, "Radio programming software");
    for (int i = 0; i < lines_.size(); ++i)
        p.drawText(QRect(200, 373 + 23 * i, 340, 18), Qt::AlignLeft | Qt::AlignVCenter, lines_[i]);
}

}  // namespace vgr47
