#include "store/money.h"
#include "store/settings.h"
#include "store/table_helpers.h"
#include "tool_run.h"

#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

Money amount(const QString &text)
{
    return text.isEmpty() ? Money() : Money::parse(text).value_or(Money::whole(-999999));
}

QList<QStringList> rows(const QString &output)
{
    QList<QStringList> out;
    for (const QString &l : output.split('\n', Qt::SkipEmptyParts))
        out << l.split('\t');
    return out;
}

} // namespace

// On a generated hotel, every figure of every validated invoice is the same
// in `invoices`, in the journal and in the client statistic: one model of
// the money, whoever reads it.
TEST(GeneratedHotel, InvoicesStatisticsAndJournalAgree)
{
    QTemporaryDir dir;
    ASSERT_EQ(QProcess::execute(QStringLiteral(CARVELLE_GENERATOR),
                                {"--small", "--seed", "5", dir.path(), "DEMO"}),
              0);
    Settings s;
    s.vatRates = {5.5, 10, 20};
    writeFile(dir.filePath("Carvelle.ini"), settingsBytes(s));
    const QString set = dir.filePath("DEMO.htl");

    QString out;
    ASSERT_EQ(runTool(dir.path(), {"invoices", set}, &out), 0) << qPrintable(out);
    const QList<QStringList> invoices = rows(out);
    ASSERT_GT(invoices.size(), 100);
    const QStringList header = invoices.first();
    auto col = [&](const char *name) { return int(header.indexOf(QString::fromLatin1(name))); };
    const int number = col("numero"), client = col("client"), validated = col("validee"),
              ttc = col("total_ttc"), tva = col("total_tva"), ht = col("total_ht"),
              tax = col("taxe_sejour");
    ASSERT_GE(tax, 0);

    // Per invoice or credit note number (its label's second word: "Facture
    // N HT 10 %"), what the journal posts to each account.
    ASSERT_EQ(runTool(dir.path(), {"journal", set}, &out), 0) << qPrintable(out);
    QHash<QString, QHash<QString, Money>> posted; // label -> account -> debit - credit
    for (const QStringList &l : rows(out)) {
        ASSERT_EQ(l.size(), 6) << qPrintable(l.join('|'));
        if (l[0] == u"VE")
            posted[l[3].section(' ', 1, 1)][l[2]] += amount(l[4]) - amount(l[5]);
    }

    QHash<QString, Money> byClient;
    int checked = 0;
    for (const QStringList &inv : invoices.mid(1)) {
        ASSERT_EQ(inv.size(), header.size());
        const Money total = amount(inv[ttc]), vat = amount(inv[tva]), excl = amount(inv[ht]),
                    outside = amount(inv[tax]);
        EXPECT_EQ(excl + vat + outside, total) << qPrintable(inv.join('|'));
        for (int k = 0; k < 3; ++k) // per code: HT + TVA = TTC
            EXPECT_EQ(amount(inv[7 + 3 * k]) + amount(inv[8 + 3 * k]), amount(inv[6 + 3 * k]))
                << qPrintable(inv.join('|'));
        if (inv[validated] != u"Y")
            continue;
        byClient[inv[client]] += total - outside;
        const auto p = posted.constFind(inv[number]);
        if (p == posted.constEnd())
            continue; // no day to be posted on
        EXPECT_EQ(p->value("411000"), total) << qPrintable(inv[number]);
        EXPECT_EQ(-p->value("706000"), excl) << qPrintable(inv[number]);
        EXPECT_EQ(-p->value("445710"), vat) << qPrintable(inv[number]);
        EXPECT_EQ(-p->value("447100"), outside) << qPrintable(inv[number]);
        ++checked;
    }
    EXPECT_GT(checked, 50);

    ASSERT_EQ(runTool(dir.path(), {"stats", set, "clients"}, &out), 0) << qPrintable(out);
    int clients = 0;
    for (const QStringList &r : rows(out)) {
        ASSERT_GE(r.size(), 4);
        EXPECT_EQ(amount(r.last()), byClient.value(r[1])) << qPrintable(r.join('|'));
        ++clients;
    }
    EXPECT_EQ(clients, byClient.size());
}
