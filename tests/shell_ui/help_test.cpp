// The help window: every page it can open exists.

#include "shell/ui/help_topics.h"
#include "shell/ui/help_window.h"
#include "store/page.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString pageText(const QString &page)
{
    QFile file(u":/help/"_s + page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

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
