#include "help_window.h"

#include "help_topics.h"

#include <QCollator>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

static void initHelpResources()
{
    // The pages live in a static library: their resources are registered by hand.
    Q_INIT_RESOURCE(help);
}

namespace {

constexpr int kTargetRole = Qt::UserRole;
constexpr int kFoldedRole = Qt::UserRole + 1;

// Keywords are matched whatever the case and the accents: "reserv" finds
// "Réservation".
QString folded(const QString &text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            out.append(c);
    }
    return out.toCaseFolded();
}

QUrl helpUrl(QStringView target)
{
    return QUrl(QStringLiteral("qrc:/help/") + target.toString());
}

constexpr char16_t kStyleSheet[] = u"body { font-size: 10pt; }"
                                   u"h1 { font-size: 16pt; color: #1f3b57; }"
                                   u"h2 { font-size: 12pt; color: #1f3b57; margin-top: 14px; }"
                                   u"p, li { margin-top: 3px; margin-bottom: 3px; }"
                                   u"td, th { padding: 3px 8px; }"
                                   u"th { background-color: #e4ebf2; text-align: left; }"
                                   u"kbd, .menu { font-weight: bold; }";

} // namespace

THelp::THelp(QWidget *parent) : QWidget(parent, Qt::Window)
{
    initHelpResources();
    setWindowTitle(QStringLiteral("Aide de Carvelle"));

    // Contents
    m_chapters = new QListWidget;
    m_chapters->setObjectName(QStringLiteral("chapters"));
    for (const HelpChapter &chapter : help::chapters()) {
        auto *item = new QListWidgetItem(chapter.title.toString(), m_chapters);
        item->setData(kTargetRole, chapter.page.toString());
    }
    connect(m_chapters, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { openPage(item->data(kTargetRole).toString()); });
    connect(m_chapters, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { openPage(item->data(kTargetRole).toString()); });

    // Index
    auto *keyLabel = new QLabel(QStringLiteral("Tapez le début du mot cherché :"));
    m_key = new QLineEdit;
    m_key->setObjectName(QStringLiteral("key"));
    keyLabel->setBuddy(m_key);
    m_keywords = new QListWidget;
    m_keywords->setObjectName(QStringLiteral("keywords"));
    std::vector<HelpKeyword> sorted(help::keywords().begin(), help::keywords().end());
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(sorted.begin(), sorted.end(), [&](const HelpKeyword &a, const HelpKeyword &b) {
        return collator.compare(a.keyword, b.keyword) < 0;
    });
    for (const HelpKeyword &keyword : sorted) {
        auto *item = new QListWidgetItem(keyword.keyword.toString(), m_keywords);
        item->setData(kTargetRole, keyword.target.toString());
        item->setData(kFoldedRole, folded(item->text()));
    }
    auto *show = new QPushButton(QStringLiteral("Afficher"));
    connect(m_key, &QLineEdit::textChanged, this, &THelp::filterKeywords);
    connect(m_key, &QLineEdit::returnPressed, this, &THelp::openChosenKeyword);
    connect(m_keywords, &QListWidget::itemActivated, this, &THelp::openChosenKeyword);
    connect(show, &QPushButton::clicked, this, &THelp::openChosenKeyword);
    // The arrows in the field move through the keywords, as in the list.
    m_key->installEventFilter(this);

    auto *index = new QWidget;
    auto *indexLayout = new QVBoxLayout(index);
    indexLayout->addWidget(keyLabel);
    indexLayout->addWidget(m_key);
    indexLayout->addWidget(m_keywords);
    indexLayout->addWidget(show, 0, Qt::AlignRight);

    m_tabs = new QTabWidget;
    m_tabs->addTab(m_chapters, QStringLiteral("Sommaire"));
    m_tabs->addTab(index, QStringLiteral("Index"));

    // Pages
    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("page"));
    m_browser->document()->setDefaultStyleSheet(QString::fromUtf16(kStyleSheet));
    connect(m_browser, &QTextBrowser::sourceChanged, this, &THelp::followPage);

    auto *contentsButton = new QPushButton(QStringLiteral("Sommaire"));
    auto *back = new QPushButton(QStringLiteral("< Précédent"));
    auto *forward = new QPushButton(QStringLiteral("Suivant >"));
    auto *close = new QPushButton(QStringLiteral("Fermer"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contentsButton, &QPushButton::clicked, this, &THelp::showContents);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 600});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(900, 600);

    openPage(help::kContentsPage);
}

void THelp::showContents()
{
    m_tabs->setCurrentIndex(0);
    openPage(help::kContentsPage);
    present();
    m_chapters->setFocus();
}

void THelp::showSearch(const QString &key)
{
    m_tabs->setCurrentIndex(1);
    m_key->setText(key);
    filterKeywords(key);
    present();
    m_key->setFocus();
    m_key->selectAll();
}

void THelp::showHelpOnHelp()
{
    m_tabs->setCurrentIndex(0);
    openPage(help::kHelpOnHelpPage);
    present();
    m_browser->setFocus();
}

void THelp::showTopic(QStringView target)
{
    m_tabs->setCurrentIndex(0);
    openPage(target);
    present();
    m_browser->setFocus();
}

QUrl THelp::page() const
{
    return m_browser->source();
}

bool THelp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_key && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_keywords, event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void THelp::openPage(QStringView target)
{
    m_browser->setSource(helpUrl(target));
}

void THelp::filterKeywords(const QString &key)
{
    const QString wanted = folded(key.trimmed());
    QListWidgetItem *best = nullptr;
    QListWidgetItem *first = nullptr;
    for (int i = 0; i < m_keywords->count(); ++i) {
        QListWidgetItem *item = m_keywords->item(i);
        const QString text = item->data(kFoldedRole).toString();
        const bool shown = text.contains(wanted);
        item->setHidden(!shown);
        if (!shown)
            continue;
        if (!first)
            first = item;
        if (!best && text.startsWith(wanted))
            best = item;
    }
    // The keyword that begins with what was typed comes first, as in a dictionary.
    QListWidgetItem *chosen = best ? best : first;
    m_keywords->setCurrentItem(chosen);
    if (chosen)
        m_keywords->scrollToItem(chosen);
}

void THelp::openChosenKeyword()
{
    QListWidgetItem *item = m_keywords->currentItem();
    if (item && !item->isHidden())
        openPage(item->data(kTargetRole).toString());
}

void THelp::followPage(const QUrl &url)
{
    const QSignalBlocker blocker(m_chapters);
    for (int i = 0; i < m_chapters->count(); ++i) {
        QListWidgetItem *item = m_chapters->item(i);
        if (url.fileName() == item->data(kTargetRole).toString()) {
            m_chapters->setCurrentItem(item);
            return;
        }
    }
}

void THelp::present()
{
    show();
    raise();
    activateWindow();
}
