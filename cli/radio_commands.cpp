#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "core/codeplug_lib.h"
#include "core/model_catalogue.h"
#include "link/clock.h"
#include "link/qt_serial_port.h"
#include "core/data_file.h"
#include "core/text_ids.h"
#include "link/radio_info.h"
#include "link/read_sequence.h"
#include "link/trace_log.h"
#include "sim/simulated_port.h"

namespace vgr47::cli {

namespace {

// "sim" is the in-process simulated radio; anything else is a serial device.
struct RadioPort {
    std::unique_ptr<sim::SimulatedRadio> radio;
    std::unique_ptr<SerialPort> port;
};

bool MakePort(const std::string& name, const std::string& simModel, Clock& clock, RadioPort& out) {
    if (name != "sim") {
        out.port = std::make_unique<QtSerialPort>();
        return true;
    }
    int index = simModel.empty() ? 8 : ParseLeadingInt(simModel);
    if (index < 0 || index >= kModelCount) return false;
    out.radio = std::make_unique<sim::SimulatedRadio>(ModelCatalogue()[index].identity);
    out.port = std::make_unique<sim::SimulatedPort>(*out.radio, clock);
    return true;
}

}  // namespace

int RunRadioInfo(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(args, {"--edition", "--port", "--sim-model"}, problem);
    if (!parsed) return UsageError("radio-info", problem);
    if (!parsed->positionals.empty()) return UsageError("radio-info", "unexpected " + parsed->positionals[0]);
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("radio-info", "unknown edition " + parsed->options["--edition"]);
    const std::string port = parsed->options["--port"];
    if (port.empty()) return UsageError("radio-info", "give --port PORT (a device, or sim for the simulated radio)");

    ModelState model(*edition);
    SteadyClock clock;
    TraceLog trace;
    RadioPort rp;
    if (!MakePort(port, parsed->options["--sim-model"], clock, rp))
        return UsageError("radio-info", "--sim-model takes 0 to 15");
    SerialPort* device = rp.port.get();
    LinkContext link{*device, clock, trace, env.messages,
                     [&env](int number) { return env.texts.Text(number); }};
    RadioInfo info = ReadRadioInfo(link, port, [&model](const std::string& identity) {
        return model.ModelDisplayName(identity);
    });
    device->Close();
    if (!info.complete) return kExitFailure;
    std::cout << "model: " << info.model << '\n'
              << "firmware: " << info.firmware << '\n'
              << "software: " << info.software << '\n';
    return kExitSuccess;
}

int RunRead(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(args, {"--edition", "--port", "--sim-model", "--output"}, problem);
    if (!parsed) return UsageError("read", problem);
    if (!parsed->positionals.empty()) return UsageError("read", "unexpected " + parsed->positionals[0]);
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("read", "unknown edition " + parsed->options["--edition"]);
    const std::string port = parsed->options["--port"], output = parsed->options["--output"];
    if (port.empty() || output.empty()) return UsageError("read", "give --port PORT and --output FILE");

    ModelState model(*edition);
    SteadyClock clock;
    TraceLog trace;
    RadioPort rp;
    if (!MakePort(port, parsed->options["--sim-model"], clock, rp)) return UsageError("read", "--sim-model takes 0 to 15");
    LinkContext link{*rp.port, clock, trace, env.messages, [&env](int number) { return env.texts.Text(number); }};
    SequenceHooks hooks;
    hooks.isSignalling = [&model](const std::string& identity) { return model.IsExtendedModel(identity); };
    ReadResult result = ReadFromRadio(link, port, hooks);
    rp.port->Close();
    if (!result.ok()) return kExitFailure;
    // The file is replaced only by a complete read, and atomically.
    if (WriteTextFile(output, result.image) < 0) {
        PrintError(output + ": " + env.texts.Text(kTextFileWriteFailed));
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace vgr47::cli
