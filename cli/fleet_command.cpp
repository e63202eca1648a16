// write with several --port: one codeplug into many radios at once, one result line each.
#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <ctime>
#include <iostream>
#include <mutex>

#include "cli/commands.h"
#include "core/backups.h"
#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "core/text_ids.h"
#include "link/fleet_report.h"
#include "link/fleet_write.h"
#include "link/qt_serial_port.h"
#include "link/qt_threads.h"
#include "sim/simulated_line.h"
#include "sim/simulator_settings.h"

namespace vgr47::cli {

namespace {

class DeviceLine final : public FleetLine {
  public:
    SerialPort& port() override { return port_; }
    Clock& clock() override { return clock_; }

  private:
    SteadyClock clock_;
    QtSerialPort port_;
};

// The reason after "PORT: failed: ", on one line.
std::string FailureReason(const FleetRadioResult& row, const TextLookup& text) {
    const WriteResult& write = row.write;
    std::string reason;
    if (row.status == FleetStatus::NoAnswer)
        reason = "no answer";
    else if (row.status == FleetStatus::Stopped || write.outcome == WriteOutcome::Completed)
        reason = FleetResultText(row, text);
    else if (write.failure)
        reason = (write.failedAddress >= 0 ? "block 0x" + AddressText(write.failedAddress) + ": "
                                           : std::string()) +
                 FailureText(*write.failure, text);
    else
        reason = WriteClosingLine(write, text);
    for (char& c : reason)
        if (c == '\n' || c == '\r') c = ' ';
    return reason;
}

std::string ResultLine(const FleetRadioResult& row, const TextLookup& text) {
    switch (row.status) {
        case FleetStatus::Written:
            return row.port + ": written";
        case FleetStatus::Verified:
            return row.port + ": verified";
        case FleetStatus::OtherModel:
            return row.port + ": other model";
        default:
            return row.port + ": failed: " + FailureReason(row, text);
    }
}

// One line per radio on a terminal's stderr, rewritten in place at most a few times a second.
class ProgressLines {
  public:
    ProgressLines(const std::vector<std::string>& ports, const TextLookup& text)
        : ports_(ports), lines_(ports.size()), text_(text) {
        for (std::size_t i = 0; i < ports.size(); ++i) lines_[i] = text(kTextFleetWaiting);
        Draw(true);
    }
    void Set(int radio, std::string line, bool force = false) {
        const std::lock_guard<std::mutex> lock(mutex_);
        lines_[static_cast<std::size_t>(radio)] = std::move(line);
        Draw(force);
    }

  private:
    void Draw(bool force) {
        const auto now = std::chrono::steady_clock::now();
        if (!force && now - drawn_ < std::chrono::milliseconds(200)) return;
        drawn_ = now;
        std::string out;
        if (shown_) out += "\x1b[" + std::to_string(ports_.size()) + "F";
        // A line that wrapped would throw the count of lines to go back up.
        winsize size{};
        const std::size_t width =
            ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1 ? size.ws_col - 1 : 79;
        for (std::size_t i = 0; i < ports_.size(); ++i)
            out += "\x1b[2K" + (ports_[i] + ": " + lines_[i]).substr(0, width) + "\n";
        shown_ = true;
        std::cerr << out << std::flush;
    }
    std::vector<std::string> ports_;
    std::vector<std::string> lines_;
    TextLookup text_;
    std::mutex mutex_;
    std::chrono::steady_clock::time_point drawn_{};
    bool shown_ = false;
};

}  // namespace

int RunFleetWrite(const ParsedArgs& parsed, const std::vector<std::string>& ports,
                  const CodeplugImage& image, const ModelState& model, CommandEnv& env) {
    const TextLookup text = [&env](int number) { return env.texts.Text(number); };
    auto option = [&parsed](const char* name) {
        auto it = parsed.options.find(name);
        return it == parsed.options.end() ? std::string() : it->second;
    };
    int simModel = sim::SimulatorModelFromSettings(".");
    if (!option("--sim-model").empty()) {
        simModel = sim::ParseModelIndex(option("--sim-model"));
        if (simModel < 0) return UsageError("write", "--sim-model takes 0 to 15");
    }
    bool simulated = false;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j)
            if (ports[i] == ports[j])
                return UsageError("write", "--port " + ports[i] + " given twice");
        if (ports[i] == sim::kSimulatorPortName) simulated = true;
    }
    if (!simulated && !option("--sim-model").empty())
        return UsageError("write", "--sim-model is only for --port sim");
    if (parsed.has("--trace")) return UsageError("write", "--trace takes a single --port");
    const std::unique_ptr<QCoreApplication> app = MakeApplication();

    sim::SimulatedRadio simRadio(ModelCatalogue()[simModel].identity);
    FleetJob job;
    job.imageHex = image.image();
    job.currentIdentity = model.currentIdentity();
    job.versionStamp = VersionStampHex(VGR47_VERSION_TEXT);
    job.verify = parsed.has("--verify");
    job.writeOtherModel = parsed.has("--yes");
    job.verifyHeading = text(kTextVerifyTrace);

    FleetHooks hooks;
    hooks.threads = RunOnQThreads;
    hooks.makeLine = [&simRadio](int, const std::string& name) -> std::unique_ptr<FleetLine> {
        if (name == sim::kSimulatorPortName)
            return std::make_unique<sim::SimulatedLine>(simRadio, std::make_unique<SteadyClock>(),
                                                        false);
        return std::make_unique<DeviceLine>();
    };
    hooks.isSignalling = [&model](const std::string& identity) {
        return model.IsExtendedModel(identity);
    };
    hooks.cancel = &InterruptFlag();
    if (!parsed.has("--no-backup") && BackupsEnabled(".")) {
        hooks.keep = [&](int radio, const std::string& sent) {
            const std::string identity = sent.substr(2 * mem::kIdentity, 2 * mem::kIdentityBytes);
            const BackupResult kept =
                KeepBackup(BackupFolder(), sent, model.ModelDisplayName(identity),
                           BackupKind::Written, std::time(nullptr));
            const std::string& port = ports[static_cast<std::size_t>(radio)];
            if (kept.ok) return kept.path;
            PrintError(port + ": warning: " + FillText(text(kTextBackupFailed), {kept.problem}));
            return std::string();
        };
    }
    std::unique_ptr<ProgressLines> progress;
    if (isatty(STDERR_FILENO)) {
        progress = std::make_unique<ProgressLines>(ports, text);
        hooks.progress = [&](int radio, int position, int maximum) {
            progress->Set(radio,
                          StatusLine(true, TransferPhase::Transferring, position, maximum, text));
        };
        hooks.phase = [&](int radio, TransferPhase phase) {
            progress->Set(radio, StatusLine(true, phase, -1, -1, text), true);
        };
        hooks.finished = [&](int radio, const FleetRadioResult& row) {
            progress->Set(radio, FleetResultText(row, text), true);
        };
    }
    CatchInterrupt();
    const std::vector<FleetRadioResult> rows = WriteFleet(ports, job, hooks);
    bool allGood = true;
    for (const FleetRadioResult& row : rows) {
        std::cout << ResultLine(row, text) << '\n';
        if (!row.backupPath.empty()) PrintError("backup: " + row.port + ": " + row.backupPath);
        allGood = allGood && FleetSucceeded(row, job.verify);
    }
    std::cout << std::flush;
    return allGood ? kExitSuccess : kExitFailure;
}

}  // namespace vgr47::cli
