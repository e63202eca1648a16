#include "link/serial_port.h"

namespace vgr47 {

std::string DescribeOpenFailure(const OpenResult& result) {
    std::string line = result.reason;
    switch (result.error) {
        case OpenError::None:
            return {};
        case OpenError::NoSuchDevice:
            if (line.empty()) line = "No such device.";
            break;
        case OpenError::Busy:
            if (line.empty()) line = "The port is in use by another program.";
            break;
        case OpenError::PermissionDenied:
            if (line.empty()) line = "Permission denied.";
#ifdef __linux__
            line +=
                "\nOn Linux, serial ports belong to the group \"dialout\": add your user to it "
                "(sudo usermod -aG dialout $USER), then log out and in again.";
#endif
            break;
        case OpenError::Other:
            break;
    }
    return line;
}

}  // namespace vgr47
