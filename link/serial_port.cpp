#include "link/serial_port.h"

#include "core/text_ids.h"

namespace vgr47 {

std::string DescribeOpenFailure(const OpenResult& result,
                                const std::function<std::string(int number)>& text) {
    std::string lines;
    auto add = [&lines](const std::string& line) {
        if (line.empty()) return;
        if (!lines.empty()) lines += '\n';
        lines += line;
    };
    auto T = [&text](int number) { return text ? text(number) : std::string(); };
    switch (result.error) {
        case OpenError::None:
            return {};
        case OpenError::NoSuchDevice:
            add(T(kTextPortMissing));
            break;
        case OpenError::Busy:
            add(T(kTextPortInUse));
            break;
        case OpenError::PermissionDenied:
            add(T(kTextPortNoPermission));
#ifdef __linux__
            add(T(kTextPortDialoutHint));
#endif
            break;
        case OpenError::Other:
            break;
    }
    add(result.reason);
    return lines;
}

}  // namespace vgr47
