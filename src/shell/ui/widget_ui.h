#pragma once

#include "store/ui.h"

#include <QPointer>
#include <QWidget>

// The message boxes and file dialogs of the program, as real windows over
// the main window.
class WidgetUi : public Ui
{
public:
    explicit WidgetUi(QWidget *window = nullptr) : m_window(window) {}
    void setWindow(QWidget *window) { m_window = window; }

    void inform(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    bool askOkCancel(const QString &text) override;
    QString chooseOpenFile() override;
    QString chooseSaveFile(const QString &proposed) override;
    std::optional<QString> askText(const QString &title, const QString &prompt,
                                   const QString &defaultText) override;

private:
    QPointer<QWidget> m_window;
};
