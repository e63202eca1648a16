// A default codeplug of one catalogue model with its channel grid, for the form model tests.
#pragma once

#include <memory>
#include <string>

#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_model.h"

namespace vgr47::testing {

inline constexpr int kBasicModel = 0;
inline constexpr int kSignallingModel = 8;

struct FormFixture {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    std::unique_ptr<ChannelModel> channels;

    explicit FormFixture(int model = kSignallingModel) {
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[model].identity));
        channels = std::make_unique<ChannelModel>(image, state, texts);
    }
    std::string Byte(int address) const { return image.ReadBytes(address, 1); }
    void Set(int address, const std::string& hex) { ASSERT_TRUE(image.WriteBytes(address, hex)); }
    // Puts channels into the scan list, as the channel dialog would.
    void ScanChannels(std::initializer_list<int> records) {
        ChannelValues v = channels->defaults();
        v.rx = "145.12500";
        v.scan = true;
        for (int r : records) channels->WriteChannel(r, v);
        channels->Refill();
    }
    // The image as a basic radio hands it over: 0x0000 to 0x073F only.
    void CutToBasicRead() {
        image.SetImageText(image.image().substr(0, 2 * mem::kBasicImageBytes));
        channels->Refill();
    }
};

}  // namespace vgr47::testing
