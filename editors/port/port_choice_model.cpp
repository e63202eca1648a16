#include "editors/port/port_choice_model.h"

#include "core/codeplug_lib.h"

namespace vgr47 {

namespace {

bool IsComName(const std::string& name) {
    const std::string upper = ToUpperAscii(name);
    if (upper.size() <= 3 || upper.compare(0, 3, "COM") != 0) return false;
    return upper.find_first_not_of("0123456789", 3) == std::string::npos;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// COMn names are the same port in either case; device paths are case-sensitive.
bool SamePort(const std::string& a, const std::string& b) {
    if (a == b) return true;
    return IsComName(a) && IsComName(b) && ToUpperAscii(a) == ToUpperAscii(b);
}

}  // namespace

PortChoiceModel::PortChoiceModel(std::vector<Candidate> candidates, const std::string& stored) {
    for (Candidate& c : candidates) {
        if (c.name.empty() || c.name == kSimulatedPortName) continue;
        entries_.push_back({std::move(c.name), std::move(c.description), PortProbe::Pending});
    }
    entries_.push_back({kSimulatedPortName, "", PortProbe::Present});

    const std::string name = TrimText(stored);
    if (name.empty()) return;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (SamePort(entries_[i].name, name)) {
            selected_ = static_cast<int>(i);
            return;
        }
    }
    typedPath_ = name;
    selected_ = kTyped;
}

std::vector<PortChoiceModel::Candidate> PortChoiceModel::WindowsPorts() {
    std::vector<Candidate> ports;
    for (int n = 1; n <= 16; ++n) ports.push_back({"COM" + std::to_string(n), ""});
    return ports;
}

std::string PortChoiceModel::StoredForm(const std::string& name) {
    return IsComName(name) ? LowerAscii(name) : name;
}

void PortChoiceModel::Select(int choice) {
    if (choice == kTyped || (choice >= 0 && choice < static_cast<int>(entries_.size())))
        selected_ = choice;
    else
        selected_ = kNone;
}

void PortChoiceModel::SetTypedPath(const std::string& path) {
    typedPath_ = path;
    selected_ = kTyped;
}

std::vector<std::string> PortChoiceModel::PendingProbes() const {
    std::vector<std::string> names;
    for (const PortEntry& e : entries_)
        if (e.probe == PortProbe::Pending) names.push_back(e.name);
    return names;
}

void PortChoiceModel::SetProbeResult(const std::string& name, PortProbe result) {
    if (name == kSimulatedPortName) return;
    for (PortEntry& e : entries_)
        if (e.name == name && e.probe == PortProbe::Pending) e.probe = result;
}

void PortChoiceModel::ExpirePendingProbes() {
    for (PortEntry& e : entries_)
        if (e.probe == PortProbe::Pending) e.probe = PortProbe::TimedOut;
}

void PortChoiceModel::ProbeAll(const std::function<PortProbe(const std::string&)>& probe) {
    for (const std::string& name : PendingProbes()) SetProbeResult(name, probe(name));
}

std::string PortChoiceModel::ChosenName() const {
    if (selected_ == kTyped) return StoredForm(TrimText(typedPath_));
    if (selected_ >= 0) return StoredForm(entries_[static_cast<std::size_t>(selected_)].name);
    return "";
}

void PortChoiceModel::Store(const Settings& settings, std::string& currentPort) const {
    const std::string name = ChosenName();
    settings.SetSetting("computer", "com", name);
    currentPort = name;
}

}  // namespace vgr47
