// The tests' one Messages double: it keeps every text shown and every question asked, answers
// the questions from a script and then with one fixed answer, and can keep nothing at all for
// runs that tell and ask thousands of times.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/messages.h"

namespace vgr47::testing {

// A question as the code put it.
struct AskedQuestion {
    std::string text;
    std::string caption;
    Buttons buttons;
    bool defaultNo;
};

class RecordingMessages : public Messages {
  public:
    // `fallback` answers every question once the scripted answers are used up.
    explicit RecordingMessages(Answer fallback = Answer::No) : answer(fallback) {}

    void ShowMessage(const std::string& text) override {
        if (!silent) shown.push_back(text);
    }
    void ShowWarning(const std::string& text) override {
        if (!silent) ++warnings;
        ShowMessage(text);
    }
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               bool defaultNo) override {
        if (!silent) {
            asked.push_back(text);
            questions.push_back({text, caption, buttons, defaultNo});
        }
        if (whileAsking) whileAsking();
        if (answers.empty()) return answer;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<std::string> shown;        // notices and warnings, in order
    int warnings = 0;                      // how many of them were warnings
    std::vector<std::string> asked;        // the questions' texts, in order
    std::vector<AskedQuestion> questions;  // the same with caption, buttons and default
    std::deque<Answer> answers;            // scripted answers, used up in order
    Answer answer;                         // the answer once the script is used up
    std::function<void()> whileAsking;     // runs while a question is open, as a user takes time
    bool silent = false;                   // keeps nothing (answers all the same)
};

}  // namespace vgr47::testing
