#include "editors/port/port_view.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSerialPortInfo>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <memory>

#include "core/text_ids.h"
#include "link/qt_serial_port.h"

namespace vgr47 {

PortProbe ProbeSerialDevice(const std::string& name) {
    QtSerialPort port;
    OpenResult opened = port.Open(name);
    port.Close();
    switch (opened.error) {
        case OpenError::None:
            return PortProbe::Present;
        case OpenError::NoSuchDevice:
            return PortProbe::Missing;
        case OpenError::Busy:
            return PortProbe::Busy;
        case OpenError::PermissionDenied:
            return PortProbe::Denied;
        case OpenError::Other:
            break;
    }
    return PortProbe::Missing;
}

std::vector<PortChoiceModel::Candidate> SystemSerialPorts() {
#ifdef Q_OS_WIN
    return PortChoiceModel::WindowsPorts();
#else
    std::vector<PortChoiceModel::Candidate> ports;
    // The serial number tells apart the identical cables of a hub.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        std::string about = info.description().toStdString();
        if (!info.serialNumber().isEmpty())
            about += (about.empty() ? "" : " ") + ("[" + info.serialNumber().toStdString() + "]");
        ports.push_back({info.systemLocation().toStdString(), about});
    }
    return ports;
#endif
}

PortView::PortView(const TextCatalogue& texts, std::string programDir, std::string& currentPort,
                   std::function<void(const std::string&)> portStored, QWidget* parent)
    : PortView(texts, std::move(programDir), currentPort, std::move(portStored),
               Options{SystemSerialPorts(), ProbeSerialDevice, kProbeTimeLimitMs}, parent) {}

PortView::PortView(const TextCatalogue& texts, std::string programDir, std::string& currentPort,
                   std::function<void(const std::string&)> portStored, Options options,
                   QWidget* parent)
    : FormView(parent),
      texts_(texts),
      programDir_(std::move(programDir)),
      currentPort_(currentPort),
      portStored_(std::move(portStored)),
      options_(std::move(options)),
      model_(options_.candidates, Settings(programDir_).GetSetting("computer", "com")),
      group_(new QButtonGroup(this)),
      typedButton_(new QRadioButton(this)),
      pathEdit_(new QLineEdit(this)) {
    setWindowTitle(QString::fromStdString(texts.GetText(kTextPortSettingsTitle)));

    auto* list = new QWidget;
    auto* listLayout = new QVBoxLayout(list);
    for (std::size_t i = 0; i < model_.entries().size(); ++i) {
        const PortEntry& e = model_.entries()[i];
        QString caption = QString::fromStdString(e.name);
        if (!e.description.empty())
            caption += QStringLiteral("  (%1)").arg(QString::fromStdString(e.description));
        auto* b = new QRadioButton(caption, list);
        group_->addButton(b, static_cast<int>(i));
        listLayout->addWidget(b);
        buttons_.push_back(b);
    }
    auto* typedRow = new QHBoxLayout;
    group_->addButton(typedButton_, PortChoiceModel::kTyped);
    typedRow->addWidget(typedButton_);
    pathEdit_->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    pathEdit_->setText(QString::fromStdString(model_.typedPath()));
    typedRow->addWidget(pathEdit_, 1);
    listLayout->addLayout(typedRow);
    listLayout->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto* ok = new QPushButton(QString::fromStdString(texts.GetText(kTextOk)), this);
    auto* cancel = new QPushButton(QString::fromStdString(texts.GetText(kTextCancel)), this);
    ok->setDefault(true);
    auto* buttonsRow = new QHBoxLayout;
    buttonsRow->addStretch(1);
    buttonsRow->addWidget(ok);
    buttonsRow->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttonsRow);

    if (QAbstractButton* b = group_->button(model_.selected())) b->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) { model_.Select(id); });
    connect(pathEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.SetTypedPath(text.toStdString());
        typedButton_->setChecked(true);
    });
    connect(ok, &QPushButton::clicked, this, &PortView::Ok);
    connect(cancel, &QPushButton::clicked, this, &FormView::closeRequested);
    SetOkCancel(ok, cancel);
    SetPlacementOffset(QPoint(200, 50));

    ShowProbes();
    StartProbes();
    // Show the whole list unless the system has very many devices; then it scrolls.
    scroll->setMinimumHeight(std::min(list->sizeHint().height(), 400));
    scroll->setMinimumWidth(std::max(list->sizeHint().width(), 320));
}

QRadioButton* PortView::button(int entry) const {
    return entry >= 0 && entry < static_cast<int>(buttons_.size())
               ? buttons_[static_cast<std::size_t>(entry)]
               : nullptr;
}

void PortView::StartProbes() {
    const std::vector<std::string> names = model_.PendingProbes();
    if (names.empty()) return;
    // One thread per device: a device whose driver hangs in open() must not hold up the
    // others. A thread outliving the form only drops its answer; it deletes itself.
    for (const std::string& name : names) {
        auto result = std::make_shared<std::atomic<int>>(static_cast<int>(PortProbe::Pending));
        auto probe = options_.probe;
        QThread* worker = QThread::create(
            [probe, name, result] { result->store(static_cast<int>(probe(name))); });
        connect(worker, &QThread::finished, this, [this, name, result] {
            model_.SetProbeResult(name, static_cast<PortProbe>(result->load()));
            ShowProbes();
        });
        connect(worker, &QThread::finished, worker, &QObject::deleteLater);
        worker->start();
    }
    QTimer::singleShot(options_.probeTimeLimitMs, this, [this] {
        model_.ExpirePendingProbes();
        ShowProbes();
    });
}

void PortView::ShowProbes() {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setEnabled(model_.entries()[i].enabled());
}

void PortView::Ok() {
    model_.Store(Settings(programDir_), currentPort_);
    if (portStored_) portStored_(currentPort_);
    emit closeRequested();
}

}  // namespace vgr47
