#include "clock_window.h"

#include "store/ui.h"
#include "tool_window.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

THorloge::THorloge(Ui &ui, QWidget *parent) : QDialog(parent), m_ui(ui)
{
    setWindowTitle(QStringLiteral("Horloge"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *brand = new QLabel(QStringLiteral("Carvelle"));
    brand->setAlignment(Qt::AlignCenter);
    QFont brandFont = brand->font();
    brandFont.setItalic(true);
    brand->setFont(brandFont);
    layout->addWidget(brand);
    m_time = new QLabel;
    m_date = new QLabel;
    for (auto [label, size] : {std::pair{m_time, 28}, std::pair{m_date, 14}}) {
        QFont font(QStringLiteral("Liberation Mono"));
        font.setPointSize(size);
        font.setBold(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);

    auto *controls = new QHBoxLayout;
    m_units = new QButtonGroup(this);
    const std::pair<const char16_t *, ClockUnit> units[] = {
        {u"Hr", ClockUnit::Hours}, {u"Mn", ClockUnit::Minutes}, {u"Jo", ClockUnit::Days},
        {u"Mo", ClockUnit::Months}, {u"An", ClockUnit::Years}};
    for (const auto &[caption, unit] : units) {
        auto *radio = new QRadioButton(QString::fromUtf16(caption));
        m_units->addButton(radio, int(unit));
        controls->addWidget(radio);
    }
    connect(m_units, &QButtonGroup::idClicked, this,
            [this](int id) { m_face.unit = ClockUnit(id); });
    auto *spinner = new QVBoxLayout;
    spinner->setSpacing(0);
    for (int step : {1, -1}) {
        auto *arrow = new QToolButton;
        arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFixedSize(22, 14);
        arrow->setToolTip(QStringLiteral("Change l'unité choisie, pendant le réglage"));
        connect(arrow, &QToolButton::clicked, this, [this, step] {
            m_face.spin(step);
            refresh();
        });
        spinner->addWidget(arrow);
    }
    controls->addLayout(spinner);
    m_set = new QPushButton(QStringLiteral("Régler"));
    m_set->setCheckable(true);
    m_set->setAutoDefault(false);
    const ClockPermission permission = clockPermission();
    m_set->setEnabled(permission.allowed);
    m_set->setToolTip(permission.allowed
                          ? QStringLiteral("Régler l'horloge : choisir l'unité, la changer "
                                           "avec les flèches, puis Régler à nouveau")
                          : permission.why);
    connect(m_set, &QPushButton::clicked, this, &THorloge::setClicked);
    controls->addWidget(m_set);
    layout->addLayout(controls);
    addCloseButton(this, layout);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &THorloge::tick);
    m_timer->start();
    tick();
}

void THorloge::tick()
{
    m_face.tick(QDateTime::currentDateTime());
    refresh();
}

void THorloge::setClicked()
{
    if (!m_face.editMode()) {
        m_timer->stop();
        m_face.toggleSet(QTimeZone::systemTimeZone(), nullptr);
        m_set->setChecked(true);
        return;
    }
    QString error;
    const auto instant = m_face.toggleSet(QTimeZone::systemTimeZone(), &error);
    if (!instant) { // an impossible date: stay and mend it
        m_set->setChecked(true);
        m_ui.inform(error);
        return;
    }
    if (!setSystemClock(*instant, &error))
        m_ui.inform(error);
    m_set->setChecked(false);
    m_timer->start();
    tick();
}

void THorloge::refresh()
{
    m_time->setText(m_face.timeLine);
    m_date->setText(m_face.dateLine);
}
