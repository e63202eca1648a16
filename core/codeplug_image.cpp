#include "core/codeplug_image.h"

#include "core/codeplug_lib.h"

namespace vgr47 {

std::string CodeplugImage::ReadBytes(int address, int count) const {
    if (address < 0 || count <= 0) return "";
    std::size_t pos = static_cast<std::size_t>(address) * 2;
    if (pos >= image_.size()) return "";
    return image_.substr(pos, static_cast<std::size_t>(count) * 2);
}

bool CodeplugImage::WriteBytes(int address, const std::string& hex) {
    if (address < 0 || hex.empty() || hex.size() % 2 != 0 || !IsHexText(hex)) return false;
    std::size_t pos = static_cast<std::size_t>(address) * 2;
    if (pos + hex.size() > image_.size()) return false;
    image_.replace(pos, hex.size(), ToUpperAscii(hex));
    return true;
}

void CodeplugImage::InstallNew(const std::string& image) {
    image_ = savedImage_ = image;
    filePath_.clear();
    imageFromRadio_ = false;
}

void CodeplugImage::InstallOpened(const std::string& image, const std::string& path) {
    image_ = savedImage_ = image;
    filePath_ = path;
    imageFromRadio_ = false;
}

void CodeplugImage::InstallFromRadio(const std::string& image) {
    image_ = savedImage_ = image;
    filePath_.clear();
    imageFromRadio_ = true;
}

void CodeplugImage::InstallModelChange(const std::string& image) {
    image_ = savedImage_ = image;
    filePath_.clear();
}

void CodeplugImage::MarkSaved(const std::string& path) {
    savedImage_ = image_;
    filePath_ = path;
    imageFromRadio_ = false;
}

}  // namespace vgr47
