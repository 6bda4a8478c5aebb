#include "police_form.h"

#include "store/text.h"

#include <cmath>

namespace police {

namespace {

const PrintFont kHeading{QStringLiteral("Arial"), 12, true};
const PrintFont kTitleFont{QStringLiteral("Arial"), 14, true};
const PrintFont kLabel{QStringLiteral("Arial"), 9, false};
const PrintFont kValue{QStringLiteral("Arial"), 10, true};
const PrintFont kDots{QStringLiteral("Arial"), 10, false};

constexpr double kLeft = 5;
constexpr double kValueX = 52;
constexpr double kRow = 8;    // from one field to the next
constexpr double kSubRow = 5; // between the lines of one field
// Arial's ascent is 0.905 of its size: a 9-point text starts this many
// millimetres lower than a 10-point one to share its baseline.
constexpr double kLabelDrop = 0.905 * (10 - 9) * 25.4 / 72;

// Dots from x to the right edge, for a field filled in by hand.
QString dotsTo(double x, double right)
{
    const double dot = arialWidthMm(u".", kDots.size, kDots.bold);
    return QString(qMax(3, int(std::floor((right - x) / dot))), u'.');
}

// The text of a stored value, or nothing when it holds no more than the
// blanks and separators of an empty mask.
QString filled(const QString &value)
{
    for (QChar c : value)
        if (!c.isSpace() && c != u'/')
            return value.trimmed();
    return {};
}

QString dateOrNothing(QDate d)
{
    return d.isValid() ? text::dateText(d) : QString();
}

class FormWriter
{
public:
    FormWriter(PrintDocument &doc, double right) : m_doc(doc), m_right(right) {}

    // A field: its label, then each of its lines (dots for none).
    void field(const QString &label, const QStringList &lines)
    {
        // The label, smaller than its value, sits on the same baseline.
        m_doc.setFont(kLabel);
        m_doc.text(kLeft, m_y + kLabelDrop, label);
        // A label longer than its column pushes its value to the right.
        const double x =
            qMax(kValueX, kLeft + arialWidthMm(label, kLabel.size, kLabel.bold) + 2);
        QStringList values = lines;
        values.removeAll(QString());
        if (values.isEmpty()) {
            m_doc.setFont(kDots);
            m_doc.text(x, m_y, dotsTo(x, m_right));
        } else {
            m_doc.setFont(kValue);
            for (int i = 0; i < values.size(); ++i)
                m_doc.text(x, m_y + i * kSubRow,
                           elidedArial(values[i], m_right - x, kValue));
            m_y += (values.size() - 1) * kSubRow;
        }
        m_y += kRow;
    }
    void field(const QString &label, const QString &value) { field(label, QStringList{value}); }

    double y() const { return m_y; }
    void setY(double y) { m_y = y; }

private:
    PrintDocument &m_doc;
    double m_right;
    double m_y = 0;
};

} // namespace

bool isFrench(const QString &nationality)
{
    QString plain;
    for (QChar c : nationality.normalized(QString::NormalizationForm_D))
        if (!c.isSpace() && !c.isMark())
            plain += c.toLower();
    return plain.isEmpty() || plain == u"france" || plain == u"francaise" || plain == u"francais";
}

PrintDocument FichePolice(const ClientCard &card, const Company &company, const PageMetrics &m)
{
    PrintDocument doc(kTitle, Orientation::Portrait, m);
    doc.setPaper(kA5PaperMm);
    const double right = m.widthMm - kLeft;

    // The hotel: its name, then its address lines ("Adresse", "Adresse", "CP Ville").
    doc.setFont(kHeading);
    doc.text(kLeft, 0, elidedArial(company.lines[0], right - kLeft, kHeading));
    doc.setFont(kLabel);
    double y = 6;
    for (int i = 1; i <= 3; ++i) {
        if (company.lines[i].trimmed().isEmpty())
            continue;
        doc.text(kLeft, y, elidedArial(company.lines[i], right - kLeft, kLabel));
        y += 4;
    }

    y = qMax(y, 18.0) + 4;
    doc.setFont(kTitleFont);
    doc.text(m.widthMm / 2.0, y, kTitle, Align::Center);
    doc.line(kLeft, y + 8, right, y + 8);

    FormWriter form(doc, right);
    form.setY(y + 13);
    form.field(QStringLiteral("Nom et prénoms"), card.name.trimmed());
    form.field(QStringLiteral("Date de naissance"), filled(card.birthDate));
    form.field(QStringLiteral("Lieu de naissance"), QString());
    form.field(QStringLiteral("Nationalité"), card.nationality.trimmed());
    const QString town = (card.postalCode.trimmed() + u' ' + card.town.trimmed()).trimmed();
    form.field(QStringLiteral("Domicile habituel"),
               {card.address1.trimmed(), card.address2.trimmed(), town, card.country.trimmed()});
    form.field(QStringLiteral("Téléphone"), card.phone.trimmed());
    form.field(QStringLiteral("E-mail"), card.email.trimmed());
    form.field(QStringLiteral("Date d'arrivée"), dateOrNothing(card.since));
    form.field(QStringLiteral("Date de départ prévue"), dateOrNothing(card.leaving));
    form.field(QStringLiteral("Enfants de moins de 15 ans l'accompagnant"), QString());

    // Place, date and the guest's signature.
    y = form.y() + 2;
    doc.setFont(kLabel);
    doc.text(kLeft, y + kLabelDrop, QStringLiteral("Fait à"));
    doc.setFont(kDots);
    doc.text(kLeft + 11, y, dotsTo(kLeft + 11, 70));
    doc.setFont(kLabel);
    doc.text(72, y + kLabelDrop, QStringLiteral("le"));
    doc.setFont(kDots);
    doc.text(77, y, dotsTo(77, right));
    y += 8;
    doc.setFont(kLabel);
    doc.text(kLeft, y, QStringLiteral("Signature du client"));
    doc.frame(kLeft, y + 5, right, y + 35);
    return doc;
}

PrintJob FichePoliceJob(const ClientCard &card, const Company &company)
{
    return {kTitle, Orientation::Portrait, std::nullopt,
            [&card, &company](const PageMetrics &m, const PrintRange &) {
                return FichePolice(card, company, m);
            },
            {}, kA5PaperMm};
}

bool offerAfterArrival(const ClientCard &card, const Company &company, Ui &ui,
                       const std::function<bool(const PrintJob &)> &print)
{
    if (!needsForm(card) || ui.askYesNoCancel(kQuestion) != Ui::Answer::Yes)
        return false;
    return print(FichePoliceJob(card, company));
}

} // namespace police
