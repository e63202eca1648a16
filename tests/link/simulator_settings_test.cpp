#include "sim/simulator_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace vgr47::sim {
namespace {

namespace fs = std::filesystem;

TEST(SimulatorSettings, ModelFromSystemIniOrTheDefault) {
    const fs::path dir =
        fs::temp_directory_path() / ("vgr47_simini_" + std::to_string(std::random_device()()));
    fs::create_directories(dir);
    EXPECT_EQ(SimulatorModelFromSettings(dir.string()), 8);  // no system.ini at all
    const std::pair<const char*, int> cases[] = {
        {"model=15", 15}, {"MODEL = 0 ", 0}, {"model=16", 8}, {"model=-1", 8},
        {"model=3x", 8},  {"model=", 8},     {"other=3", 8},
    };
    for (const auto& [line, expected] : cases) {
        std::ofstream(dir / "system.ini", std::ios::trunc) << "[computer]\ncom=sim\n[Simulator]\n"
                                                           << line << "\n";
        EXPECT_EQ(SimulatorModelFromSettings(dir.string()), expected) << line;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vgr47::sim
