// A Messages that records every box instead of showing it, and answers
// confirmations from a script.
#pragma once

#include "core/common/messages.h"

#include <deque>
#include <string>
#include <vector>

struct RecordedMessage {
    enum Kind { Info, Plain, Confirm, AskSave, Choose } kind;
    std::string text;
    std::string title; // confirmations; a choice's buttons, "/" between

    bool operator==(const RecordedMessage &) const = default;
};

class RecordingMessages final : public Messages {
public:
    void Info(const std::string &text) override { shown.push_back({RecordedMessage::Info, text, {}}); }
    void Plain(const std::string &text) override { shown.push_back({RecordedMessage::Plain, text, {}}); }
    bool Confirm(const std::string &text, const std::string &title) override
    {
        shown.push_back({RecordedMessage::Confirm, text, title});
        return Next(answers, false);
    }

    SaveAnswer Ask_Save(const std::string &text) override
    {
        shown.push_back({RecordedMessage::AskSave, text, {}});
        return Next(saveAnswers, SaveAnswer::Cancel);
    }

    int Choose(const std::string &text, const std::vector<std::string> &buttons, int, int escapeButton) override
    {
        std::string title;
        for (const std::string &button : buttons)
            title += (title.empty() ? "" : "/") + button;
        shown.push_back({RecordedMessage::Choose, text, title});
        return Next(choices, escapeButton);
    }

    // Texts only, in the order shown.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto &m : shown)
            texts.push_back(m.text);
        return texts;
    }

    std::vector<RecordedMessage> shown;
    std::deque<bool> answers;            // for Confirm: true is Yes
    std::deque<SaveAnswer> saveAnswers; // for Ask_Save; 취소 when none is left
    std::deque<int> choices;            // for Choose; the escape button when none is left

private:
    // The next scripted answer, or `none` once the script is used up.
    template <class Answer>
    static Answer Next(std::deque<Answer> &script, Answer none)
    {
        if (script.empty())
            return none;
        const Answer answer = script.front();
        script.pop_front();
        return answer;
    }
};
