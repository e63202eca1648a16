// The "S:"/"R:" lines of a radio dialog. The engines write here; the dialog shows the text
// (in debug mode) through the change callback, which runs on the engine's thread.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace vgr47 {

class TraceLog {
public:
    // A transaction starting on a log this long clears it first.
    static constexpr std::size_t kClearThreshold = 24576;

    using Listener = std::function<void(const std::string& text)>;

    TraceLog() = default;
    explicit TraceLog(Listener listener) : listener_(std::move(listener)) {}

    const std::string& text() const { return text_; }
    void SetText(std::string text) {
        text_ = std::move(text);
        Notify();
    }
    void Clear() { SetText({}); }
    // Appends prefix + body + "\r\n".
    void AppendLine(const char* prefix, const std::string& body) {
        text_ += prefix;
        text_ += body;
        text_ += "\r\n";
        Notify();
    }
    void ClearWhenFull() {
        if (text_.size() >= kClearThreshold) Clear();
    }

private:
    void Notify() {
        if (listener_) listener_(text_);
    }
    std::string text_;
    Listener listener_;
};

}  // namespace vgr47
