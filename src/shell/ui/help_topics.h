#pragma once

#include <QStringView>

#include <span>

// The pages of the help and the keywords of its index. Pages are HTML files
// under ":/help"; a keyword may point to a section of a page ("page#anchor").
struct HelpChapter
{
    QStringView title;
    QStringView page;
};

struct HelpKeyword
{
    QStringView keyword;
    QStringView target;
};

namespace help {

inline constexpr QStringView kContentsPage = u"sommaire.html";
inline constexpr QStringView kHelpOnHelpPage = u"utiliser-aide.html";

// The chapters, in the order of the contents.
std::span<const HelpChapter> chapters();
// The index, in no particular order: the window sorts it.
std::span<const HelpKeyword> keywords();

// What F1 opens: the page of the help on the record window's page `page`
// (in PageId order), and on a dialog or tool window by its class name; an
// empty text for a window the help does not describe.
QStringView pageTopic(int page);
QStringView windowTopic(QStringView className);

} // namespace help
