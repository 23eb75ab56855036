// Answers the window's modal questions without a person and records them.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <vector>

#include "shell/Dialogs.h"

namespace tallyrix::test {

class RecordingDialogs : public ModalDialogs {
public:
    QMessageBox::StandardButton ShowMessage(QWidget*, const MessageRequest& request) override
    {
        Messages.push_back(request);
        if (MessageAnswers.empty()) return Escape(request.buttons);
        const QMessageBox::StandardButton answer = MessageAnswers.front();
        MessageAnswers.pop_front();
        return answer;
    }
    std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice& current) override
    {
        FontsOffered.push_back(current);
        return Next(FontAnswers);
    }
    std::optional<QColor> ChooseColor(QWidget*, const QColor& current) override
    {
        ColorsOffered.push_back(current);
        return Next(ColorAnswers);
    }
    // The dialog is shown without a modal loop; the driver acts on it as the
    // user would (OK and Cancel set the result). Without a driver: Cancel.
    int RunDialog(QDialog& dialog) override
    {
        dialog.show();
        if (DialogDriver) DialogDriver(dialog);
        return dialog.result();
    }
    std::optional<QString> ChooseOpenFile(QWidget*, const FileDialogRequest& request) override
    {
        FileDialogs.push_back(request);
        return Next(FileAnswers);
    }
    std::optional<QString> ChooseSaveFile(QWidget*, const FileDialogRequest& request) override
    {
        FileDialogs.push_back(request);
        return Next(FileAnswers);
    }

    std::vector<MessageRequest> Messages;
    // Answers to the message boxes in order; without one a box is closed as
    // Escape closes it.
    std::deque<QMessageBox::StandardButton> MessageAnswers;
    std::vector<FileDialogRequest> FileDialogs;
    std::deque<std::optional<QString>> FileAnswers;
    std::function<void(QDialog&)> DialogDriver;
    std::vector<FontChoice> FontsOffered;
    // Empty answers (and no answers left) mean Cancel.
    std::deque<std::optional<FontChoice>> FontAnswers;
    std::deque<std::optional<QColor>> ColorAnswers;
    std::vector<QColor> ColorsOffered;

private:
    static QMessageBox::StandardButton Escape(QMessageBox::StandardButtons buttons)
    {
        for (const QMessageBox::StandardButton button : {QMessageBox::Cancel, QMessageBox::No}) {
            if (buttons.testFlag(button)) return button;
        }
        return QMessageBox::Ok;
    }

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
