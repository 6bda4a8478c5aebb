// A job made for its own sheet (the A5 police form) is laid out and printed
// on that sheet, whatever the printer's paper.
#include "print/ui/renderer.h"
#include "scripted_ui.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct PdfOnly : PrintUi
{
    QString pdf;
    bool hasPrinter() const override { return false; }
    QString choosePdfFile(QWidget *, const QString &) override { return pdf; }
};

bool isA5(const QString &pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).contains(u"(A5)");
}

} // namespace

TEST(PaperSize, AJobWithItsSheetIsLaidOutAndPrintedOnIt)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    ui.okCancel = {true, true};
    PdfOnly printUi;
    PageMetrics laidOut;
    PrintJob job{"Fiche", Orientation::Portrait, std::nullopt,
                 [&](const PageMetrics &m, const PrintRange &) {
                     laidOut = m;
                     return PrintDocument("Fiche", Orientation::Portrait, m);
                 },
                 {}, kA5PaperMm};
    printUi.pdf = dir.filePath("a5.pdf");
    ASSERT_TRUE(printDocument(nullptr, job, ui, printUi));
    EXPECT_TRUE(isA5(printUi.pdf));
    // The layout saw the A5 page less the printer's margins.
    EXPECT_GT(laidOut.widthMm, 120);
    EXPECT_LE(laidOut.widthMm, 148);
    EXPECT_GT(laidOut.heightMm, 180);
    EXPECT_LE(laidOut.heightMm, 210);

    job.paperMm.reset();
    printUi.pdf = dir.filePath("default.pdf");
    ASSERT_TRUE(printDocument(nullptr, job, ui, printUi));
    EXPECT_FALSE(isA5(printUi.pdf));
    EXPECT_GT(laidOut.heightMm, 210);
}
