// User-visible texts by number from language.sys: key n + offset in section [language].
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace vgr47 {

inline constexpr int kChineseOffset = 100000;
inline constexpr int kEnglishOffset = 200000;

// A text's "%s" places filled with the values in order (a value's own "%s" stays as it is);
// places without a value stay, values without a place are dropped.
std::string FillPlaces(std::string text, const std::vector<std::string>& values);

class TextCatalogue {
  public:
    TextCatalogue() = default;
    TextCatalogue(std::string path, int offset) : path_(std::move(path)), offset_(offset) {}
    // A copy starts with its own copy of the cache.
    TextCatalogue(const TextCatalogue& other);
    TextCatalogue& operator=(const TextCatalogue& other);

    // The copy of the shipped catalogue that is built into the program, for when no
    // language.sys can be read: the program then still speaks, in the same words.
    static TextCatalogue BuiltIn(int offset);

    // "" when the file or the key is missing.
    std::string GetText(int number) const;

    const std::string& path() const { return path_; }
    int offset() const { return offset_; }
    bool isChinese() const { return offset_ == kChineseOffset; }
    bool isBuiltIn() const { return builtIn_; }
    void setPath(std::string path);
    void setOffset(int offset) { offset_ = offset; }

    // The interface font family that goes with the language.
    std::string FontName() const;

  private:
    // The file's text, reloaded when the file's size or time changes, and the texts already
    // looked up in it (a form asks for the same few texts many times). The radio dialogs' worker
    // threads ask too, hence the lock.
    struct Cache {
        std::mutex lock;
        std::string text;
        long long stamp = -1;
        long long size = -1;
        std::unordered_map<int, std::string> found;  // by key (number + offset)
    };

    std::string path_;
    int offset_ = kEnglishOffset;
    bool builtIn_ = false;
    std::unique_ptr<Cache> cache_ = std::make_unique<Cache>();
};

// Where a resource file (language.sys, a help page) is looked for, in order: the program
// directory, beside the executable and one folder up (a build tree), then the installed data
// folder <prefix>/share/vgr47 of an executable in <prefix>/bin, and the system's own.
std::vector<std::string> ResourcePlaces(const std::string& programDir, const std::string& exeDir,
                                        const std::string& name);

// The catalogue from the first readable language.sys of ResourcePlaces, or the built-in one when
// there is none; looked receives every place looked at, for telling the user.
TextCatalogue LocateTextCatalogue(const std::string& programDir, const std::string& exeDir,
                                  int offset, std::vector<std::string>* looked = nullptr);

// What the program says, in Chinese and in English, when it runs on its built-in texts: which
// places it looked at.
std::string BuiltInTextsNotice(const std::vector<std::string>& looked);

}  // namespace vgr47
