// The commands of vgr47-cli. Each takes the arguments after its name and returns the exit code.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_support.h"

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

// Prints a usage error for the command and returns the usage exit code.
int UsageError(const char* commandName, const std::string& problem);

}  // namespace vgr47::cli
