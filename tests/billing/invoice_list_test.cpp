#include "billing_fixture.h"

#include "billing/invoice_list.h"

#include <gtest/gtest.h>

namespace {

QStringList numbered(int n, const QString &number, const QString &client = "10001")
{
    return invoiceBlock(n, {line("Nuit", "1", "50")}, {.number = number, .client = client});
}

QList<int> blocks(const InvoiceList &list)
{
    QList<int> out;
    for (int r = 0; r < list.size(); ++r)
        out << list.block(r);
    return out;
}

TEST(InvoiceList, ListsEveryBlockByNumberAndKeepsEachOnesBlock)
{
    // Block 2 missing, blocks out of order, a number written twice (block 1
    // also twice: the first is read), a short number, a block cut short.
    const RecordTable t =
        tableOf(numbered(4, "12") + numbered(0, "202603001") + numbered(1, "123456789") +
                numbered(3, "123456789", "10002") + numbered(1, "999") +
                QStringList{"<BLOC00005>", "NUMF1234567890", "02/03/2026", "</BLOC00005>"});
    InvoiceList list(t);
    EXPECT_EQ(blocks(list), (QList<int>{0, 1, 3, 4, 5}));
    EXPECT_EQ(
        QStringList({list.field(1, 0), list.field(2, 0), list.field(2, 2), list.field(3, 0),
                     list.field(4, 0), list.field(4, 1), list.field(4, 2)}),
        (QStringList{"123456789", "123456789", "10002", "12", "1234567890", "02/03/2026", ""}));
    EXPECT_EQ(list.field(0, 5), "Martin Paul");

    // The arrows reorder the rows only.
    EXPECT_FALSE(list.moveUp(0));
    EXPECT_FALSE(list.moveDown(4));
    EXPECT_TRUE(list.moveDown(0));
    EXPECT_EQ(blocks(list), (QList<int>{1, 0, 3, 4, 5}));
    EXPECT_EQ(list.field(1, 0), "202603001");
}

} // namespace
