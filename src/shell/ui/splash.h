#pragma once

#include <QFrame>

// TSplash: the borderless window shown while the program starts.
class TSplash : public QFrame
{
    Q_OBJECT
public:
    explicit TSplash(QWidget *parent = nullptr);

    // Shows the window centred on the screen and paints it at once, before
    // the event loop runs. close() takes it away.
    void showNow();
};
