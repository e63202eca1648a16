#include "core/undo_history.h"

#include <utility>

namespace vgr47 {

namespace {

// Changed bytes this close together make one piece: a channel record is written whole, and
// a few unchanged bytes are cheaper than another piece.
constexpr int kJoinGap = 4;

}  // namespace

UndoHistory::UndoHistory(std::vector<ByteRange> ignored, std::size_t limit)
    : ignored_(std::move(ignored)), limit_(limit == 0 ? 1 : limit) {}

void UndoHistory::Reset(const std::string& image) {
    known_ = image;
    undo_.clear();
    redo_.clear();
}

bool UndoHistory::Ignored(int address) const {
    for (const ByteRange& r : ignored_)
        if (address >= r.address && address < r.address + r.count) return true;
    return false;
}

std::vector<UndoHistory::Piece> UndoHistory::Diff(const std::string& from,
                                                  const std::string& to) const {
    std::vector<Piece> pieces;
    const int bytes = static_cast<int>(from.size() / 2);
    int start = -1, last = -1;
    auto close = [&] {
        if (start < 0) return;
        const std::size_t at = static_cast<std::size_t>(start) * 2,
                          n = static_cast<std::size_t>(last - start + 1) * 2;
        pieces.push_back({start, from.substr(at, n), to.substr(at, n)});
        start = last = -1;
    };
    for (int a = 0; a < bytes; ++a) {
        if (Ignored(a)) {
            close();
            continue;
        }
        const std::size_t at = static_cast<std::size_t>(a) * 2;
        if (from.compare(at, 2, to, at, 2) == 0) continue;
        if (start >= 0 && a - last > kJoinGap) close();
        if (start < 0) start = a;
        last = a;
    }
    close();
    return pieces;
}

bool UndoHistory::Checkpoint(const std::string& image) {
    if (image.size() != known_.size()) {
        Reset(image);
        return false;
    }
    std::vector<Piece> pieces = Diff(known_, image);
    known_ = image;
    if (pieces.empty()) return false;
    undo_.push_back(std::move(pieces));
    redo_.clear();
    if (undo_.size() > limit_) undo_.erase(undo_.begin());
    return true;
}

bool UndoHistory::Apply(CodeplugImage& image, std::vector<Step>& from, std::vector<Step>& to,
                        bool back) {
    Checkpoint(image.image());
    if (from.empty()) return false;
    Step step = std::move(from.back());
    from.pop_back();
    if (back) {
        for (auto it = step.rbegin(); it != step.rend(); ++it)
            image.WriteBytes(it->address, it->before);
    } else {
        for (const Piece& p : step) image.WriteBytes(p.address, p.after);
    }
    to.push_back(std::move(step));
    known_ = image.image();
    return true;
}

bool UndoHistory::Undo(CodeplugImage& image) { return Apply(image, undo_, redo_, true); }

bool UndoHistory::Redo(CodeplugImage& image) { return Apply(image, redo_, undo_, false); }

}  // namespace vgr47
