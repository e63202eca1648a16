// read, write and radio-info: the radio commands, on a serial device or the simulated radio.
#include <QCoreApplication>
#include <atomic>
#include <clocale>
#include <csignal>
#include <ctime>
#include <functional>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "core/backups.h"
#include "core/codeplug_image.h"
#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "core/text_ids.h"
#include "link/clock.h"
#include "link/qt_serial_port.h"
#include "link/radio_info.h"
#include "link/read_sequence.h"
#include "link/trace_log.h"
#include "link/transfer_report.h"
#include "link/write_sequence.h"
#include "sim/simulated_port.h"
#include "sim/simulator_settings.h"

namespace vgr47::cli {

namespace {

// Ctrl+C during a transfer ends it between blocks with the end command, so the radio is not
// left in programming mode; a second Ctrl+C ends the program at once.
std::atomic<bool> gInterrupted{false};

extern "C" void OnInterrupt(int signal) {
    gInterrupted = true;
    std::signal(signal, SIG_DFL);
}

// QCoreApplication keeps a reference to its argument count for its whole life.
int gQtArgc = 1;
char gQtName[] = "vgr47-cli";
char* gQtArgv[] = {gQtName, nullptr};

}  // namespace

std::atomic<bool>& InterruptFlag() { return gInterrupted; }

void CatchInterrupt() {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

std::unique_ptr<QCoreApplication> MakeApplication() {
    // The device port waits through socket notifiers, which need the application object.
    if (QCoreApplication::instance()) return nullptr;
    auto app = std::make_unique<QCoreApplication>(gQtArgc, gQtArgv);
    std::setlocale(LC_NUMERIC, "C");
    return app;
}

namespace {

// Everything a radio command talks through. The members go in this order because a device
// port must be gone before the application object.
struct RadioSession {
    std::unique_ptr<QCoreApplication> app;
    SteadyClock clock;
    std::unique_ptr<sim::SimulatedRadio> radio;
    std::unique_ptr<SerialPort> port;
    std::string portName;
    TraceLog trace;
};

// Takes --port, --sim-model and --trace from the arguments and makes the port: "sim" is the
// in-process simulated radio (its model from --sim-model, else from system.ini), anything
// else a serial device. Returns the usage exit code after a problem, else -1.
int PrepareSession(const char* command, const ParsedArgs& parsed, RadioSession& session) {
    auto option = [&parsed](const char* name) {
        auto it = parsed.options.find(name);
        return it == parsed.options.end() ? std::string() : it->second;
    };
    session.portName = option("--port");
    if (session.portName.empty())
        return UsageError(command, "give --port PORT (a device, or sim for the simulated radio)");
    session.trace = MakeTraceLog(parsed.has("--trace"));
    const std::string simModel = option("--sim-model");
    if (session.portName != sim::kSimulatorPortName) {
        if (!simModel.empty()) return UsageError(command, "--sim-model is only for --port sim");
        session.app = MakeApplication();
        session.port = std::make_unique<QtSerialPort>();
        return -1;
    }
    int index = sim::SimulatorModelFromSettings(".");
    if (!simModel.empty()) {
        index = sim::ParseModelIndex(simModel);
        if (index < 0) return UsageError(command, "--sim-model takes 0 to 15");
    }
    session.radio = std::make_unique<sim::SimulatedRadio>(ModelCatalogue()[index].identity);
    session.port = std::make_unique<sim::SimulatedPort>(*session.radio, session.clock);
    return -1;
}

LinkContext MakeLink(RadioSession& session) {
    return LinkContext{*session.port, session.clock, session.trace};
}

// Says what went wrong, in the catalogue's words.
void Report(const std::optional<LinkFailure>& failure, const CommandEnv& env) {
    if (failure)
        env.messages.ShowWarning(
            FailureText(*failure, [&env](int number) { return env.texts.Text(number); }));
}

// The backup hook of a read or write: the image is kept in the per-user backup folder (unless
// --no-backup or system.ini in the current folder says no) and its path goes to stderr. A
// backup that cannot be written is a warning; the transfer goes on.
std::function<void(const std::string&)> BackupHook(const ParsedArgs& parsed, BackupKind kind,
                                                   const ModelState& model, const CommandEnv& env) {
    if (parsed.has("--no-backup") || !BackupsEnabled(".")) return {};
    return [kind, &model, &env](const std::string& image) {
        const std::string identity = image.substr(2 * mem::kIdentity, 2 * mem::kIdentityBytes);
        const BackupResult kept = KeepBackup(
            BackupFolder(), image, model.ModelDisplayName(identity), kind, std::time(nullptr));
        if (kept.ok)
            PrintError("backup: " + kept.path);
        else
            PrintError("warning: " + FillText(env.texts.Text(kTextBackupFailed), {kept.problem}));
    };
}

}  // namespace

int RunRadioInfo(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed =
        ParseArgs(args, {{"--edition", "--port", "--sim-model"}, {"--trace"}, {}}, problem);
    if (!parsed) return UsageError("radio-info", problem);
    if (!parsed->positionals.empty())
        return UsageError("radio-info", "unexpected " + parsed->positionals[0]);
    auto edition = EditionOption(*parsed);
    if (!edition)
        return UsageError("radio-info", "unknown edition " + parsed->options["--edition"]);
    RadioSession session;
    if (int usage = PrepareSession("radio-info", *parsed, session); usage >= 0) return usage;

    ModelState model(*edition);
    const LinkContext link = MakeLink(session);
    RadioInfo info = ReadRadioInfo(link, session.portName, [&model](const std::string& identity) {
        return model.ModelDisplayName(identity);
    });
    session.port->Close();
    Report(info.failure, env);
    if (!info.complete) return kExitFailure;
    std::cout << "model: " << info.model << '\n'
              << "firmware: " << info.firmware << '\n'
              << "software: " << info.software << '\n';
    return kExitSuccess;
}

int RunRead(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(
        args, {{"--edition", "--port", "--sim-model", "--output"}, {"--trace", "--no-backup"}, {}},
        problem);
    if (!parsed) return UsageError("read", problem);
    if (!parsed->positionals.empty())
        return UsageError("read", "unexpected " + parsed->positionals[0]);
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("read", "unknown edition " + parsed->options["--edition"]);
    const std::string output = parsed->options["--output"];
    if (output.empty()) return UsageError("read", "give --port PORT and --output FILE");
    RadioSession session;
    if (int usage = PrepareSession("read", *parsed, session); usage >= 0) return usage;

    ModelState model(*edition);
    const LinkContext link = MakeLink(session);
    SequenceHooks hooks;
    hooks.isSignalling = [&model](const std::string& identity) {
        return model.IsExtendedModel(identity);
    };
    hooks.cancel = &InterruptFlag();
    hooks.keep = BackupHook(*parsed, BackupKind::Read, model, env);
    CatchInterrupt();
    ReadResult result = ReadFromRadio(link, session.portName, hooks);
    session.port->Close();
    Report(result.failure, env);
    if (result.outcome == ReadOutcome::Cancelled) {
        PrintError("read cancelled; " + output + " was not written");
        return kExitFailure;
    }
    if (!result.ok()) return kExitFailure;
    // The file is replaced only by a complete read, and atomically.
    return SaveOutput(output, result.image, env.texts) ? kExitSuccess : kExitFailure;
}

int RunWrite(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(
        args,
        {{"--edition", "--sim-model"}, {"--yes", "--trace", "--verify", "--no-backup"}, {"--port"}},
        problem);
    if (!parsed) return UsageError("write", problem);
    if (parsed->positionals.size() != 1) return UsageError("write", "give exactly one FILE");
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("write", "unknown edition " + parsed->options["--edition"]);
    // Several ports are written at once; one is the plain write.
    const std::vector<std::string> ports = parsed->lists["--port"];
    if (ports.size() == 1) parsed->options["--port"] = ports[0];
    RadioSession session;
    if (ports.size() < 2) {
        if (int usage = PrepareSession("write", *parsed, session); usage >= 0) return usage;
    }

    const std::string& path = parsed->positionals[0];
    LoadFailure why = LoadFailure::CannotOpen;
    auto loaded = LoadCodeplugFile(path, &why);
    if (!loaded) {
        PrintError(path + ": " +
                   env.texts.Text(why == LoadFailure::NotACodeplug ? kTextNotACodeplug
                                                                   : kTextFileOpenFailed));
        return kExitFailure;
    }
    ModelState model(*edition);
    model.UpdateModelFromImage(*loaded);
    // The version is stamped into this copy only: the file stays as it is.
    CodeplugImage image;
    image.InstallOpened(*loaded, path);
    if (ports.size() > 1) return RunFleetWrite(*parsed, ports, image, model, env);

    const LinkContext link = MakeLink(session);
    SequenceHooks hooks;
    // The one question of a write, whether to program a radio of another model, is answered
    // by --yes beforehand.
    const bool yes = parsed->has("--yes");
    hooks.writeOtherModel = [yes] { return yes; };
    hooks.isSignalling = [&model](const std::string& identity) {
        return model.IsExtendedModel(identity);
    };
    hooks.cancel = &InterruptFlag();
    hooks.keep = BackupHook(*parsed, BackupKind::Written, model, env);
    CatchInterrupt();
    WriteJob job{image, model.currentIdentity(), VersionStampHex(VGR47_VERSION_TEXT)};
    job.verify = parsed->has("--verify");
    job.verifyHeading = env.texts.Text(kTextVerifyTrace);
    const WriteResult result = WriteToRadio(link, session.portName, job, hooks);
    session.port->Close();
    Report(result.failure, env);
    const auto text = [&env](int number) { return env.texts.Text(number); };
    switch (result.outcome) {
        case WriteOutcome::Completed:
            if (result.verify == VerifyOutcome::Differs) {
                PrintError(DifferenceText(result.differingAddress, text));
                return kExitFailure;
            }
            if (result.verify == VerifyOutcome::NotVerified) {
                // The write itself went through; only the proof is missing.
                PrintError(text(kTextWrittenNotVerified) +
                           (result.verifyFailure
                                ? " (" + FailureText(*result.verifyFailure, text) + ")"
                                : ""));
                return kExitNotVerified;
            }
            return kExitSuccess;
        case WriteOutcome::ModelDeclined:
            PrintError("the radio is another model than " + path + " was made for (" +
                       model.ModelDisplayName(model.currentIdentity()) +
                       "); nothing was written (--yes writes anyway)");
            return kExitFailure;
        case WriteOutcome::Cancelled:
            PrintError("write cancelled; the radio is only partly written, write it again");
            return kExitFailure;
        default:
            return kExitFailure;  // the sequence has said why
    }
}

}  // namespace vgr47::cli
