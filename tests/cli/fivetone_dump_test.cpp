// vgr47-cli dump and load of the 5-tone settings, the way a script changes one entry.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FiveToneCli : public ::testing::Test {
  protected:
    FiveToneCli()
        : dir(fs::temp_directory_path() /
              ("vgr47_fivetone_" + std::to_string(std::random_device()()))) {
        fs::create_directories(dir);
    }
    ~FiveToneCli() override { fs::remove_all(dir); }
    int Cli(const std::string& args, std::string* out = nullptr, std::string* err = nullptr) const {
        const fs::path o = dir / "out.txt", e = dir / "err.txt";
        int status = std::system(("cd '" + dir.string() + "' && '" VGR47_CLI_PATH "' " + args +
                                  " >'" + o.string() + "' 2>'" + e.string() + "'")
                                     .c_str());
        if (out) *out = ReadAll(o);
        if (err) *err = ReadAll(e);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name) << text;
    }
    fs::path dir;
};

TEST_F(FiveToneCli, DumpShowsTheEntriesAndLoadWritesAChangedOne) {
    ASSERT_EQ(Cli("new --model 8 --output x.dat"), 0);
    std::string out, err;
    ASSERT_EQ(Cli("dump x.dat", &out, &err), 0) << err;
    EXPECT_NE(out.find("\nfivetone.standard = 4  # EEA\n"), std::string::npos);
    EXPECT_NE(out.find("\nfivetone.encode.1 = 12345 - - | 000\n"), std::string::npos);
    EXPECT_NE(out.find("\nfivetone.encode.2 =\n"), std::string::npos);

    Write("change.txt", "fivetone.encode.2 = 23456 - - | 100\n");
    ASSERT_EQ(Cli("load x.dat change.txt --output y.dat", nullptr, &err), 0) << err;
    const std::string y = ReadAll(dir / "y.dat");
    ASSERT_EQ(y.size(), 8192u);
    EXPECT_EQ(y.substr(0x0C10 * 2, 32), "3254F6FFFFFFFFFFFFFFFFFFF59FFFFF");
}

}  // namespace
