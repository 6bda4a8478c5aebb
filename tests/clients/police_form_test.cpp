// The police form: what its A5 page holds.
#include "clients/police_form.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const PageMetrics kA5 = paperMetrics(kA5PaperMm, 300, false);

ClientCard foreignGuest()
{
    ClientCard c;
    c.name = u"MÜLLER Hans Peter"_s;
    c.address1 = u"Hauptstraße 12"_s;
    c.address2 = u"Hinterhaus"_s;
    c.postalCode = u"80331"_s;
    c.town = u"MÜNCHEN"_s;
    c.country = u"ALLEMAGNE"_s;
    c.phone = u"+49 89 123456"_s;
    c.email = u"hans@example.de"_s;
    c.birthDate = u"12/05/1970"_s;
    c.nationality = u"Allemande"_s;
    c.family = u"2 enfants"_s;
    c.since = QDate(2026, 12, 1);
    c.leaving = QDate(2026, 12, 5);
    return c;
}

Company hotel()
{
    Company c;
    c.lines = {u"Hôtel du Lion"_s, u"3 place du Marché"_s, QString(), u"21000 DIJON"_s,
               u"Siret 123"_s, u"FR00123"_s, u"5510Z"_s};
    return c;
}

const PrintItem *findText(const PrintDocument &doc, const QString &text)
{
    for (const PrintItem &item : doc.pages().first())
        if (item.kind == PrintItem::Kind::Text && item.text == text)
            return &item;
    return nullptr;
}

// The texts printed to the right of a label, on its row (within a
// millimetre, for their baselines to meet) and the rows below it up to the
// next label's row, top to bottom.
QStringList valuesOf(const PrintDocument &doc, const QString &label)
{
    const PrintItem *l = findText(doc, label);
    if (!l)
        return {u"<no label>"_s};
    double next = 1e9;
    for (const PrintItem &item : doc.pages().first())
        if (item.kind == PrintItem::Kind::Text && item.x == l->x && item.y > l->y && item.y < next)
            next = item.y;
    QList<const PrintItem *> found;
    for (const PrintItem &item : doc.pages().first())
        if (item.kind == PrintItem::Kind::Text && item.x > l->x && item.y >= l->y - 1 && item.y < next - 1)
            found << &item;
    std::sort(found.begin(), found.end(), [](auto *a, auto *b) { return a->y < b->y; });
    QStringList texts;
    for (const PrintItem *item : found)
        texts << item->text;
    return texts;
}

} // namespace

TEST(PoliceForm, OneA5PageWithTheHotelAndEveryFieldOfTheGuest)
{
    const PrintDocument doc = police::FichePolice(foreignGuest(), hotel(), kA5);
    ASSERT_EQ(doc.pages().size(), 1);

    // The hotel heads the page; its other lines (Siret...) stay off it.
    for (const QString &line : {u"Hôtel du Lion"_s, u"3 place du Marché"_s, u"21000 DIJON"_s})
        EXPECT_TRUE(findText(doc, line)) << line.toStdString();
    EXPECT_FALSE(findText(doc, u"Siret 123"_s));

    EXPECT_EQ(valuesOf(doc, u"Nom et prénoms"_s), QStringList{u"MÜLLER Hans Peter"_s});
    EXPECT_EQ(valuesOf(doc, u"Date de naissance"_s), QStringList{u"12/05/1970"_s});
    EXPECT_EQ(valuesOf(doc, u"Nationalité"_s), QStringList{u"Allemande"_s});
    EXPECT_EQ(valuesOf(doc, u"Domicile habituel"_s),
              (QStringList{u"Hauptstraße 12"_s, u"Hinterhaus"_s, u"80331 MÜNCHEN"_s, u"ALLEMAGNE"_s}));
    EXPECT_EQ(valuesOf(doc, u"Date d'arrivée"_s), QStringList{u"01/12/2026"_s});
    EXPECT_EQ(valuesOf(doc, u"Date de départ prévue"_s), QStringList{u"05/12/2026"_s});
    // What the card does not hold is filled in by hand.
    const QString dots = valuesOf(doc, u"Lieu de naissance"_s).join(u'|');
    EXPECT_GE(dots.size(), 10);
    EXPECT_EQ(dots.count(u'.'), dots.size());

    // Everything lies within the page.
    for (const PrintItem &item : doc.pages().first()) {
        const double width = item.kind == PrintItem::Kind::Text && item.align == Align::Left
                                 ? arialWidthMm(item.text, item.font.size, item.font.bold)
                                 : 0;
        EXPECT_LE(std::max(item.x + width, item.x2), kA5.widthMm) << item.text.toStdString();
        EXPECT_FALSE(doc.beyondBottom(int(std::max(item.y, item.y2)) + 6, 0));
    }
}
