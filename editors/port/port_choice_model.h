// The port form: which serial device the radio cable is on. The form lists the devices the
// system has (COM1..COM16 on Windows), each probed off the UI thread and disabled when it
// cannot be opened, the simulated radio, and a field for a device path typed by hand.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"

namespace vgr47 {

// The in-process simulated radio; never probed.
inline constexpr const char* kSimulatedPortName = "sim";

enum class PortProbe {
    Pending,   // not answered yet
    Present,   // opened and closed again
    Missing,   // no such device
    Busy,      // in use by another program
    Denied,    // no permission to open it
    TimedOut,  // opening did not return within the time limit
};

struct PortEntry {
    std::string name;         // what is stored and opened: "COM3", "/dev/ttyUSB0", "sim"
    std::string description;  // what the system says about the device, may be empty
    PortProbe probe = PortProbe::Pending;
    // Only a device that opened can be chosen; one still being probed waits for its answer.
    bool enabled() const { return probe == PortProbe::Present; }
};

class PortChoiceModel {
  public:
    static constexpr int kNone = -1;
    static constexpr int kTyped = -2;  // the typed device path

    struct Candidate {
        std::string name;
        std::string description;
    };
    // stored: the system.ini value. A stored name not among the candidates right now (an
    // unplugged adapter) goes into the typed field, so OK keeps it.
    PortChoiceModel(std::vector<Candidate> candidates, const std::string& stored);

    // COM1..COM16, the fixed choices on Windows.
    static std::vector<Candidate> WindowsPorts();
    // A COMn name in either case, stored lower case ("COM3" -> "com3"); other names as they are.
    static std::string StoredForm(const std::string& name);

    // The devices, then the simulated radio last.
    const std::vector<PortEntry>& entries() const { return entries_; }
    // Entry index, kTyped or kNone.
    int selected() const { return selected_; }
    void Select(int choice);
    const std::string& typedPath() const { return typedPath_; }
    // Editing the field chooses it.
    void SetTypedPath(const std::string& path);

    // The devices that wait for a probe, in list order.
    std::vector<std::string> PendingProbes() const;
    void SetProbeResult(const std::string& name, PortProbe result);
    // The time limit is up: a device that has not answered is treated as unusable.
    void ExpirePendingProbes();
    // Probes every pending device in turn (the command line and tests; the form runs them
    // on worker threads).
    void ProbeAll(const std::function<PortProbe(const std::string&)>& probe);

    // The name OK stores: "" when nothing is chosen.
    std::string ChosenName() const;
    // OK: writes [computer] com and makes the name the current port.
    void Store(const Settings& settings, std::string& currentPort) const;

  private:
    std::vector<PortEntry> entries_;
    int selected_ = kNone;
    std::string typedPath_;
};

}  // namespace vgr47
