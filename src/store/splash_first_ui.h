#pragma once

#include "ui.h"

#include <functional>
#include <utility>

// The Ui of the start-up: the splash window stays while the program loads,
// but goes (once) before the first box or dialog is shown, so that no window
// covers a question waiting for an answer. Every call goes on to the Ui it
// wraps.
class SplashFirstUi : public Ui
{
public:
    SplashFirstUi(Ui &inner, std::function<void()> closeSplash)
        : m_inner(inner), m_closeSplash(std::move(closeSplash))
    {}

    // Closes the splash now, when the start-up is over; later calls do nothing.
    void dismiss()
    {
        if (auto close = std::exchange(m_closeSplash, {}))
            close();
    }

    void inform(const QString &text) override
    {
        dismiss();
        m_inner.inform(text);
    }
    Answer askYesNoCancel(const QString &text) override
    {
        dismiss();
        return m_inner.askYesNoCancel(text);
    }
    bool askOkCancel(const QString &text) override
    {
        dismiss();
        return m_inner.askOkCancel(text);
    }
    QString chooseOpenFile() override
    {
        dismiss();
        return m_inner.chooseOpenFile();
    }
    QString chooseSaveFile(const QString &proposed) override
    {
        dismiss();
        return m_inner.chooseSaveFile(proposed);
    }
    std::optional<QString> askText(const QString &title, const QString &prompt,
                                   const QString &defaultText) override
    {
        dismiss();
        return m_inner.askText(title, prompt, defaultText);
    }

private:
    Ui &m_inner;
    std::function<void()> m_closeSplash;
};
