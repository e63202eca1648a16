// simulate: the simulated radio on a pseudo-terminal, for any program that opens serial ports.
#include <iostream>

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

}  // namespace

int RunSimulate(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed =
        ParseArgs(args, {{"--link", "--model", "--image"}, {"--pace"}, {"--fault"}}, problem);
    if (!parsed) return UsageError("simulate", problem);
    if (!parsed->positionals.empty())
        return UsageError("simulate", "unexpected " + parsed->positionals[0]);
    const std::string linkPath = parsed->options["--link"];
    if (linkPath.empty()) return UsageError("simulate", "give --link PATH");
    int model = sim::kDefaultSimulatorModel;
    if (parsed->options.count("--model")) {
        model = sim::ParseModelIndex(parsed->options["--model"]);
        if (model < 0) return UsageError("simulate", "--model takes 0 to 15");
    }
    sim::SimulatedRadio radio(ModelCatalogue()[model].identity);
    for (const std::string& setting : parsed->lists["--fault"]) {
        auto fault = sim::ParseFault(setting);
        if (!fault)
            return UsageError("simulate",
                              "bad fault " + setting + " (type:kind:nth[:times[:value]])");
        radio.AddFault(*fault);
    }
    if (parsed->options.count("--image")) {
        const std::string& path = parsed->options["--image"];
        LoadFailure why = LoadFailure::CannotOpen;
        auto image = LoadCodeplugFile(path, &why);
        if (!image || !radio.LoadMemoryHex(*image)) {
            PrintError(path + ": " +
                       env.texts.Text(why == LoadFailure::CannotOpen && !image
                                          ? kTextFileOpenFailed
                                          : kTextNotACodeplug));
            return kExitFailure;
        }
    }

    int wakeRead = -1;
    if (!CatchStopSignals(wakeRead)) {
        PrintError("cannot watch for the stop signals");
        return kExitFailure;
    }
    sim::PtyPort pty;
    pty.SetWakeDescriptor(wakeRead);
    const OpenResult opened = pty.Open(linkPath);
    if (!opened.ok()) {
        PrintError("cannot serve the simulated radio: " + opened.reason);
        return kExitFailure;
    }
    std::cout << "simulated radio " << ModelState().ModelDisplayName(radio.identityHex()) << " on "
              << linkPath << " (" << pty.terminalPath() << ")"
              << (parsed->has("--pace") ? ", paced at 9600 baud" : "") << "; Ctrl+C ends it"
              << std::endl;
    SteadyClock clock;
    sim::ServeRadio(radio, pty, clock, parsed->has("--pace"), [&pty] { return !pty.woken(); });
    pty.Close();
    return kExitSuccess;
}

#else

int RunSimulate(const std::vector<std::string>&, CommandEnv&) {
    PrintError("simulate needs pseudo-terminals, which this system does not have");
    return kExitFailure;
}

#endif

}  // namespace vgr47::cli
