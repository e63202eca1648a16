// Codeplug data files (.dat): what Save writes, what Open accepts, and the File commands'
// side on the image. Questions, file dialogs and messages go through interfaces so the
// window, the command line and the tests each supply their own.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/codeplug_image.h"
#include "core/messages.h"
#include "core/model_catalogue.h"
#include "core/safe_file.h"
#include "core/text_catalogue.h"

namespace vgr47 {

// The whole file as upper-case hex, two digits a byte. Number of bytes read, or -1 (out "").
long long ReadFileAsHex(const std::string& path, std::string& out);
// The whole file as characters; a zero byte ends the text of its block. Length of out, or -1
// after telling the user (when messages is given) that the file could not be opened.
long long ReadFileAsText(const std::string& path, std::string& out, Messages* messages = nullptr);
// Saves text (a codeplug image) as the file at path, the way Save does (SaveFileSafely: only a
// regular file or a new name is replaced, never a read-only file; "-" is standard output).
// Characters written, or -1 (the previous file is then untouched).
long long WriteTextFile(const std::string& path, const std::string& text);
// Why a save did not happen, in the catalogue's words, with the system's reason when there is one.
std::string SaveFailureText(const TextCatalogue& texts, const SaveReport& report);

// The 4 hex digits a version text is stamped into the image as ("5.05" gives 0505).
std::string VersionStampHex(const std::string& version);
// The version text of a stamp read back from an image; "" for FF FF (never saved) or a
// stamp that holds no version digits.
std::string VersionFromStamp(const std::string& stampHex);

enum class LoadFailure { CannotOpen, NotACodeplug };

// Reads a data file as Open and start-up reopening both accept it: a binary image that
// begins with the signature bytes, or hex text of at most 4096 bytes (blanks and line breaks
// after it are ignored). The result is the upper-case image text; nullopt (with the reason)
// for a file that cannot be read or is not an image. Only a regular file is opened, and one
// far larger than any image is refused without being read.
std::optional<std::string> LoadCodeplugFile(const std::string& path, LoadFailure* why = nullptr);

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // An existing .dat file to open; nullopt when the user cancels.
    virtual std::optional<std::string> AskOpenPath() = 0;
    // Where to save; nullopt when the user cancels.
    virtual std::optional<std::string> AskSavePath() = 0;
};

// What a file command needs; main creates one set of these and passes it down.
struct FileContext {
    CodeplugImage& image;
    ModelState& model;
    Messages& messages;
    const TextCatalogue& texts;
    FileDialogs& dialogs;
    std::string version;
};

enum class FileResult { Done, Cancelled, Failed };

// The question before the image is replaced: asked for an image from the radio or one with
// unsaved changes. Yes saves first (with save when given, e.g. the window's Save command,
// otherwise SaveDataFile). True when the command may go on; false after Cancel or when the
// save that was asked for did not succeed.
bool ConfirmReplacingImage(FileContext& ctx, const std::function<bool()>& save = {});

FileResult OpenDataFile(FileContext& ctx);
// Stamps the version first (also when the user then cancels the dialog). A refused or failed
// save tells the user why (path and reason) and leaves the image modified.
FileResult SaveDataFile(FileContext& ctx);
// Asks for a name even when the image has one; Cancel or a failure keep the path it had.
FileResult SaveDataFileAs(FileContext& ctx);

}  // namespace vgr47
