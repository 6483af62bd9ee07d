// The modal message boxes of the program, behind an interface so that
// tests can record them instead of blocking on them.
#pragma once

#include <string>
#include <vector>

// The answer to the question before changed work is dropped.
enum class SaveAnswer { Save, DontSave, Cancel };

class Messages {
public:
    virtual ~Messages() = default;

    // A box with the information icon and OK, under the application title.
    virtual void Info(const std::string &text) = 0;

    // A box with no icon and OK, under the application title.
    virtual void Plain(const std::string &text) = 0;

    // A question with Yes and No and no icon, under its own title; true for
    // Yes. Closing the box otherwise counts as No.
    virtual bool Confirm(const std::string &text, const std::string &title) = 0;

    // A question with 저장, 저장 안 함 and 취소 and no icon, under the
    // application title. Closing the box otherwise (Esc) counts as 취소.
    virtual SaveAnswer Ask_Save(const std::string &text) = 0;

    // A question with these buttons and no icon, under the application
    // title: the index of the one chosen. Enter chooses `defaultButton`;
    // closing the box (Esc) chooses `escapeButton`, or gives -1 when that
    // is -1.
    virtual int Choose(const std::string &text, const std::vector<std::string> &buttons, int defaultButton,
                       int escapeButton) = 0;
};
