#include "client_search_dialogs.h"

#include "cards/ui/field_validator.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

// Lets through only the characters a search field accepts, typed or pasted.
class SearchKeys : public QValidator
{
public:
    SearchKeys(ClientSearch kind, QObject *parent) : QValidator(parent), m_kind(kind) {}
    State validate(QString &input, int &) const override
    {
        for (QChar c : input)
            if (!searchKeyAccepted(m_kind, c))
                return Invalid;
        return Acceptable;
    }

private:
    ClientSearch m_kind;
};

const char16_t *const kCaptions[] = {u"Recherche par nom", u"Recherche par code client",
                                     u"Recherche par téléphone"};
const char16_t *const kLabels[] = {u"Début nom", u"Code client", u"Téléphone"};
} // namespace

TRechCli::TRechCli(ClientSearch kind, QWidget *parent)
    : LineQuestionDialog(QString::fromUtf16(kCaptions[int(kind)]),
                         QString::fromUtf16(kLabels[int(kind)]), parent)
{
    m_text->setObjectName(QStringLiteral("text"));
    if (kind == ClientSearch::Name)
        m_text->setValidator(new FieldValidator(FieldValidator::Text, m_text));
    else
        m_text->setValidator(new SearchKeys(kind, m_text));
    m_text->setMinimumWidth(220);
}

QString TRechCli::run(ClientSearch kind, QWidget *parent)
{
    TRechCli dialog(kind, parent);
    dialog.Init();
    dialog.exec();
    return dialog.Result();
}

TTri::TTri(QWidget *parent)
    : SortDialog({QStringLiteral("Code"), QStringLiteral("Nom/société"),
                  QStringLiteral("Code postal"), QStringLiteral("Ville")},
                 parent)
{}

std::optional<SortKey> TTri::Result() const
{
    const int chosen = key();
    return chosen < 0 ? std::nullopt : std::optional<SortKey>(SortKey(chosen));
}

TListeCli::TListeCli(QWidget *parent)
    : PickListDialog(QStringLiteral("Liste des clients"), 360, 400, parent)
{}

void TListeCli::Init(const QStringList &entries)
{
    m_list->clear();
    m_list->addItems(entries);
}

QString TListeCli::Result() const
{
    const QListWidgetItem *item = chosen();
    return item ? guestCode(item->text()) : QString();
}

void runSetSel(QWidget *parent, ClientPage &page, int mode)
{
    std::optional<QString> answer;
    if (const auto question = selectionQuestion(page, mode))
        answer = askLine(parent, question->caption, question->prompt, question->offered);
    SetSel(page, mode, answer);
}
