// The port form's choices: which one a stored name selects, what OK stores, and which
// devices the probe leaves usable.
#include "editors/port/port_choice_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "core/ini_file.h"

namespace vgr47 {
namespace {

namespace fs = std::filesystem;

std::vector<PortChoiceModel::Candidate> Devices() {
    return {{"/dev/ttyUSB0", "USB serial"}, {"/dev/ttyACM0", ""}, {"/dev/ttyS0", ""}};
}

TEST(PortChoice, StoredComNamesSelectTheirPortInEitherCase) {
    for (const char* stored : {"COM2", "com2", "Com2", " com2 "}) {
        PortChoiceModel m(PortChoiceModel::WindowsPorts(), stored);
        EXPECT_EQ(m.selected(), 1) << stored;
        EXPECT_EQ(m.ChosenName(), "com2") << stored;
    }
    PortChoiceModel sixteen(PortChoiceModel::WindowsPorts(), "COM16");
    EXPECT_EQ(sixteen.selected(), 15);
    ASSERT_EQ(sixteen.entries().size(), 17u);  // COM1..COM16 and the simulated radio
    EXPECT_EQ(sixteen.entries().back().name, kSimulatedPortName);
}

TEST(PortChoice, NoStoredNameSelectsNothingAndStoresEmpty) {
    PortChoiceModel m(Devices(), "");
    EXPECT_EQ(m.selected(), PortChoiceModel::kNone);
    EXPECT_EQ(m.typedPath(), "");
    EXPECT_EQ(m.ChosenName(), "");
}

TEST(PortChoice, AnUnpluggedDeviceIsKeptInTheTypedField) {
    PortChoiceModel m(Devices(), "/dev/ttyUSB3");
    EXPECT_EQ(m.selected(), PortChoiceModel::kTyped);
    EXPECT_EQ(m.typedPath(), "/dev/ttyUSB3");
    EXPECT_EQ(m.ChosenName(), "/dev/ttyUSB3");
    // Device paths are case-sensitive: this is not /dev/ttyUSB0.
    PortChoiceModel upper(Devices(), "/DEV/TTYUSB0");
    EXPECT_EQ(upper.selected(), PortChoiceModel::kTyped);
    PortChoiceModel listed(Devices(), "/dev/ttyACM0");
    EXPECT_EQ(listed.selected(), 1);
    PortChoiceModel sim(Devices(), "sim");
    EXPECT_EQ(sim.selected(), 3);
}

TEST(PortChoice, TypedNamesAndChoicesAreStoredAsOkWritesThem) {
    PortChoiceModel m(Devices(), "");
    m.SetTypedPath("  /dev/pts/7 ");
    EXPECT_EQ(m.selected(), PortChoiceModel::kTyped);
    EXPECT_EQ(m.ChosenName(), "/dev/pts/7");
    m.SetTypedPath("COM5");
    EXPECT_EQ(m.ChosenName(), "com5");
    m.SetTypedPath("   ");
    EXPECT_EQ(m.ChosenName(), "");
    m.Select(0);
    EXPECT_EQ(m.ChosenName(), "/dev/ttyUSB0");
    m.Select(42);
    EXPECT_EQ(m.selected(), PortChoiceModel::kNone);
    EXPECT_EQ(PortChoiceModel::StoredForm("COM12"), "com12");
    EXPECT_EQ(PortChoiceModel::StoredForm("COMX"), "COMX");
    EXPECT_EQ(PortChoiceModel::StoredForm("COM"), "COM");
}

TEST(PortChoice, StoreWritesTheSettingAndTheCurrentPort) {
    fs::path dir = fs::temp_directory_path() / ("vgr47-port-model-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    Settings settings(dir.string());
    PortChoiceModel m(PortChoiceModel::WindowsPorts(), "");
    m.Select(2);
    std::string current = "com9";
    m.Store(settings, current);
    EXPECT_EQ(current, "com3");
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "Computer", "COM"), "com3");
    m.Select(PortChoiceModel::kNone);
    m.Store(settings, current);
    EXPECT_EQ(current, "");
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "computer", "com"), "");
    fs::remove_all(dir);
}

TEST(PortChoice, OnlyDevicesThatOpenedCanBeChosen) {
    PortChoiceModel m(Devices(), "/dev/ttyS0");
    for (const PortEntry& e : m.entries())
        EXPECT_EQ(e.enabled(), e.name == kSimulatedPortName) << e.name;  // waiting for the probe
    EXPECT_EQ(m.PendingProbes(),
              (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyS0"}));
    m.SetProbeResult("/dev/ttyUSB0", PortProbe::Present);
    m.SetProbeResult("/dev/ttyACM0", PortProbe::Busy);
    m.SetProbeResult("/dev/ttyUSB0", PortProbe::Missing);  // a late second answer is ignored
    m.SetProbeResult("sim", PortProbe::Missing);
    m.ExpirePendingProbes();
    EXPECT_TRUE(m.entries()[0].enabled());
    EXPECT_EQ(m.entries()[1].probe, PortProbe::Busy);
    EXPECT_EQ(m.entries()[2].probe, PortProbe::TimedOut);
    EXPECT_TRUE(m.entries()[3].enabled());
    EXPECT_TRUE(m.PendingProbes().empty());
    // A stored choice stays chosen even when its device is unusable now: OK keeps it.
    EXPECT_EQ(m.selected(), 2);
    EXPECT_EQ(m.ChosenName(), "/dev/ttyS0");
}

TEST(PortChoice, ProbeAllAsksEveryDeviceButTheSimulatedRadio) {
    std::vector<std::string> asked;
    PortChoiceModel m({{"COM1", ""}, {"sim", ""}, {"COM2", ""}}, "");
    ASSERT_EQ(m.entries().size(), 3u);  // a listed "sim" is the simulated radio, once
    m.ProbeAll([&](const std::string& name) {
        asked.push_back(name);
        return name == "COM1" ? PortProbe::Present : PortProbe::Missing;
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"COM1", "COM2"}));
    EXPECT_TRUE(m.entries()[0].enabled());
    EXPECT_FALSE(m.entries()[1].enabled());
}

}  // namespace
}  // namespace vgr47
