// Tools > "Write to several radios...": the codeplug written (and verified) into every chosen
// port at once, a row per radio; a port finder lists the serial ports and detects the port of
// a cable plugged in. The write runs on threads of its own; the window stays free.
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "app/form_registry.h"
#include "app/radio_worker.h"
#include "link/fleet_table.h"
#include "link/serial_port_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QThread;
class QTimer;

namespace vgr47 {

class FleetDialog : public QDialog {
    Q_OBJECT
  public:
    struct Options {
        std::function<std::vector<SerialPortEntry>()> listPorts;
        // Each port's line, made on its radio's thread; by default a device, or for "sim" the
        // program's simulated radio.
        std::function<std::unique_ptr<FleetLine>(int radio, const std::string& port)> makeLine;
        int pollMs = 500;
    };
    FleetDialog(FormEnv& env, Options options, QWidget* parent = nullptr);
    FleetDialog(FormEnv& env, QWidget* parent = nullptr);
    ~FleetDialog() override;

    const FleetTable& table() const { return table_; }
    QTableWidget* tableWidget() const { return grid_; }
    QComboBox* portBox() const { return portBox_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* detectButton() const { return detect_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* saveButton() const { return save_; }
    QCheckBox* otherModelsBox() const { return otherModels_; }
    QCheckBox* verifyBox() const { return verify_; }
    QLabel* noteLine() const { return note_; }

    void AddPort(const QString& name);
    void Start();
    void Cancel();
    // The report as CSV at path; false after telling the user why not.
    bool SaveReport(const QString& path);
    void RefreshPortList();

  signals:
    void runFinished();

  protected:
    void reject() override;

  private slots:
    // One call handed over from the radios' threads.
    void DeliverToUi();

  private:
    void PostToUi(std::function<void()> call);
    void ShowRows();
    void ShowRow(int row);
    void UpdateButtons();
    void ToggleDetect();
    void PollDetect();
    void AskReportPath();
    void RunEnded();
    QString T(int number) const;

    FormEnv& env_;
    Options options_;
    FleetTable table_;
    PortDetector detector_;
    std::atomic<bool> stop_{false};
    Mailbox toUi_;
    std::mutex runnerEnded_;
    QThread* runner_ = nullptr;
    bool closeWhenDone_ = false;

    QComboBox* portBox_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* detect_;
    QTableWidget* grid_;
    QCheckBox* otherModels_;
    QCheckBox* verify_;
    QPushButton* start_;
    QPushButton* cancel_;
    QPushButton* save_;
    QLabel* note_;
    QTimer* poll_;
};

// Opens the dialog (modal to the main window, so no other radio dialog shares a port with it,
// without blocking the UI thread).
void ShowFleetDialog(FormEnv& env);

}  // namespace vgr47
