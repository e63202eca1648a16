// How close a paced transfer with the simulated radio comes to the time its bytes need on a
// 9600-baud line, and how much CPU it burns meanwhile. A verified write is held against the
// wire time of the write and its read-back plus the pause between them. Not a test: timings depend
// on the machine, so it prints figures and the targets for a person to judge.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/data_file.h"
#include "core/model_catalogue.h"
#include "link/clock.h"
#include "link/read_sequence.h"
#include "link/write_sequence.h"
#include "sim/simulated_port.h"

namespace vgr47 {
namespace {

constexpr double kBitsPerByte = 10.0;  // start, 8 data, stop
constexpr double kBaud = 9600.0;
constexpr double kSettleSeconds = 0.1;  // the wait after opening that the sequences require
constexpr double kRatioTarget = 1.05;
constexpr double kCpuTarget = 0.05;
constexpr double kVerifyPauseSeconds = kVerifyPauseMs / 1000.0;

// Counts the bytes both ways on their way through.
class CountingPort final : public SerialPort {
  public:
    explicit CountingPort(SerialPort& inner) : inner_(inner) {}
    OpenResult Open(const std::string& name) override { return inner_.Open(name); }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    std::size_t BytesWaiting() override { return inner_.BytesWaiting(); }
    Bytes ReadAll() override {
        Bytes bytes = inner_.ReadAll();
        received += bytes.size();
        return bytes;
    }
    void Write(const Bytes& bytes) override {
        sent += bytes.size();
        inner_.Write(bytes);
    }
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override {
        return inner_.WaitForBytes(atMost);
    }
    std::size_t sent = 0, received = 0;

  private:
    SerialPort& inner_;
};

// A failure of any kind spoils the figures; the command it happened at is printed.
bool Clean(const std::optional<LinkFailure>& failure) {
    if (failure)
        std::fprintf(stderr, "transfer_bench: failed at %s (block %d)\n",
                     EntryOf(failure->command).name, failure->address);
    return !failure;
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Figures {
    std::size_t bytes = 0;
    double wall = 0, cpu = 0;
    bool ok = false;
};

Figures Transfer(int modelIndex, bool write, bool verify) {
    ModelState model;
    const std::string identity = ModelCatalogue()[modelIndex].identity;
    CodeplugImage image;
    image.InstallNew(BuildModelImage(model, identity));
    model.UpdateModelFromImage(image.image());

    SteadyClock clock;
    sim::SimulatedRadio radio(identity);
    radio.LoadMemoryHex(image.image());
    sim::SimulatedPort simulated(radio, clock);
    simulated.SetPaced(true);
    CountingPort port(simulated);
    TraceLog trace;
    LinkContext link{port, clock, trace};
    SequenceHooks hooks;
    hooks.isSignalling = [&model](const std::string& id) { return model.IsExtendedModel(id); };

    Figures f;
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    if (write) {
        WriteJob job{image, identity, VersionStampHex(VGR47_VERSION_TEXT)};
        job.verify = verify;
        const WriteResult result = WriteToRadio(link, "sim", job, hooks);
        f.ok = result.ok() && (!verify || result.verify == VerifyOutcome::Verified) &&
               Clean(result.failure) && Clean(result.verifyFailure);
    } else {
        const ReadResult result = ReadFromRadio(link, "sim", hooks);
        f.ok = result.ok() && Clean(result.failure);
    }
    f.cpu = CpuSeconds() - cpuStart;
    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    f.bytes = port.sent + port.received;
    return f;
}

}  // namespace
}  // namespace vgr47

int main() {
    using namespace vgr47;
    struct Case {
        const char* name;
        int model;
        bool write;
        bool verify;
    };
    // Model 0 is a basic radio (116 blocks), model 8 a signalling one (244 blocks).
    const Case cases[] = {
        {"read basic", 0, false, false},       {"write basic", 0, true, false},
        {"write+verify basic", 0, true, true}, {"read signalling", 8, false, false},
        {"write signalling", 8, true, false},  {"write+verify sig.", 8, true, true}};
    std::printf("%-19s %6s %8s %8s %8s %7s %14s %6s\n", "transfer", "bytes", "wire s", "target s",
                "wall s", "ratio", "ratio-settle", "CPU");
    bool met = true;
    for (const Case& c : cases) {
        const Figures f = Transfer(c.model, c.write, c.verify);
        if (!f.ok) {
            std::printf("%-19s failed\n", c.name);
            met = false;
            continue;
        }
        // A verified write: both transfers' wire time, and the pause between them on top.
        const double wire = static_cast<double>(f.bytes) * kBitsPerByte / kBaud;
        const double pause = c.verify ? kVerifyPauseSeconds : 0.0;
        const double target = kRatioTarget * wire + pause;
        const double ratio = (f.wall - pause) / wire;
        const double cpu = f.cpu / f.wall;
        const double settles = c.verify ? 2 * kSettleSeconds : kSettleSeconds;
        std::printf("%-19s %6zu %8.3f %8.3f %8.3f %7.3f %14.3f %5.2f%%\n", c.name, f.bytes, wire,
                    target, f.wall, ratio, (f.wall - pause - settles) / wire, 100.0 * cpu);
        met = met && f.wall <= target && cpu <= kCpuTarget;
    }
    std::printf(
        "targets: wall <= %.2f x wire time (+ the %.0f ms pause before a verify read), "
        "CPU <= %.0f%% of wall time: %s\n",
        kRatioTarget, 1000.0 * kVerifyPauseSeconds, 100.0 * kCpuTarget, met ? "met" : "missed");
    std::printf(
        "ratio leaves out the pause before a verify read; ratio-settle also the %.0f ms "
        "wait after each opening of the port that the sequences require.\n",
        1000.0 * kSettleSeconds);
    return met ? 0 : 1;
}
