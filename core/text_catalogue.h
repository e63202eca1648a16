// User-visible texts by number from language.sys: key n + offset in section [language].
#pragma once

#include <string>

namespace vgr47 {

inline constexpr int kChineseOffset = 100000;
inline constexpr int kEnglishOffset = 200000;

class TextCatalogue {
public:
    TextCatalogue() = default;
    TextCatalogue(std::string path, int offset) : path_(std::move(path)), offset_(offset) {}

    // "" when the file or the key is missing.
    std::string GetText(int number) const;

    const std::string& path() const { return path_; }
    int offset() const { return offset_; }
    bool isChinese() const { return offset_ == kChineseOffset; }
    void setPath(std::string path);
    void setOffset(int offset) { offset_ = offset; }

    // The interface font family that goes with the language.
    std::string FontName() const;

private:
    std::string path_;
    int offset_ = kEnglishOffset;
    // Cache of the file's text, reloaded when the file's size or time changes.
    mutable std::string cachedText_;
    mutable long long cachedStamp_ = -1;
    mutable long long cachedSize_ = -1;
};

}  // namespace vgr47
