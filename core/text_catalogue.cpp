#include "core/text_catalogue.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ini_file.h"

namespace vgr47 {

void TextCatalogue::setPath(std::string path) {
    path_ = std::move(path);
    cachedStamp_ = cachedSize_ = -1;
    cachedText_.clear();
}

std::string TextCatalogue::GetText(int number) const {
    if (path_.empty()) return "";
    std::error_code ec;
    auto size = std::filesystem::file_size(path_, ec);
    if (ec) return "";
    auto time = std::filesystem::last_write_time(path_, ec);
    if (ec) return "";
    long long stamp = static_cast<long long>(time.time_since_epoch().count());
    if (stamp != cachedStamp_ || static_cast<long long>(size) != cachedSize_) {
        std::ifstream in(path_, std::ios::binary);
        if (!in) return "";
        std::ostringstream ss;
        ss << in.rdbuf();
        cachedText_ = ss.str();
        cachedStamp_ = stamp;
        cachedSize_ = static_cast<long long>(size);
    }
    return IniReadText(cachedText_, "language", std::to_string(number + offset_));
}

std::string TextCatalogue::FontName() const {
    return offset_ == kChineseOffset ? "\xE5\xAE\x8B\xE4\xBD\x93" : "Tahama";
}

}  // namespace vgr47
