#pragma once

#include "store/ui.h"

#include <QStringList>

#include <deque>
#include <optional>

// Answers every message box and file dialog from a script, and records what
// was shown, so no test ever waits on a window.
class ScriptedUi : public Ui
{
public:
    QStringList shown;                 // every text shown or asked
    std::deque<Answer> yesNoCancel;    // next answers; Cancel when none left
    std::deque<bool> okCancel;         // next answers; Cancel when none left
    std::deque<QString> openFiles, saveFiles;
    int openDialogs = 0, saveDialogs = 0;
    QStringList proposedSaves; // what each save dialog's name field held
    // Input boxes: the next answers, a null QString() for "Annuler"
    // (cancelled when none left), and the title, prompt and offered text of
    // each box asked.
    std::deque<QString> texts;
    QList<QStringList> textBoxes;

    void inform(const QString &text) override { shown << text; }
    Answer askYesNoCancel(const QString &text) override
    {
        shown << text;
        return take(yesNoCancel, Answer::Cancel);
    }
    bool askOkCancel(const QString &text) override
    {
        shown << text;
        return take(okCancel, false);
    }
    QString chooseOpenFile() override
    {
        ++openDialogs;
        return take(openFiles, QString());
    }
    QString chooseSaveFile(const QString &proposed) override
    {
        ++saveDialogs;
        proposedSaves << proposed;
        return take(saveFiles, QString());
    }

    std::optional<QString> askText(const QString &title, const QString &prompt,
                                   const QString &defaultText) override
    {
        textBoxes << QStringList{title, prompt, defaultText};
        const QString answer = take(texts, QString());
        return answer.isNull() ? std::nullopt : std::optional<QString>(answer);
    }

private:
    template<typename T>
    static T take(std::deque<T> &q, T otherwise)
    {
        if (q.empty())
            return otherwise;
        T v = q.front();
        q.pop_front();
        return v;
    }
};
