// The help window: its index finds pages, and every page it can open exists.

#include "shell/ui/help_topics.h"
#include "shell/ui/help_window.h"
#include "store/page.h"

#include "typing.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList shownKeywords(const THelp &help)
{
    QStringList shown;
    const auto *list = help.findChild<QListWidget *>(u"keywords"_s);
    for (int i = 0; i < list->count(); ++i) {
        if (!list->item(i)->isHidden())
            shown.append(list->item(i)->text());
    }
    return shown;
}

QString pageText(const QString &page)
{
    QFile file(u":/help/"_s + page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

TEST(HelpWindow, SearchNarrowsTheKeywordsAndOpensTheChosenPage)
{
    THelp help;
    help.showSearch(u"reserv"_s); // accents and case do not matter
    EXPECT_EQ(shownKeywords(help), QStringList{u"Réservation"_s});

    auto *key = help.findChild<QLineEdit *>(u"key"_s);
    key->clear();
    typeText(key, u"fact"_s);
    // The keyword that begins with the text is chosen before the others.
    EXPECT_EQ(help.findChild<QListWidget *>(u"keywords"_s)->currentItem()->text(), u"Facture"_s);

    QTest::keyClick(key, Qt::Key_Down);
    const QString next = help.findChild<QListWidget *>(u"keywords"_s)->currentItem()->text();
    EXPECT_TRUE(next != u"Facture"_s && next.contains(u"fact"_s, Qt::CaseInsensitive));

    key->clear();
    typeText(key, u"arrivée"_s);
    QTest::keyClick(key, Qt::Key_Return);
    EXPECT_EQ(help.page(), QUrl(u"qrc:/help/chambres.html#arrivee"_s));
    EXPECT_EQ(help.findChild<QTextBrowser *>(u"page"_s)->documentTitle(),
              u"Chambres et réception"_s);
}

// A chapter, keyword or link to a page or anchor that does not exist would
// show an empty window.
TEST(HelpWindow, EveryTargetExists)
{
    THelp help; // registers the pages
    auto check = [](const QString &target, const QString &from) {
        const QString page = target.section(u'#', 0, 0);
        const QString anchor = target.section(u'#', 1);
        const QString text = pageText(page);
        EXPECT_FALSE(text.isEmpty()) << page.toStdString() << " from " << from.toStdString();
        if (!anchor.isEmpty()) {
            EXPECT_TRUE(text.contains(u"name=\""_s + anchor + u'"'))
                << target.toStdString() << " from " << from.toStdString();
        }
    };
    QStringList pages;
    for (const HelpChapter &chapter : help::chapters()) {
        check(chapter.page.toString(), u"contents"_s);
        pages.append(chapter.page.toString());
    }
    for (const HelpKeyword &keyword : help::keywords())
        check(keyword.target.toString(), keyword.keyword.toString());
    // What F1 opens on each page and on the windows it knows.
    for (int page = 0; page < kPageCount; ++page)
        check(help::pageTopic(page).toString(), u"page %1"_s.arg(page));
    for (const char *window : {"TArrive", "TJournee", "TTaxeSejour", "TJournal", "TTexte", "TParF", "TFListe"}) {
        const QStringView topic = help::windowTopic(QString::fromLatin1(window));
        EXPECT_FALSE(topic.isEmpty()) << window;
        check(topic.toString(), QString::fromLatin1(window));
    }

    static const QRegularExpression link(u"href=\"([^\"]+)\""_s);
    for (const QString &page : pages) {
        const QString text = pageText(page);
        for (const auto &match : link.globalMatch(text))
            check(match.captured(1), page);
        EXPECT_TRUE(text.contains(u"<title>"_s)) << page.toStdString();
    }
}
