#include "core/data_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace fs = std::filesystem;

namespace {

// The first bytes of a binary image file. Only the bytes count, so the comparison is on hex.
const char* const kBinarySignatureHex = "496E74657250686F6E65";
constexpr std::size_t kBinarySignatureBytes = 10;
constexpr std::size_t kTextBlockBytes = 327677;
const char* const kOpenFileError = "Open File Error!";

std::string BytesToHex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    return hex;
}

bool ReadAll(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

fs::path TemporaryPathBeside(const fs::path& target) {
    std::random_device rd;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(rd()));
    fs::path name = "." + target.filename().string() + "." + suffix + ".tmp";
    return target.parent_path() / name;
}

// Opens a new temporary file beside the target; never reuses an existing name.
std::FILE* CreateTemporary(const fs::path& target, fs::path& tempPath) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        tempPath = TemporaryPathBeside(target);
        if (std::FILE* f = std::fopen(tempPath.string().c_str(), "wbx")) return f;
        std::error_code ec;
        if (!fs::exists(tempPath, ec)) return nullptr;  // the folder refuses, not a name clash
    }
    return nullptr;
}

}  // namespace

long long ReadFileAsHex(const std::string& path, std::string& out) {
    out.clear();
    std::string bytes;
    if (!ReadAll(path, bytes)) return -1;
    out = BytesToHex(bytes);
    return static_cast<long long>(bytes.size());
}

long long ReadFileAsText(const std::string& path, std::string& out, Messages* messages) {
    out.clear();
    std::string bytes;
    if (!ReadAll(path, bytes)) {
        if (messages) messages->ShowMessage(kOpenFileError);
        return -1;
    }
    for (std::size_t start = 0; start < bytes.size(); start += kTextBlockBytes) {
        std::size_t length = std::min(kTextBlockBytes, bytes.size() - start);
        std::size_t zero = bytes.find('\0', start);
        if (zero != std::string::npos && zero < start + length) length = zero - start;
        out.append(bytes, start, length);
    }
    return static_cast<long long>(out.size());
}

long long WriteTextFile(const std::string& path, const std::string& text) {
    std::error_code ec;
    if (path.empty()) return -1;
    // Through a link, replace the file it points to and keep the link.
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) return -1;
        target = resolved;
    }
    if (fs::is_directory(target, ec)) return -1;
    fs::path tempPath;
    std::FILE* f = CreateTemporary(target, tempPath);
    if (!f) return -1;
    bool ok = text.empty() || std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) {
        // Keep the permissions the old file had.
        auto old = fs::status(target, ec);
        if (!ec && fs::exists(old)) fs::permissions(tempPath, old.permissions(), ec);
        ec.clear();
        fs::rename(tempPath, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(tempPath, ec);
        return -1;
    }
    return static_cast<long long>(text.size());
}

std::string VersionStampHex(const std::string& version) {
    if (version.size() == 4) return "0" + version.substr(0, 1) + version.substr(2, 2);
    std::string head = version.substr(0, 2);
    std::string tail = version.size() >= 2 ? version.substr(version.size() - 2) : version;
    return head + tail;
}

std::string VersionFromStamp(const std::string& stampHex) {
    if (stampHex.size() != 4) return "";
    for (char c : stampHex) {
        if (c < '0' || c > '9') return "";
    }
    // A leading 0 stands for a one-digit major version ("0505" is 5.05).
    if (stampHex[0] == '0') return stampHex.substr(1, 1) + "." + stampHex.substr(2);
    return stampHex.substr(0, 2) + "." + stampHex.substr(2);
}

std::optional<std::string> LoadCodeplugFile(const std::string& path, LoadFailure* why) {
    auto fail = [why](LoadFailure reason) -> std::optional<std::string> {
        if (why) *why = reason;
        return std::nullopt;
    };
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return fail(LoadFailure::CannotOpen);
    const auto size = fs::file_size(path, ec);
    if (ec) return fail(LoadFailure::CannotOpen);
    // Hex text of the largest image is the largest file there can be.
    if (size == 0 || size > 2u * mem::kImageBytes) return fail(LoadFailure::NotACodeplug);

    std::string bytes;
    if (!ReadAll(path, bytes)) return fail(LoadFailure::CannotOpen);
    if (bytes.empty() || bytes.size() > 2u * mem::kImageBytes)
        return fail(LoadFailure::NotACodeplug);

    if (bytes.size() >= kBinarySignatureBytes &&
        BytesToHex(bytes.substr(0, kBinarySignatureBytes)) == kBinarySignatureHex) {
        if (bytes.size() > static_cast<std::size_t>(mem::kImageBytes)) {
            return fail(LoadFailure::NotACodeplug);
        }
        return BytesToHex(bytes);
    }
    if (bytes.size() % 2 != 0 || !IsHexText(bytes)) return fail(LoadFailure::NotACodeplug);
    // Every reader compares upper-case text; the bytes stay the same.
    return ToUpperAscii(bytes);
}

bool ConfirmReplacingImage(FileContext& ctx, const std::function<bool()>& save) {
    std::string question;
    if (ctx.image.imageFromRadio()) {
        question = ctx.texts.GetText(kTextSaveRadioDataQuestion);
    } else if (ctx.image.IsModified()) {
        const std::string& path = ctx.image.filePath();
        question = (path.empty() ? ctx.texts.GetText(kTextUntitled) : path) + " " +
                   ctx.texts.GetText(kTextSaveChangesQuestion);
    } else {
        return true;
    }
    switch (
        ctx.messages.Ask(question, ctx.texts.GetText(kTextQuestionCaption), Buttons::YesNoCancel)) {
        case Answer::Yes:
            return save ? save() : SaveDataFile(ctx) == FileResult::Done;
        case Answer::No:
            return true;
        case Answer::Cancel:
            return false;
    }
    return false;
}

FileResult OpenDataFile(FileContext& ctx) {
    if (!ConfirmReplacingImage(ctx)) return FileResult::Cancelled;
    std::optional<std::string> path = ctx.dialogs.AskOpenPath();
    if (!path) return FileResult::Cancelled;
    LoadFailure why = LoadFailure::CannotOpen;
    std::optional<std::string> image = LoadCodeplugFile(*path, &why);
    if (!image) {
        ctx.messages.ShowMessage(ctx.texts.GetText(
            why == LoadFailure::NotACodeplug ? kTextNotACodeplug : kTextFileOpenFailed));
        return FileResult::Failed;
    }
    ctx.image.InstallOpened(*image, *path);
    ctx.model.UpdateModelFromImage(ctx.image.image());
    return FileResult::Done;
}

FileResult SaveDataFile(FileContext& ctx) {
    ctx.image.WriteBytes(mem::kVersionStamp, VersionStampHex(ctx.version));
    std::string path = ctx.image.filePath();
    if (path.empty()) {
        std::optional<std::string> chosen = ctx.dialogs.AskSavePath();
        if (!chosen || chosen->empty()) return FileResult::Cancelled;
        path = *chosen;
    }
    if (WriteTextFile(path, ctx.image.image()) < 0) {
        ctx.messages.ShowMessage(ctx.texts.GetText(kTextFileWriteFailed));
        return FileResult::Failed;
    }
    ctx.image.MarkSaved(path);
    return FileResult::Done;
}

FileResult SaveDataFileAs(FileContext& ctx) {
    ctx.image.SetFilePath("");
    return SaveDataFile(ctx);
}

}  // namespace vgr47
