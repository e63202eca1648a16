// The main of every test program. Before any test runs, XDG_DATA_HOME points at a folder of
// this process's own, so that nothing a test does (nor a program it starts, which inherits
// the variable) can reach a user's real backups; the folder goes when the tests end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path dataHome =
        fs::temp_directory_path() / ("vgr47-test-data-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(std::random_device()()));
    fs::create_directories(dataHome);
    ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    fs::remove_all(dataHome, ec);
    return result;
}
