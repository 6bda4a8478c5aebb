#include "splash.h"

#include "product.h"
#include "screen_centre.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

TSplash::TSplash(QWidget *parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x1f, 0x3b, 0x57));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    auto *name = new QLabel(product::kName.toString());
    QFont large = name->font();
    large.setPointSize(32);
    large.setBold(true);
    name->setFont(large);

    auto *version = new QLabel(product::kVersion);
    QFont medium = version->font();
    medium.setPointSize(medium.pointSize() + 2);
    version->setFont(medium);

    auto *maker = new QLabel(product::kMaker.toString());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 36, 48, 28);
    for (QLabel *label : {name, version, maker})
        label->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(24);
    layout->addWidget(maker);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSplash::showNow()
{
    centreOnScreen(this);
    show();
    repaint();
    QCoreApplication::processEvents();
}
