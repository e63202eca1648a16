// Eight radios written and verified at once, each a simulated radio paced at 9600 baud on a
// line of its own, held against one radio alone: the fleet should take hardly longer than
// one radio, and all of it next to no CPU. Not a test: it prints the figures for a person
// to judge.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/data_file.h"
#include "core/model_catalogue.h"
#include "link/fleet_write.h"
#include "sim/simulated_line.h"

namespace vgr47 {
namespace {

constexpr int kFleetRadios = 8;
constexpr int kSignallingModel = 8;
constexpr double kWallTarget = 1.15;  // x one radio's wall time
constexpr double kCpuTarget = 0.10;   // of one core, all radios together

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Figures {
    double wall = 0, cpu = 0;
    int verified = 0;
};

Figures WriteRadios(int count) {
    ModelState model;
    const std::string identity = ModelCatalogue()[kSignallingModel].identity;
    CodeplugImage image;
    image.InstallNew(BuildModelImage(model, identity));
    model.UpdateModelFromImage(image.image());

    std::vector<sim::SimulatedRadio> radios(static_cast<std::size_t>(count),
                                            sim::SimulatedRadio(identity));
    std::vector<std::string> ports;
    for (int i = 0; i < count; ++i) ports.push_back("sim" + std::to_string(i + 1));
    FleetJob job;
    job.imageHex = image.image();
    job.currentIdentity = identity;
    job.versionStamp = VersionStampHex(VGR47_VERSION_TEXT);
    job.verify = true;
    FleetHooks hooks;
    hooks.isSignalling = [&model](const std::string& id) { return model.IsExtendedModel(id); };
    hooks.makeLine = [&radios](int radio, const std::string&) -> std::unique_ptr<FleetLine> {
        return std::make_unique<sim::SimulatedLine>(radios[static_cast<std::size_t>(radio)],
                                                    std::make_unique<SteadyClock>(), true);
    };

    Figures f;
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    for (const FleetRadioResult& row : WriteFleet(ports, job, hooks))
        f.verified += row.status == FleetStatus::Verified ? 1 : 0;
    f.cpu = CpuSeconds() - cpuStart;
    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return f;
}

}  // namespace
}  // namespace vgr47

int main() {
    using namespace vgr47;
    const Figures one = WriteRadios(1);
    const Figures fleet = WriteRadios(kFleetRadios);
    std::printf("%-28s %8s %8s %9s %9s\n", "signalling write+verify", "wall s", "CPU s", "CPU/core",
                "verified");
    std::printf("%-28s %8.3f %8.3f %8.2f%% %6d/1\n", "one radio", one.wall, one.cpu,
                100.0 * one.cpu / one.wall, one.verified);
    std::printf("%-28s %8.3f %8.3f %8.2f%% %6d/%d\n", "8 radios at once", fleet.wall, fleet.cpu,
                100.0 * fleet.cpu / fleet.wall, fleet.verified, kFleetRadios);
    const double ratio = fleet.wall / one.wall;
    const double cpu = fleet.cpu / fleet.wall;
    const bool met = fleet.verified == kFleetRadios && one.verified == 1 && ratio <= kWallTarget &&
                     cpu <= kCpuTarget;
    std::printf(
        "fleet: %.3f x one radio's wall time (target <= %.2f), CPU %.2f%% of one core in all "
        "(target <= %.0f%%): %s\n",
        ratio, kWallTarget, 100.0 * cpu, 100.0 * kCpuTarget, met ? "met" : "missed");
    return met ? 0 : 1;
}
