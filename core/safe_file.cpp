#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/text_ids.h"

namespace vgr47 {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;              // as the system's own limit on a chain of links
constexpr std::time_t kStaleSeconds = 60;  // a save never takes that long
const char* const kTemporarySuffix = ".tmp";
constexpr std::size_t kRandomPartLength = 6;  // the XXXXXX of mkstemps

// A call whose failure is acceptable; its result is looked at and let go.
void BestEffort(int) {}

SaveReport Failure(int error) { return {SaveProblem::Failed, std::strerror(error)}; }

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads until the end or until more than limit bytes came.
bool ReadAll(int fd, std::size_t limit, std::string& out, bool& tooLarge) {
    out.clear();
    tooLarge = false;
    std::vector<char> buffer(65536);
    for (;;) {
        ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        out.append(buffer.data(), static_cast<std::size_t>(n));
        if (out.size() > limit) {
            tooLarge = true;
            out.clear();
            return false;
        }
    }
}

// Follows links to the path that will really be replaced: the link stays, its target changes.
// A dangling link leads to the name it points at, which the save then creates.
bool FollowLinks(const std::string& path, std::string& target, int& error) {
    fs::path p(path);
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT) return error = errno, false;
            target = p.string();
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = p.string();
            return true;
        }
        std::error_code ec;
        fs::path next = fs::read_symlink(p, ec);
        if (ec) return error = ec.value(), false;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    error = ELOOP;
    return false;
}

bool InGroup(gid_t gid) {
    if (gid == ::getegid()) return true;
    int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    count = ::getgroups(count, groups.data());
    for (int i = 0; i < count; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid) return true;
    return false;
}

// Judged on the mode bits alone: root could write anything, but a file its owner made
// read-only is one nobody meant to be replaced.
bool WritableByMode(const struct stat& st) {
    const uid_t uid = ::geteuid();
    if (uid == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (st.st_uid == uid) return (st.st_mode & S_IWUSR) != 0;
    if (InGroup(st.st_gid)) return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

// The process's umask, read without changing it where the system tells it.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string prefix = "." + name + ".";
    const std::size_t suffix = std::strlen(kTemporarySuffix);
    if (entry.size() != prefix.size() + kRandomPartLength + suffix) return false;
    if (entry.compare(0, prefix.size(), prefix) != 0) return false;
    if (entry.compare(entry.size() - suffix, suffix, kTemporarySuffix) != 0) return false;
    for (std::size_t i = prefix.size(); i < prefix.size() + kRandomPartLength; ++i) {
        const char c = entry[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

// A save killed midway leaves its temporary file; a save still running has a fresh one.
void RemoveStaleTemporaries(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    const std::time_t now = std::time(nullptr);
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        if (!IsTemporaryOf(entry.filename().string(), name)) continue;
        struct stat st {};
        if (::lstat(entry.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (now - st.st_mtime > kStaleSeconds) ::unlink(entry.c_str());
    }
}

bool SyncFolder(const fs::path& folder, int& error) {
    const fs::path f = folder.empty() ? fs::path(".") : folder;
    int fd = ::open(f.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return error = errno, false;
    bool ok = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync a folder
    if (!ok) error = errno;
    ::close(fd);
    return ok;
}

SaveReport WriteStandardOutput(const std::string& bytes) {
    std::fflush(stdout);
    if (!WriteAll(STDOUT_FILENO, bytes)) return Failure(errno);
    return {};
}

}  // namespace

SaveReport SaveFileSafely(const std::string& path, const std::string& bytes) {
    if (path.empty()) return Failure(ENOENT);
    if (path == kStandardStreamPath) return WriteStandardOutput(bytes);

    std::string target;
    int error = 0;
    if (!FollowLinks(path, target, error)) return Failure(error);
    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return Failure(errno);
    if (exists && !S_ISREG(old.st_mode)) return {SaveProblem::NotRegularFile, ""};
    if (exists && !WritableByMode(old)) return {SaveProblem::ReadOnly, ""};

    const fs::path targetPath(target);
    const fs::path folder = targetPath.parent_path();
    const std::string name = targetPath.filename().string();
    RemoveStaleTemporaries(folder, name);

    std::string temp = (folder / ("." + name + ".XXXXXX" + kTemporarySuffix)).string();
    int fd = ::mkostemps(temp.data(), static_cast<int>(std::strlen(kTemporarySuffix)), O_CLOEXEC);
    if (fd < 0) return Failure(errno);
    // Owner first: changing it clears the set-id bits that the mode then puts back. Both are
    // kept where the file system allows; where it does not, the private 0600 of the temporary
    // file is the safe default and the data still gets saved.
    if (exists) {
        if (::geteuid() == 0) BestEffort(::fchown(fd, old.st_uid, old.st_gid));
        BestEffort(::fchmod(fd, old.st_mode & 07777));
    } else {
        BestEffort(::fchmod(fd, 0666 & ~CurrentUmask()));
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) error = errno;
    if (::close(fd) != 0 && ok) ok = false, error = errno;
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = false, error = errno;
    if (!ok) {
        ::unlink(temp.c_str());
        return Failure(error);
    }
    if (!SyncFolder(folder, error)) return Failure(error);
    return {};
}

int SaveProblemText(SaveProblem problem) {
    switch (problem) {
        case SaveProblem::ReadOnly:
            return kTextSaveReadOnly;
        case SaveProblem::NotRegularFile:
            return kTextSaveNotRegularFile;
        default:
            return kTextFileWriteFailed;
    }
}

bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& out, bool* tooLarge) {
    out.clear();
    if (tooLarge) *tooLarge = false;
    struct stat st {};
    // Checked before opening: opening a FIFO waits for a writer, opening a device may act.
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    bool large = false;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && static_cast<unsigned long long>(st.st_size) > limit) ok = false, large = true;
    if (ok) ok = ReadAll(fd, limit, out, large);
    ::close(fd);
    if (tooLarge) *tooLarge = large;
    return ok;
}

InputReport ReadTextInput(const std::string& path, std::size_t limit, std::string& out) {
    out.clear();
    bool tooLarge = false;
    if (path == kStandardStreamPath) {
        if (ReadAll(STDIN_FILENO, limit, out, tooLarge)) return {};
        if (tooLarge) return {InputProblem::TooLarge, ""};
        return {InputProblem::Failed, std::strerror(errno)};
    }
    auto readable = [](const struct stat& st) {
        return S_ISREG(st.st_mode) || S_ISFIFO(st.st_mode);
    };
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {InputProblem::Failed, std::strerror(errno)};
    if (!readable(st)) return {InputProblem::NotFileOrPipe, ""};
    if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > limit)
        return {InputProblem::TooLarge, ""};
    // A FIFO waits here for its writer, as reading a pipe should.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {InputProblem::Failed, std::strerror(errno)};
    InputReport report;
    if (::fstat(fd, &st) != 0 || !readable(st)) {
        report = {InputProblem::NotFileOrPipe, ""};
    } else if (!ReadAll(fd, limit, out, tooLarge)) {
        report = tooLarge ? InputReport{InputProblem::TooLarge, ""}
                          : InputReport{InputProblem::Failed, std::strerror(errno)};
    }
    ::close(fd);
    return report;
}

}  // namespace vgr47
