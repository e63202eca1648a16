// How the program tells the user something. The GUI shows message boxes, the command line
// writes to stderr and tests record what was shown.
#pragma once

#include <string>

namespace vgr47 {

enum class Answer { Yes, No, Cancel };
// OkCancel answers Yes for OK.
enum class Buttons { YesNoCancel, YesNo, OkCancel };

class Messages {
public:
    virtual ~Messages() = default;
    // A notice with an OK button, captioned with the program's short name.
    virtual void ShowMessage(const std::string& text) = 0;
    // A notice that something failed: the same, with a warning icon where there are icons.
    virtual void ShowWarning(const std::string& text) { ShowMessage(text); }
    // A question with a question icon. defaultNo selects No (or Cancel) as the default button.
    virtual Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
                       bool defaultNo = false) = 0;
};

inline constexpr const char* kProgramShortName = "VGR47";

}  // namespace vgr47
