#include "app/fleet_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <ctime>
#include <mutex>

#include "app/main_frame.h"
#include "core/backups.h"
#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/safe_file.h"
#include "core/text_ids.h"
#include "link/qt_threads.h"
#include "sim/simulator_settings.h"

namespace vgr47 {

namespace {

enum Column { kPortColumn, kModelColumn, kProgressColumn, kResultColumn, kColumns };

// A radio's line as the single radio dialogs make it.
class ConnectionLine final : public FleetLine {
  public:
    explicit ConnectionLine(RadioConnection c) : c_(std::move(c)) {}
    SerialPort& port() override { return *c_.port; }
    Clock& clock() override { return *c_.clock; }

  private:
    RadioConnection c_;
};

std::vector<std::string> PortNames(const std::vector<SerialPortEntry>& ports) {
    std::vector<std::string> names;
    for (const SerialPortEntry& p : ports) names.push_back(p.path);
    return names;
}

}  // namespace

FleetDialog::FleetDialog(FormEnv& env, QWidget* parent) : FleetDialog(env, Options{}, parent) {}

FleetDialog::FleetDialog(FormEnv& env, Options options, QWidget* parent)
    : QDialog(parent),
      env_(env),
      options_(std::move(options)),
      table_([&env](int n) { return env.texts.GetText(n); },
             [model = env.model](const std::string& id) { return model.ModelDisplayName(id); }),
      portBox_(new QComboBox(this)),
      add_(new QPushButton(this)),
      remove_(new QPushButton(this)),
      detect_(new QPushButton(this)),
      grid_(new QTableWidget(0, kColumns, this)),
      otherModels_(new QCheckBox(this)),
      verify_(new QCheckBox(this)),
      start_(new QPushButton(this)),
      cancel_(new QPushButton(this)),
      save_(new QPushButton(this)),
      note_(new QLabel(this)),
      poll_(new QTimer(this)) {
    if (!options_.listPorts) options_.listPorts = [] { return ListSerialPorts(); };
    setWindowTitle(T(kTextFleetTitle));
    portBox_->setEditable(true);
    portBox_->setMinimumWidth(360);
    add_->setText(T(kTextFleetAddPort));
    remove_->setText(T(kTextFleetRemovePort));
    detect_->setText(T(kTextFleetDetect));
    otherModels_->setText(T(kTextFleetOtherModels));
    verify_->setText(T(kTextVerifyAfterWriting));
    verify_->setChecked(true);
    start_->setText(T(kTextFleetStart));
    cancel_->setText(T(kTextCancel));
    save_->setText(T(kTextFleetSaveReport));
    note_->setWordWrap(true);

    grid_->setHorizontalHeaderLabels({T(kTextFleetPortColumn), T(kTextFleetModelColumn),
                                      T(kTextFleetProgressColumn), T(kTextFleetResultColumn)});
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setSectionResizeMode(kResultColumn, QHeaderView::Stretch);
    grid_->setColumnWidth(kPortColumn, 130);
    grid_->setColumnWidth(kModelColumn, 200);
    grid_->setColumnWidth(kProgressColumn, 120);

    auto* finder = new QHBoxLayout;
    finder->addWidget(new QLabel(T(kTextFleetSerialPorts), this));
    finder->addWidget(portBox_, 1);
    finder->addWidget(add_);
    finder->addWidget(detect_);
    finder->addWidget(remove_);
    auto* choices = new QHBoxLayout;
    choices->addWidget(verify_);
    choices->addWidget(otherModels_);
    choices->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_);
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(finder);
    layout->addWidget(grid_, 1);
    layout->addLayout(choices);
    layout->addWidget(note_);
    layout->addLayout(buttons);
    resize(820, 380);

    connect(add_, &QPushButton::clicked, this, [this] {
        const QString text = portBox_->currentText();
        // An entry of the list carries its description after the device.
        const QVariant data = portBox_->currentData();
        AddPort(data.isValid() && portBox_->itemText(portBox_->currentIndex()) == text
                    ? data.toString()
                    : text);
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        table_.RemovePort(grid_->currentRow());
        ShowRows();
    });
    connect(detect_, &QPushButton::clicked, this, &FleetDialog::ToggleDetect);
    connect(start_, &QPushButton::clicked, this, &FleetDialog::Start);
    connect(cancel_, &QPushButton::clicked, this, &FleetDialog::Cancel);
    connect(save_, &QPushButton::clicked, this, &FleetDialog::AskReportPath);
    poll_->setInterval(options_.pollMs);
    connect(poll_, &QTimer::timeout, this, &FleetDialog::PollDetect);
    RefreshPortList();
    UpdateButtons();
}

