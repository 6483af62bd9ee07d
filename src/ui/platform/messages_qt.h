#pragma once

#include "core/common/messages.h"

// Real message boxes (QMessageBox), parented to the active window.
class QtMessages final : public Messages {
public:
    void Info(const std::string &text) override;
    void Plain(const std::string &text) override;
    bool Confirm(const std::string &text, const std::string &title) override;
    SaveAnswer Ask_Save(const std::string &text) override;
    int Choose(const std::string &text, const std::vector<std::string> &buttons, int defaultButton,
               int escapeButton) override;
};
