#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "core/codeplug_lib.h"
#include "core/model_catalogue.h"
#include "link/clock.h"
#include "link/qt_serial_port.h"
#include "link/radio_info.h"
#include "link/trace_log.h"
#include "sim/simulated_port.h"

namespace vgr47::cli {

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
    // "sim" is the in-process simulated radio; anything else is a serial device.
    std::unique_ptr<sim::SimulatedRadio> radio;
    std::unique_ptr<SerialPort> device;
    if (port == "sim") {
        int index = parsed->options.count("--sim-model") ? ParseLeadingInt(parsed->options["--sim-model"]) : 8;
        if (index < 0 || index >= kModelCount) return UsageError("radio-info", "--sim-model takes 0 to 15");
        radio = std::make_unique<sim::SimulatedRadio>(ModelCatalogue()[index].identity);
        device = std::make_unique<sim::SimulatedPort>(*radio, clock);
    } else {
        device = std::make_unique<QtSerialPort>();
    }
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

}  // namespace vgr47::cli
