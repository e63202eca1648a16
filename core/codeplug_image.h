// The radio memory as upper-case hex text, with its saved copy, file path and
// from-radio flag. All field access goes through ReadBytes/WriteBytes.
#pragma once

#include <string>

namespace vgr47 {

class CodeplugImage {
public:
    const std::string& image() const { return image_; }
    const std::string& savedImage() const { return savedImage_; }
    const std::string& filePath() const { return filePath_; }
    bool imageFromRadio() const { return imageFromRadio_; }
    std::size_t byteCount() const { return image_.size() / 2; }

    bool IsModified() const { return image_ != savedImage_; }

    // The 2n characters at byte address a; "" (or what is left) beyond the end.
    std::string ReadBytes(int address, int count) const;
    // Replaces bytes in place. Refused (false, image unchanged) for a piece of odd length,
    // with non-hex characters, or reaching past the end: the image never changes length.
    bool WriteBytes(int address, const std::string& hex);

    // State transitions; each installs the image as its own saved copy.
    void InstallNew(const std::string& image);
    void InstallOpened(const std::string& image, const std::string& path);
    void InstallFromRadio(const std::string& image);
    void InstallModelChange(const std::string& image);
    void MarkSaved(const std::string& path);
    void MarkTestModeStarted() { imageFromRadio_ = true; }
    // Replaces the image text only (tests and dump loading); the saved copy stays.
    void SetImageText(const std::string& image) { image_ = image; }
    void SetFilePath(const std::string& path) { filePath_ = path; }

private:
    std::string image_;
    std::string savedImage_;
    std::string filePath_;
    bool imageFromRadio_ = false;
};

}  // namespace vgr47
