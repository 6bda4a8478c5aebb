#pragma once

#include "commands/commands.h"
#include "store/page.h"

#include <functional>
#include <memory>

class CommandState;
class Fiche;
class QDialog;
class QWidget;
class Ui;
struct PrintJob;

// What the main window offers a subsystem that brings its own pages and
// commands: each subsystem installs itself once, when the window is built,
// and the window then runs its commands like its own.
class CommandHost
{
public:
    using Handler = std::function<void()>;

    virtual Fiche &fiche() = 0;
    virtual Ui &ui() = 0;
    virtual CommandState &state() = 0;
    // The parent of the subsystem's dialogs.
    virtual QWidget *dialogParent() = 0;
    // Shows a dialog modally, unless a test answers it in place of the person.
    virtual int showDialog(QDialog &dialog) = 0;
    // Prints (or saves as PDF) through the printer chosen for the program.
    virtual bool print(const PrintJob &job) = 0;
    // Runs a command as its menu item does.
    virtual void run(Cmd cmd) = 0;

    // The operation of a command, from its menu item, button or shortcut.
    virtual void setHandler(Cmd cmd, Handler handler) = 0;
    // What a command every page shares (copy, paste, list, print the card)
    // does while `page` is shown; it comes before the command's own handler.
    virtual void setPageHandler(PageId page, Cmd cmd, Handler handler) = 0;
    // A page of the record window: its model, which must outlive the window
    // (see keep), and how to build its widget once the record window is
    // made. The widget's focus proxy takes the focus when the page is shown.
    virtual void addPage(PageId page, Page &model, std::function<QWidget *()> makeWidget) = 0;
    // Keeps a part of the subsystem (its page models...) as long as the window.
    virtual void keep(std::shared_ptr<void> part) = 0;

protected:
    ~CommandHost() = default;
};
