// simulate: the simulated radio on a pseudo-terminal, for any program that opens serial ports.
#include <iostream>
#include <memory>
#include <thread>

#include "cli/commands.h"
#include "core/data_file.h"
#include "core/model_catalogue.h"
#include "core/text_ids.h"
#include "sim/simulated_radio.h"
#include "sim/simulator_settings.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "link/clock.h"
#include "sim/pty_port.h"
#include "sim/radio_server.h"
#endif

namespace vgr47::cli {

#if defined(__unix__) || defined(__APPLE__)

namespace {

// The write end of the pipe that wakes the server when a stop signal comes in; a signal
// handler can do nothing more than write a byte.
int gWakeWrite = -1;

extern "C" void OnStopSignal(int) {
    const char byte = 1;
    const ssize_t written = gWakeWrite >= 0 ? write(gWakeWrite, &byte, 1) : 0;
    (void)written;  // a full pipe already wakes the server
}

// A non-blocking pipe whose read end becomes readable on SIGINT, SIGTERM or SIGHUP.
bool CatchStopSignals(int& wakeRead) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    for (int fd : fds) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    wakeRead = fds[0];
    gWakeWrite = fds[1];
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    return true;
}

// One radio to serve: its link and the options that apply to it.
struct LinkPlan {
    std::string path;
    int model = sim::kDefaultSimulatorModel;
    std::string image;
    std::vector<sim::Fault> faults;
};

// Options before the first --link apply to every link; --model, --image and --fault after a
// --link apply to that link only (with one link, the order does not matter).
int PlanLinks(const std::vector<std::string>& args, std::vector<LinkPlan>& plans, bool& pace) {
    std::vector<std::vector<std::string>> segments(1);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--link") segments.emplace_back();
        segments.back().push_back(args[i]);
    }
    if (segments.size() < 2) return UsageError("simulate", "give --link PATH");
    LinkPlan shared;
    for (std::size_t s = 0; s < segments.size(); ++s) {
        std::string problem;
        auto parsed = ParseArgs(
            segments[s], {{"--link", "--model", "--image"}, {"--pace"}, {"--fault"}}, problem);
        if (!parsed) return UsageError("simulate", problem);
        if (!parsed->positionals.empty())
            return UsageError("simulate", "unexpected " + parsed->positionals[0]);
        if (parsed->has("--pace")) pace = true;
        LinkPlan plan = shared;
        if (s > 0) {
            plan.path = parsed->options["--link"];
            if (plan.path.empty()) return UsageError("simulate", "give --link PATH");
            for (const LinkPlan& other : plans) {
                if (other.path == plan.path)
                    return UsageError("simulate", "--link " + plan.path + " given twice");
            }
        }
        if (parsed->options.count("--model")) {
            plan.model = sim::ParseModelIndex(parsed->options["--model"]);
            if (plan.model < 0) return UsageError("simulate", "--model takes 0 to 15");
        }
        if (parsed->options.count("--image")) plan.image = parsed->options["--image"];
        for (const std::string& setting : parsed->lists["--fault"]) {
            auto fault = sim::ParseFault(setting);
            if (!fault)
                return UsageError("simulate",
                                  "bad fault " + setting + " (type:kind:nth[:times[:value]])");
            plan.faults.push_back(*fault);
        }
        if (s == 0)
            shared = plan;
        else
            plans.push_back(plan);
    }
    return -1;
}

// The radio a plan describes, or nullptr after saying why its image cannot be loaded.
std::unique_ptr<sim::SimulatedRadio> MakeRadio(const LinkPlan& plan, const CommandEnv& env) {
    auto radio = std::make_unique<sim::SimulatedRadio>(ModelCatalogue()[plan.model].identity);
    for (const sim::Fault& fault : plan.faults) radio->AddFault(fault);
    if (plan.image.empty()) return radio;
    LoadFailure why = LoadFailure::CannotOpen;
    auto image = LoadCodeplugFile(plan.image, &why);
    if (!image || !radio->LoadMemoryHex(*image)) {
        PrintError(plan.image + ": " +
                   env.texts.Text(why == LoadFailure::CannotOpen && !image ? kTextFileOpenFailed
                                                                           : kTextNotACodeplug));
        return nullptr;
    }
    return radio;
}

}  // namespace

int RunSimulate(const std::vector<std::string>& args, CommandEnv& env) {
    std::vector<LinkPlan> plans;
    bool pace = false;
    if (int usage = PlanLinks(args, plans, pace); usage >= 0) return usage;
    std::vector<std::unique_ptr<sim::SimulatedRadio>> radios;
    for (const LinkPlan& plan : plans) {
        radios.push_back(MakeRadio(plan, env));
        if (!radios.back()) return kExitFailure;
    }

    int wakeRead = -1;
    if (!CatchStopSignals(wakeRead)) {
        PrintError("cannot watch for the stop signals");
        return kExitFailure;
    }
    // Every line wakes on the one stop pipe, which nobody drains.
    std::vector<std::unique_ptr<sim::PtyPort>> lines;
    for (const LinkPlan& plan : plans) {
        lines.push_back(std::make_unique<sim::PtyPort>());
        lines.back()->SetWakeDescriptor(wakeRead);
        const OpenResult opened = lines.back()->Open(plan.path);
        if (!opened.ok()) {
            PrintError("cannot serve the simulated radio at " + plan.path + ": " + opened.reason);
            for (auto& line : lines) line->Close();
            return kExitFailure;
        }
    }
    for (std::size_t i = 0; i < plans.size(); ++i) {
        std::cout << "simulated radio " << ModelState().ModelDisplayName(radios[i]->identityHex())
                  << " on " << plans[i].path << " (" << lines[i]->terminalPath() << ")"
                  << (pace ? ", paced at 9600 baud" : "") << "; Ctrl+C ends it" << std::endl;
    }
    // Each radio its own thread and clock, as each would be its own device.
    std::vector<std::thread> servers;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        servers.emplace_back([&, i] {
            SteadyClock clock;
            sim::PtyPort& line = *lines[i];
            sim::ServeRadio(*radios[i], line, clock, pace, [&line] { return !line.woken(); });
            line.Close();
        });
    }
    for (std::thread& server : servers) server.join();
    return kExitSuccess;
}

#else

int RunSimulate(const std::vector<std::string>&, CommandEnv&) {
    PrintError("simulate needs pseudo-terminals, which this system does not have");
    return kExitFailure;
}

#endif

}  // namespace vgr47::cli
