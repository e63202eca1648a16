// ports: the serial ports this computer has, with what their USB devices say about them.
#include <iostream>

#include "cli/commands.h"
#include "link/serial_port_list.h"

namespace vgr47::cli {

int RunPorts(const std::vector<std::string>& args, CommandEnv&) {
    if (!args.empty()) return UsageError("ports", "unexpected " + args[0]);
    for (const SerialPortEntry& port : ListSerialPorts()) {
        const std::string description = DescribePort(port);
        std::cout << port.path << (description.empty() ? "" : "  " + description) << '\n';
    }
    return kExitSuccess;
}

}  // namespace vgr47::cli
