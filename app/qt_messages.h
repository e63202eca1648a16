#pragma once

#include <QWidget>

#include "core/messages.h"

namespace vgr47 {

// Message boxes on the UI thread.
class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent) : parent_(parent) {}
    void ShowMessage(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons, bool defaultNo) override;

private:
    QWidget* parent_;
};

}  // namespace vgr47
