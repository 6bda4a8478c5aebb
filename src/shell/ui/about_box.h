#pragma once

#include <QDialog>

// TAPropos: the program's name, version and purpose.
class TAPropos : public QDialog
{
    Q_OBJECT
public:
    explicit TAPropos(QWidget *parent = nullptr);

    // Shows the box modally, centred on the screen.
    static void run(QWidget *parent);
};
