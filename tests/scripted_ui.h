#pragma once

#include "store/ui.h"

#include <QStringList>

#include <deque>

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
    QString chooseSaveFile(const QString &) override
    {
        ++saveDialogs;
        return take(saveFiles, QString());
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
