// A channel edited through the channel model and saved lists the same in vgr47-cli channels.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/data_file.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_model.h"

namespace fs = std::filesystem;
using namespace vgr47;

namespace {

// Tests run in parallel, and other checkouts share the temporary folder: every file is
// named after the process that uses it.
fs::path TempFile(const std::string& name) {
    return fs::temp_directory_path() / (std::to_string(::getpid()) + "_" + name);
}

std::string RunCli(const std::string& args, int* code) {
    fs::path out = TempFile("vgr47_channels_out.txt");
    int status = std::system((std::string("'") + VGR47_CLI_PATH + "' " + args + " >'" + out.string() + "'").c_str());
    *code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(out);
    std::stringstream ss;
    ss << in.rdbuf();
    fs::remove(out);
    return ss.str();
}

}  // namespace

TEST(CliChannels, ListsWhatTheModelWrote) {
    fs::path file = TempFile("vgr47_channels_test.dat");
    ModelState model(Edition::Vgr47);
    CodeplugImage image;
    image.InstallNew(BuildModelImage(model, "4B563232305436FF"));
    TextCatalogue texts(std::string(VGR47_BINARY_DIR) + "/language.sys", kEnglishOffset);
    ChannelModel channels(image, model, texts);
    ChannelValues v = channels.defaults();
    v.rx = "451.12500";
    v.tx = "456.12500";
    v.decodeTone = "88.5";
    v.encodeTone = "D023N";
    v.scan = true;
    channels.WriteChannel(7, v);
    ASSERT_GT(WriteTextFile(file.string(), image.image()), 0);

    int code = -1;
    std::string listed = RunCli("channels '" + file.string() + "'", &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(listed, channels.ListingLine(7) + "\n");
    EXPECT_EQ(listed.rfind("7\t451.12500\t456.12500\t88.5\tD023N\t", 0), 0u) << listed;
    fs::remove(file);

    RunCli("channels /nonexistent/file.dat", &code);
    EXPECT_EQ(code, 1);
    RunCli("channels", &code);
    EXPECT_EQ(code, 2);
}

TEST(CliRadioInfo, AsksTheSimulatedRadio) {
    int code = -1;
    std::string out = RunCli("radio-info --port sim --sim-model 15", &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(out, "model: KV220AT  (UHF:450-527MHz)\nfirmware: V1.02\nsoftware: \n");
    RunCli("radio-info --port /nonexistent/ttyUSB9 2>/dev/null", &code);
    EXPECT_EQ(code, 1);
    RunCli("radio-info 2>/dev/null", &code);
    EXPECT_EQ(code, 2);
}

TEST(CliRead, WritesTheFileOnlyAfterACompleteRead) {
    fs::path file = TempFile("vgr47_read_test.dat");
    int code = -1;
    RunCli("read --port sim --sim-model 0 --output '" + file.string() + "'", &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(fs::file_size(file), 2u * 1856);  // a basic radio moves 0x000-0x73F
    {
        std::ofstream(file, std::ios::trunc) << "keep me";
    }
    RunCli("read --port /nonexistent/ttyUSB9 --output '" + file.string() + "' 2>/dev/null", &code);
    EXPECT_EQ(code, 1);
    std::ifstream in(file);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "keep me");
    fs::remove(file);
}
