#include "about_box.h"

#include "product.h"
#include "screen_centre.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAPropos::TAPropos(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("A propos"));

    auto *name = new QLabel(product::kName.toString());
    QFont large = name->font();
    large.setPointSize(26);
    large.setBold(true);
    name->setFont(large);
    name->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(product::kVersion);
    version->setAlignment(Qt::AlignCenter);

    auto *description = new QLabel(product::kDescription.toString());
    description->setAlignment(Qt::AlignCenter);

    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 20, 30, 16);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addWidget(description);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAPropos::run(QWidget *parent)
{
    TAPropos box(parent);
    centreOnScreen(&box);
    box.exec();
}
