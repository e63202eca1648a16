// The commands of vgr47-cli. Each takes the arguments after its name and returns the exit code.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "core/codeplug_image.h"
#include "core/model_catalogue.h"

class QCoreApplication;

namespace vgr47::cli {

struct Command {
    const char* name;
    const char* usage;  // the arguments, as shown after "vgr47-cli <name> "
    const char* summary;
    int (*run)(const std::vector<std::string>& args, CommandEnv& env);
};

int RunNew(const std::vector<std::string>& args, CommandEnv& env);
int RunInfo(const std::vector<std::string>& args, CommandEnv& env);
int RunRadioInfo(const std::vector<std::string>& args, CommandEnv& env);
int RunRead(const std::vector<std::string>& args, CommandEnv& env);
int RunDump(const std::vector<std::string>& args, CommandEnv& env);
int RunLoad(const std::vector<std::string>& args, CommandEnv& env);
int RunWrite(const std::vector<std::string>& args, CommandEnv& env);
int RunSimulate(const std::vector<std::string>& args, CommandEnv& env);
int RunChannels(const std::vector<std::string>& args, CommandEnv& env);
int RunImportCsv(const std::vector<std::string>& args, CommandEnv& env);
int RunDiff(const std::vector<std::string>& args, CommandEnv& env);

// write with several --port: the image into every radio at once, a result line per port.
int RunFleetWrite(const ParsedArgs& parsed, const std::vector<std::string>& ports,
                  const CodeplugImage& image, const ModelState& model, CommandEnv& env);
int RunPorts(const std::vector<std::string>& args, CommandEnv& env);

// Set by Ctrl+C (or SIGTERM) once CatchInterrupt has been called: transfers stop between
// blocks with the end command; a second one ends the program at once.
std::atomic<bool>& InterruptFlag();
void CatchInterrupt();
// The Qt application object a device port needs; nullptr when there is one already. Every
// device port must be gone before it.
std::unique_ptr<QCoreApplication> MakeApplication();

// A codeplug file opened as the program opens it, with its model.
struct OpenedCodeplug {
    CodeplugImage image;
    ModelState model;
};
// nullopt after saying on stderr why the file cannot be opened.
std::optional<OpenedCodeplug> OpenCodeplug(const std::string& path, Edition edition,
                                           CommandEnv& env);

// Prints a usage error for the command and returns the usage exit code.
int UsageError(const char* commandName, const std::string& problem);

}  // namespace vgr47::cli
