// Writing and reading the user's files so that nothing is ever lost or damaged: a save replaces
// only a regular file the user may write, through a synced temporary file renamed over it; a
// read opens only what it was meant to read (a FIFO or a device is never opened by mistake).
#pragma once

#include <cstddef>
#include <string>

namespace vgr47 {

// The path that stands for standard output (saving) or standard input (reading a text).
inline constexpr const char* kStandardStreamPath = "-";

enum class SaveProblem {
    None,
    ReadOnly,        // no write permission bit for this user (root included)
    NotRegularFile,  // a folder, device, pipe or socket: only regular files are replaced
    Failed,          // the folder or the disk refused; reason says why
};

struct SaveReport {
    SaveProblem problem = SaveProblem::None;
    std::string reason;  // the system's words, for Failed
    bool ok() const { return problem == SaveProblem::None; }
};

// Replaces the file at path with bytes, or creates it. "-" writes to standard output. A link is
// kept and the file it leads to replaced. The new file is written as ".NAME.XXXXXX.tmp" beside
// the target, synced, renamed over it and the folder synced; it keeps the old file's permission
// bits (and, for root, its owner and group). The target is never removed first, so a failure at
// any point leaves the old file whole. That target's temporary files older than a minute (from
// a save killed midway) are removed on the way.
SaveReport SaveFileSafely(const std::string& path, const std::string& bytes);

// The text number that tells the user why a save did not happen.
int SaveProblemText(SaveProblem problem);

// Reads a regular file, at most limit bytes. False when the path is not a regular file (nothing
// else is even opened), cannot be read, or is larger than limit (*tooLarge is then set).
bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& out,
                     bool* tooLarge = nullptr);

enum class InputProblem {
    None,
    NotFileOrPipe,  // a folder or a device node
    TooLarge,
    Failed,  // reason says why
};

struct InputReport {
    InputProblem problem = InputProblem::None;
    std::string reason;
    bool ok() const { return problem == InputProblem::None; }
};

// A text the user hands over: a regular file, a pipe or FIFO (so process substitution and
// /dev/stdin work), or "-" for standard input; at most limit bytes.
InputReport ReadTextInput(const std::string& path, std::size_t limit, std::string& out);

}  // namespace vgr47
