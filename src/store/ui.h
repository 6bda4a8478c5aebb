#pragma once

#include <QString>

#include <optional>

// What the model asks of the person at the screen: message boxes, input
// boxes and file dialogs. The windows answer through real dialogs; tests
// script the answers.
class Ui
{
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~Ui() = default;
    // An information box with OK.
    virtual void inform(const QString &text) = 0;
    // A warning box with Yes, No and Cancel.
    virtual Answer askYesNoCancel(const QString &text) = 0;
    // A warning box with OK and Cancel; true for OK.
    virtual bool askOkCancel(const QString &text) = 0;
    // The open and save dialogs for hotel files ("Fichiers hotel (*.htl)");
    // an empty path when cancelled.
    virtual QString chooseOpenFile() = 0;
    virtual QString chooseSaveFile(const QString &proposed) = 0;
    // An input box offering `defaultText`; nothing when cancelled. A Ui
    // that cannot ask answers as if cancelled.
    virtual std::optional<QString> askText(const QString &title, const QString &prompt,
                                           const QString &defaultText)
    {
        (void)title, (void)prompt, (void)defaultText;
        return std::nullopt;
    }
};
