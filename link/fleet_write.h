// One codeplug written (and verified) into many radios at once: one independent write per
// port, each on its own thread that makes and owns its port, all from the same image. A
// radio that fails never stops the others; a shared flag stops them all between blocks.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"
#include "link/write_sequence.h"

namespace vgr47 {

// A radio's line: its port and the clock its time-outs run on. Made on the radio's thread.
class FleetLine {
  public:
    virtual ~FleetLine() = default;
    virtual SerialPort& port() = 0;
    virtual Clock& clock() = 0;
};

// How a radio's write ended, as its row in the report says it.
enum class FleetStatus {
    Waiting,  // not started yet
    Running,
    Written,     // every block accepted (not verified, or not asked to)
    Verified,    // written, and the read-back holds every block as sent
    OtherModel,  // another model: 07 sent, nothing written
    NoAnswer,    // the port opened, but no radio answered the handshake
    Failed,      // see the write result: the port, a block, the acknowledge, the read-back
    Stopped,     // cancelled; partly written when blocksDone > 0
};

struct FleetRadioResult {
    std::string port;
    std::string identity;  // 16 hex characters once the radio has answered
    FleetStatus status = FleetStatus::Waiting;
    WriteResult write;
    std::string backupPath;  // the copy of what was sent, "" when none was kept
    // Whether the radio holds some but not all of the image.
    bool partlyWritten() const {
        return write.blocksDone > 0 && write.outcome != WriteOutcome::Completed;
    }
};

// The report's status of a finished write.
FleetStatus FleetStatusOf(const WriteResult& result);
// Whether the status is a success (written, or verified when a verify was asked).
bool FleetSucceeded(const FleetRadioResult& result, bool verifyAsked);

struct FleetJob {
    std::string imageHex;
    // The identity the image was made for.
    std::string currentIdentity;
    std::string versionStamp;
    bool verify = false;
    // Write radios of another model all the same (else they are answered No).
    bool writeOtherModel = false;
    std::string verifyHeading = {};
};

// Runs every task at once, each on a thread of its own, and returns when all have ended.
using FleetThreads = std::function<void(const std::vector<std::function<void()>>& tasks)>;
void RunOnStdThreads(const std::vector<std::function<void()>>& tasks);

struct FleetHooks {
    // Plain threads by default; a device port of Qt's wants threads Qt started (RunOnQThreads).
    FleetThreads threads = RunOnStdThreads;
    // Makes the radio's line on its own thread; nullptr when it cannot (the row fails as a
    // port that could not be opened).
    std::function<std::unique_ptr<FleetLine>(int radio, const std::string& portName)> makeLine;
    std::function<bool(const std::string& identityHex)> isSignalling;
    // Stops every radio between blocks.
    const std::atomic<bool>* cancel = nullptr;
    // The rest are called on the radio's thread, with its index in the port list.
    std::function<void(int radio, TransferPhase phase)> phase = {};
    std::function<void(int radio, int position, int maximum)> progress = {};
    std::function<void(int radio, const std::string& identityHex)> identified = {};
    // Keeps the image about to be sent; returns the backup's path ("" when none). Calls are
    // never concurrent, so backups of radios started in the same second cannot collide.
    std::function<std::string(int radio, const std::string& image)> keep = {};
    std::function<void(int radio, const FleetRadioResult& result)> finished = {};
};

// Writes the job into every port at once and returns when all have ended, one result per
// port in the order given.
std::vector<FleetRadioResult> WriteFleet(const std::vector<std::string>& ports, const FleetJob& job,
                                         const FleetHooks& hooks);

}  // namespace vgr47
