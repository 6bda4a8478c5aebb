#include "blocnotes_window.h"

#include "texte_window.h"
#include "tools/notepad.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

TBlocnotes::TBlocnotes(Ui &ui, QWidget *parent) : QDialog(parent), m_ui(ui)
{
    setWindowTitle(QStringLiteral("Bloc-notes"));
    resize(560, 420);
    auto *layout = new QVBoxLayout(this);
    m_edit = new QPlainTextEdit(this);
    m_edit->setTabChangesFocus(false);
    layout->addWidget(m_edit, 1);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *print = buttons->addButton(QStringLiteral("Imprimer"), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    print->setAutoDefault(false);
    close->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, [this] {
        // Line by line as typed, in the notepad's font.
        QTextDocument doc;
        doc.setDefaultFont(m_edit->font());
        doc.setPlainText(m_edit->toPlainText());
        printTextDocument(this, m_ui, doc);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &TBlocnotes::reject);
    layout->addWidget(buttons);
    setFocusProxy(m_edit);
}

void TBlocnotes::Charge(const QString &path)
{
    m_path = path;
    QString text, error;
    if (!plaintext::load(path, text, &error))
        m_ui.inform(error);
    m_edit->setPlainText(text);
    m_edit->document()->setModified(false);
}

bool TBlocnotes::Sauve()
{
    if (!m_edit->document()->isModified() || m_path.isEmpty())
        return true;
    QString error;
    if (!plaintext::save(m_path, m_edit->toPlainText(), &error)) {
        m_ui.inform(error);
        return false;
    }
    m_edit->document()->setModified(false);
    return true;
}

void TBlocnotes::reject()
{
    if (Sauve())
        QDialog::reject();
}
