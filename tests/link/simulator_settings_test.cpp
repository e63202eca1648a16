#include "sim/simulator_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vgr47;
namespace fs = std::filesystem;

TEST(SimulatorSettings, ModelComesFromSystemIniWithModel8Otherwise) {
    const fs::path dir = fs::temp_directory_path() / "vgr47-simulator-settings";
    fs::remove_all(dir);
    fs::create_directories(dir);
    EXPECT_EQ(SimulatorModelFromSettings(dir.string()), 8);  // no system.ini at all
    auto model = [&](const std::string& value) {
        std::ofstream(dir / "system.ini") << "[Simulator]\nModel=" << value << "\n";
        return SimulatorModelFromSettings(dir.string());
    };
    EXPECT_EQ(model("0"), 0);
    EXPECT_EQ(model(" 15 "), 15);
    EXPECT_EQ(model("3"), 3);
    EXPECT_EQ(model("16"), 8);
    EXPECT_EQ(model("-1"), 8);
    EXPECT_EQ(model("2x"), 8);
    EXPECT_EQ(model(""), 8);
    fs::remove_all(dir);
}