FleetDialog::~FleetDialog() {
    // The radios' threads report to this dialog: stop them and wait.
    stop_.store(true);
    if (runner_) runner_->wait();
    const std::lock_guard<std::mutex> ended(runnerEnded_);
    while (toUi_.Take()) {
    }
}

void FleetDialog::PostToUi(std::function<void()> call) {
    toUi_.Put(std::move(call));
    QMetaObject::invokeMethod(this, "DeliverToUi", Qt::QueuedConnection);
}

void FleetDialog::DeliverToUi() {
    if (std::function<void()> call = toUi_.Take()) call();
}

QString FleetDialog::T(int number) const {
    return QString::fromStdString(env_.texts.GetText(number));
}

void FleetDialog::RefreshPortList() {
    const QString typed = portBox_->currentText();
    portBox_->clear();
    for (const SerialPortEntry& port : options_.listPorts()) {
        QString caption = QString::fromStdString(port.path);
        std::string about = port.description;
        if (!port.manufacturer.empty())
            about += about.empty() ? port.manufacturer : " (" + port.manufacturer + ")";
        if (!port.serialNumber.empty())
            about += (about.empty() ? "" : ", ") +
                     FillText(env_.texts.GetText(kTextFleetSerialNumber), {port.serialNumber});
        if (!about.empty()) caption += "  " + QString::fromStdString(about);
        portBox_->addItem(caption, QString::fromStdString(port.path));
    }
    portBox_->addItem(QString::fromLatin1(sim::kSimulatorPortName),
                      QString::fromLatin1(sim::kSimulatorPortName));
    if (!typed.isEmpty()) portBox_->setEditText(typed);
}

void FleetDialog::AddPort(const QString& name) {
    if (table_.AddPort(name.toStdString())) ShowRows();
}

void FleetDialog::ShowRows() {
    grid_->setRowCount(static_cast<int>(table_.rows().size()));
    for (int row = 0; row < grid_->rowCount(); ++row) ShowRow(row);
    UpdateButtons();
}

void FleetDialog::ShowRow(int row) {
    if (row < 0 || row >= grid_->rowCount()) return;
    const FleetTable::Row& r = table_.rows()[static_cast<std::size_t>(row)];
    auto cell = [this, row](int column, const std::string& text) {
        QTableWidgetItem* item = grid_->item(row, column);
        if (!item) grid_->setItem(row, column, item = new QTableWidgetItem);
        item->setText(QString::fromStdString(text));
        item->setToolTip(item->text());
    };
    cell(kPortColumn, r.port);
    cell(kModelColumn, r.model);
    cell(kResultColumn, r.status);
    auto* bar = qobject_cast<QProgressBar*>(grid_->cellWidget(row, kProgressColumn));
    if (!bar) {
        bar = new QProgressBar(grid_);
        bar->setRange(0, 100);
        grid_->setCellWidget(row, kProgressColumn, bar);
    }
    bar->setValue(r.percent);
}

void FleetDialog::UpdateButtons() {
    const bool running = table_.running();
    start_->setEnabled(table_.CanStart());
    cancel_->setEnabled(running);
    save_->setEnabled(table_.HasReport());
    add_->setEnabled(!running);
    remove_->setEnabled(!running && !table_.rows().empty());
    otherModels_->setEnabled(!running);
    verify_->setEnabled(!running);
}

