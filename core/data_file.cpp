#include "core/data_file.h"

#include <limits>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/safe_file.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

// The first bytes of a binary image file. Only the bytes count, so the comparison is on hex.
const char* const kBinarySignatureHex = "496E74657250686F6E65";
constexpr std::size_t kBinarySignatureBytes = 10;
constexpr std::size_t kTextBlockBytes = 327677;
const char* const kOpenFileError = "Open File Error!";
// A data file with room for blanks after the hex text; anything larger is no codeplug.
constexpr std::size_t kLargestDataFile = 4u * mem::kImageBytes;

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
    return ReadRegularFile(path, std::numeric_limits<std::size_t>::max(), bytes);
}

// Text editors and copy tools end a text file with a line break; it is not part of the image.
void DropTrailingBlanks(std::string& text) {
    std::size_t end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
}

bool SaveTo(FileContext& ctx, const std::string& path) {
    SaveReport report = SaveFileSafely(path, ctx.image.image());
    if (!report.ok()) {
        ctx.messages.ShowMessage(path + "\n" + SaveFailureText(ctx.texts, report));
        return false;
    }
    ctx.image.MarkSaved(path);
    return true;
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
    return SaveFileSafely(path, text).ok() ? static_cast<long long>(text.size()) : -1;
}

std::string SaveFailureText(const TextCatalogue& texts, const SaveReport& report) {
    std::string text = texts.GetText(SaveProblemText(report.problem));
    if (!report.reason.empty()) text += " (" + report.reason + ")";
    return text;
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
    std::string bytes;
    bool tooLarge = false;
    if (!ReadRegularFile(path, kLargestDataFile, bytes, &tooLarge))
        return fail(tooLarge ? LoadFailure::NotACodeplug : LoadFailure::CannotOpen);

    if (bytes.size() >= kBinarySignatureBytes &&
        BytesToHex(bytes.substr(0, kBinarySignatureBytes)) == kBinarySignatureHex) {
        if (bytes.size() > static_cast<std::size_t>(mem::kImageBytes)) {
            return fail(LoadFailure::NotACodeplug);
        }
        return BytesToHex(bytes);
    }
    DropTrailingBlanks(bytes);
    // Hex text of the largest image is the longest text there can be.
    if (bytes.empty() || bytes.size() > 2u * mem::kImageBytes || bytes.size() % 2 != 0 ||
        !IsHexText(bytes))
        return fail(LoadFailure::NotACodeplug);
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
    return SaveTo(ctx, path) ? FileResult::Done : FileResult::Failed;
}

FileResult SaveDataFileAs(FileContext& ctx) {
    // The image keeps its file until another one was really written.
    ctx.image.WriteBytes(mem::kVersionStamp, VersionStampHex(ctx.version));
    std::optional<std::string> chosen = ctx.dialogs.AskSavePath();
    if (!chosen || chosen->empty()) return FileResult::Cancelled;
    return SaveTo(ctx, *chosen) ? FileResult::Done : FileResult::Failed;
}

}  // namespace vgr47
