// Answers the window's modal questions without a person and records them.
#pragma once

#include <deque>
#include <vector>

#include "shell/Dialogs.h"

namespace tallyrix::test {

class RecordingDialogs : public ModalDialogs {
public:
    QMessageBox::StandardButton ShowMessage(QWidget*, const MessageRequest& request) override
    {
        Messages.push_back(request);
        return QMessageBox::Ok;
    }
    std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice& current) override
    {
        FontsOffered.push_back(current);
        return Next(FontAnswers);
    }
    std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return Next(ColorAnswers); }

    std::vector<MessageRequest> Messages;
    std::vector<FontChoice> FontsOffered;
    // Empty answers (and no answers left) mean Cancel.
    std::deque<std::optional<FontChoice>> FontAnswers;
    std::deque<std::optional<QColor>> ColorAnswers;

private:
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers)
    {
        std::optional<T> answer;
        if (!answers.empty()) {
            answer.swap(answers.front());
            answers.pop_front();
        }
        return answer;
    }
};

}  // namespace tallyrix::test
