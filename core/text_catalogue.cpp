#include "core/text_catalogue.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ini_file.h"
#include "core/safe_file.h"
#include "core/text_ids.h"

namespace vgr47 {

std::string FillPlaces(std::string text, const std::vector<std::string>& values) {
    std::size_t at = 0;
    for (const std::string& v : values) {
        at = text.find("%s", at);
        if (at == std::string::npos) break;
        text.replace(at, 2, v);
        at += v.size();
    }
    return text;
}

// Generated at build time from resources/language.sys.
extern const unsigned char kBuiltInCatalogue[];
extern const std::size_t kBuiltInCatalogueSize;

namespace {

constexpr std::size_t kLargestCatalogue = 4u << 20;
const char* const kLanguageFile = "language.sys";

std::string BuiltInText() {
    return std::string(reinterpret_cast<const char*>(kBuiltInCatalogue), kBuiltInCatalogueSize);
}

}  // namespace

TextCatalogue::TextCatalogue(const TextCatalogue& other)
    : path_(other.path_), offset_(other.offset_), builtIn_(other.builtIn_) {
    std::lock_guard<std::mutex> hold(other.cache_->lock);
    cache_->text = other.cache_->text;
    cache_->stamp = other.cache_->stamp;
    cache_->size = other.cache_->size;
    cache_->found = other.cache_->found;
}

TextCatalogue& TextCatalogue::operator=(const TextCatalogue& other) {
    if (this != &other) {
        TextCatalogue copy(other);
        path_ = std::move(copy.path_);
        offset_ = copy.offset_;
        builtIn_ = copy.builtIn_;
        cache_ = std::move(copy.cache_);
    }
    return *this;
}

TextCatalogue TextCatalogue::BuiltIn(int offset) {
    TextCatalogue texts("", offset);
    texts.builtIn_ = true;
    texts.cache_->text = BuiltInText();
    return texts;
}

void TextCatalogue::setPath(std::string path) {
    path_ = std::move(path);
    builtIn_ = false;
    std::lock_guard<std::mutex> hold(cache_->lock);
    cache_->stamp = cache_->size = -1;
    cache_->text.clear();
    cache_->found.clear();
}

std::string TextCatalogue::GetText(int number) const {
    const int key = number + offset_;
    Cache& cache = *cache_;
    std::lock_guard<std::mutex> hold(cache.lock);
    if (!builtIn_) {
        if (path_.empty()) return "";
        std::error_code ec;
        auto size = std::filesystem::file_size(path_, ec);
        if (ec) return "";
        auto time = std::filesystem::last_write_time(path_, ec);
        if (ec) return "";
        long long stamp = static_cast<long long>(time.time_since_epoch().count());
        if (stamp != cache.stamp || static_cast<long long>(size) != cache.size) {
            std::ifstream in(path_, std::ios::binary);
            if (!in) return "";
            std::ostringstream ss;
            ss << in.rdbuf();
            cache.text = ss.str();
            cache.stamp = stamp;
            cache.size = static_cast<long long>(size);
            cache.found.clear();
        }
    }
    auto it = cache.found.find(key);
    if (it == cache.found.end())
        it = cache.found.emplace(key, IniReadText(cache.text, "language", std::to_string(key)))
                 .first;
    return it->second;
}

std::vector<std::string> ResourcePlaces(const std::string& programDir, const std::string& exeDir,
                                        const std::string& name) {
    namespace fs = std::filesystem;
    std::vector<fs::path> folders{programDir};
    if (!exeDir.empty()) {
        const fs::path exe(exeDir);
        folders.insert(folders.end(),
                       {exe, exe.parent_path(), exe.parent_path() / "share" / "vgr47"});
    }
    folders.push_back("/usr/share/vgr47");
    std::vector<std::string> places;
    for (const fs::path& folder : folders) {
        if (folder.empty()) continue;
        std::string place = (folder / name).string();
        bool seen = false;
        for (const std::string& p : places) seen = seen || p == place;
        if (!seen) places.push_back(place);
    }
    return places;
}

TextCatalogue LocateTextCatalogue(const std::string& programDir, const std::string& exeDir,
                                  int offset, std::vector<std::string>* looked) {
    std::vector<std::string> places = ResourcePlaces(programDir, exeDir, kLanguageFile);
    if (looked) *looked = places;
    for (const std::string& place : places) {
        std::string text;
        if (ReadRegularFile(place, kLargestCatalogue, text)) return TextCatalogue(place, offset);
    }
    return TextCatalogue::BuiltIn(offset);
}

std::string BuiltInTextsNotice(const std::vector<std::string>& looked) {
    std::string notice = TextCatalogue::BuiltIn(kChineseOffset).GetText(kTextBuiltInTextsNotice) +
                         "\n" +
                         TextCatalogue::BuiltIn(kEnglishOffset).GetText(kTextBuiltInTextsNotice);
    for (const std::string& place : looked) notice += "\n" + place;
    return notice;
}

std::string TextCatalogue::FontName() const {
    return offset_ == kChineseOffset ? "\xE5\xAE\x8B\xE4\xBD\x93" : "Tahama";
}

}  // namespace vgr47
