#include "link/fleet_write.h"

#include <mutex>
#include <thread>

#include "link/trace_log.h"

namespace vgr47 {

FleetStatus FleetStatusOf(const WriteResult& result) {
    switch (result.outcome) {
        case WriteOutcome::Completed:
            switch (result.verify) {
                case VerifyOutcome::NotAsked:
                    return FleetStatus::Written;
                case VerifyOutcome::Verified:
                    return FleetStatus::Verified;
                case VerifyOutcome::Differs:
                case VerifyOutcome::NotVerified:
                    return FleetStatus::Failed;
            }
            break;
        case WriteOutcome::ModelDeclined:
            return FleetStatus::OtherModel;
        case WriteOutcome::HandshakeFailed:
            return FleetStatus::NoAnswer;
        case WriteOutcome::Cancelled:
            return FleetStatus::Stopped;
        default:
            break;
    }
    return FleetStatus::Failed;
}

bool FleetSucceeded(const FleetRadioResult& result, bool verifyAsked) {
    return result.status == (verifyAsked ? FleetStatus::Verified : FleetStatus::Written);
}

namespace {

FleetRadioResult WriteOne(int index, const std::string& portName, const FleetJob& job,
                          const FleetHooks& hooks, std::mutex& keeping) {
    FleetRadioResult row;
    row.port = portName;
    row.status = FleetStatus::Running;
    std::unique_ptr<FleetLine> line = hooks.makeLine ? hooks.makeLine(index, portName) : nullptr;
    if (!line) {
        row.write.failure = LinkFailure::PortNotOpened({OpenError::Other, "no such port"});
        row.status = FleetStatus::Failed;
        return row;
    }
    // Each radio its own copy: the version is stamped into it.
    CodeplugImage image;
    image.InstallOpened(job.imageHex, "");
    TraceLog trace;
    const LinkContext link{line->port(), line->clock(), trace};

    SequenceHooks seq;
    seq.cancel = hooks.cancel;
    seq.isSignalling = hooks.isSignalling;
    const bool other = job.writeOtherModel;
    seq.writeOtherModel = [other] { return other; };
    seq.identified = [&](const std::string& identity) {
        row.identity = identity;
        if (hooks.identified) hooks.identified(index, identity);
    };
    if (hooks.progress)
        seq.progress = [&](int position, int maximum) { hooks.progress(index, position, maximum); };
    if (hooks.phase) seq.phase = [&](TransferPhase phase) { hooks.phase(index, phase); };
    if (hooks.keep) {
        seq.keep = [&](const std::string& sent) {
            const std::lock_guard<std::mutex> lock(keeping);
            row.backupPath = hooks.keep(index, sent);
        };
    }
    WriteJob write{image, job.currentIdentity, job.versionStamp};
    write.verify = job.verify;
    write.verifyHeading = job.verifyHeading;
    row.write = WriteToRadio(link, portName, write, seq);
    line->port().Close();
    row.status = FleetStatusOf(row.write);
    return row;
}

}  // namespace

void RunOnStdThreads(const std::vector<std::function<void()>>& tasks) {
    std::vector<std::thread> threads;
    threads.reserve(tasks.size());
    for (const auto& task : tasks) threads.emplace_back(task);
    for (std::thread& t : threads) t.join();
}

std::vector<FleetRadioResult> WriteFleet(const std::vector<std::string>& ports, const FleetJob& job,
                                         const FleetHooks& hooks) {
    std::vector<FleetRadioResult> results(ports.size());
    std::mutex keeping;
    std::vector<std::function<void()>> tasks;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        tasks.push_back([&, i] {
            const int index = static_cast<int>(i);
            results[i] = WriteOne(index, ports[i], job, hooks, keeping);
            if (hooks.finished) hooks.finished(index, results[i]);
        });
    }
    (hooks.threads ? hooks.threads : FleetThreads(RunOnStdThreads))(tasks);
    return results;
}

}  // namespace vgr47