void FleetDialog::Start() {
    if (table_.running()) return;
    if (table_.rows().empty()) {
        env_.messages.ShowWarning(env_.texts.GetText(kTextFleetNoPorts));
        return;
    }
    const std::vector<std::string> ports = table_.ports();
    const bool verify = verify_->isChecked();
    table_.Started(verify);
    stop_.store(false);
    note_->clear();
    ShowRows();

    // Every port's connection is chosen here, on the UI thread; each is made on its radio's.
    auto makers = std::make_shared<std::vector<ConnectionMaker>>();
    for (const std::string& port : ports) {
        AppValues values = env_.values;
        values.portName = port;
        makers->push_back(DefaultConnection(values, env_.ports));
    }
    FleetJob job;
    job.imageHex = env_.image.image();
    job.currentIdentity = env_.model.currentIdentity();
    job.versionStamp = VersionStampHex(env_.values.version);
    job.verify = verify;
    job.writeOtherModel = otherModels_->isChecked();
    job.verifyHeading = env_.texts.GetText(kTextVerifyTrace);

    FleetHooks hooks;
    hooks.threads = RunOnQThreads;
    hooks.cancel = &stop_;
    hooks.makeLine = options_.makeLine;
    if (!hooks.makeLine) {
        hooks.makeLine = [makers](int radio, const std::string&) -> std::unique_ptr<FleetLine> {
            return std::make_unique<ConnectionLine>((*makers)[static_cast<std::size_t>(radio)]());
        };
    }
    const ModelState model = env_.model;
    hooks.isSignalling = [model](const std::string& id) { return model.IsExtendedModel(id); };
    hooks.identified = [this](int radio, const std::string& identity) {
        PostToUi([this, radio, identity] {
            table_.Identified(radio, identity);
            ShowRow(radio);
        });
    };
    hooks.phase = [this](int radio, TransferPhase phase) {
        PostToUi([this, radio, phase] {
            table_.Phase(radio, phase);
            ShowRow(radio);
        });
    };
    hooks.progress = [this](int radio, int position, int maximum) {
        PostToUi([this, radio, position, maximum] {
            table_.Progress(radio, position, maximum);
            ShowRow(radio);
        });
    };
    if (BackupsEnabled(env_.values.programDir)) {
        hooks.keep = [model](int, const std::string& image) {
            const std::string identity = image.substr(2 * mem::kIdentity, 2 * mem::kIdentityBytes);
            const BackupResult kept =
                KeepBackup(BackupFolder(), image, model.ModelDisplayName(identity),
                           BackupKind::Written, std::time(nullptr));
            return kept.ok ? kept.path : std::string();
        };
    }
    hooks.finished = [this](int radio, const FleetRadioResult& result) {
        PostToUi([this, radio, result] {
            // The local time is read here, on the UI thread, a moment after the radio ended.
            const std::string time =
                QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss").toStdString();
            table_.Finished(radio, result, time);
            ShowRow(radio);
        });
    };
    // The end comes after every row's report, since the radios' threads have all ended by then.
    runner_ = QThread::create([this, ports, job, hooks] {
        WriteFleet(ports, job, hooks);
        PostToUi([this] { RunEnded(); });
        // Passed last, so that whoever has waited for the thread and then takes this mutex is
        // seen to come after all of it (ThreadSanitizer does not see into Qt's waits).
        const std::lock_guard<std::mutex> ended(runnerEnded_);
    });
    runner_->start();
    UpdateButtons();
}

void FleetDialog::RunEnded() {
    runner_->wait();
    { const std::lock_guard<std::mutex> ended(runnerEnded_); }
    runner_->deleteLater();
    runner_ = nullptr;
    table_.AllDone();
    ShowRows();
    note_->setText(QString::fromStdString(table_.Summary()));
    emit runFinished();
    if (closeWhenDone_) QDialog::reject();
}

void FleetDialog::Cancel() {
    if (table_.running()) stop_.store(true);
}

void FleetDialog::reject() {
    // Closing while radios are written stops them between blocks first.
    if (table_.running()) {
        stop_.store(true);
        closeWhenDone_ = true;
        return;
    }
    detector_.Stop();
    poll_->stop();
    QDialog::reject();
}

void FleetDialog::ToggleDetect() {
    if (detector_.active()) {
        detector_.Stop();
        poll_->stop();
        detect_->setText(T(kTextFleetDetect));
        note_->clear();
        return;
    }
    detector_.Start(PortNames(options_.listPorts()), std::chrono::steady_clock::now());
    detect_->setText(T(kTextFleetCancelDetect));
    note_->setText(T(kTextFleetPlugInCable));
    poll_->start();
}

void FleetDialog::PollDetect() {
    const std::optional<std::string> found = detector_.Poll(PortNames(options_.listPorts()));
    const bool gaveUp = !found && detector_.GiveUp(std::chrono::steady_clock::now());
    if (!found && !gaveUp) return;
    poll_->stop();
    detect_->setText(T(kTextFleetDetect));
    RefreshPortList();
    if (gaveUp) {
        note_->setText(T(kTextFleetNoNewPort));
        return;
    }
    note_->setText(
        QString::fromStdString(FillText(env_.texts.GetText(kTextFleetPortFound), {*found})));
    AddPort(QString::fromStdString(*found));
}

bool FleetDialog::SaveReport(const QString& path) {
    const vgr47::SaveReport report =
        SaveFileSafely(path.toStdString(), FleetReportCsv(table_.ReportRows()));
    if (report.ok()) return true;
    env_.messages.ShowWarning(path.toStdString() + "\n" + SaveFailureText(env_.texts, report));
    return false;
}

void FleetDialog::AskReportPath() {
    auto* dialog =
        new QFileDialog(this, T(kTextFleetSaveReport), QString(), T(kTextFleetReportFileType));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix("csv");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString& path) { SaveReport(path); });
    dialog->open();
}

void ShowFleetDialog(FormEnv& env) {
    auto* dialog = new FleetDialog(env, &env.frame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

}  // namespace vgr47
