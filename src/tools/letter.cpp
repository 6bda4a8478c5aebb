#include "letter.h"

#include "rtf.h"
#include "store/safe_save.h"
#include "store/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>

namespace {

QString journalOf(const QString &path)
{
    return path + QStringLiteral(".journal");
}

} // namespace

Letter::Letter(Ui &ui, Files files) : m_ui(ui), m_files(std::move(files))
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    m_doc.setDefaultFont(font);
}

void Letter::Setsoc(const std::array<QString, 4> &lines)
{
    m_letterhead = lines;
    m_doc.setModified(false);
    newLetter();
}

bool Letter::confirmDiscard()
{
    if (!modified())
        return true;
    const QString name = m_fileName.isEmpty() ? QStringLiteral("Sans titre")
                                              : QFileInfo(m_fileName).fileName();
    switch (m_ui.askYesNoCancel(QStringLiteral("Enregistrer changements dans ") + name
                                + QStringLiteral(" ?"))) {
    case Ui::Answer::Yes:
        return save();
    case Ui::Answer::No:
        return true;
    case Ui::Answer::Cancel:
        break;
    }
    return false;
}

bool Letter::newLetter()
{
    if (!confirmDiscard())
        return false;
    m_doc.clear();
    QTextCursor cursor(&m_doc);
    QTextCharFormat format;
    format.setFont(m_doc.defaultFont());
    cursor.setBlockCharFormat(format);
    // The hotel's name stands out above its address.
    QTextCharFormat name = format;
    name.setFontWeight(QFont::Bold);
    name.setFontPointSize(14);
    for (std::size_t i = 0; i < m_letterhead.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat(), format);
        cursor.insertText(m_letterhead[i], i == 0 ? name : format);
    }
    m_fileName.clear();
    m_doc.setModified(false);
    return true;
}

bool Letter::open()
{
    if (!confirmDiscard())
        return false;
    const QString path = m_files.chooseOpen ? m_files.chooseOpen() : QString();
    if (path.isEmpty())
        return false;
    return load(path);
}

bool Letter::load(const QString &path)
{
    SafeSave::recover(journalOf(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_ui.inform(QStringLiteral("Impossible d'ouvrir %1 : %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    // The reader touches the letter shown only once it knows the file for
    // rich text.
    QString error;
    if (!rtf::read(bytes, m_doc, &error)) {
        m_ui.inform(QDir::toNativeSeparators(path) + QStringLiteral(" : ") + error);
        return false;
    }
    m_fileName = path;
    m_doc.setModified(false);
    return true;
}

bool Letter::save()
{
    if (!modified())
        return true;
    const QString path = m_files.chooseSave ? m_files.chooseSave(m_fileName) : QString();
    if (path.isEmpty())
        return false;
    return writeTo(path);
}

bool Letter::writeTo(const QString &path)
{
    // A letter the person marked read-only is kept as it is.
    if (WholeFile::isReadOnlyFile(path)) {
        m_ui.inform(QStringLiteral(
                        "Impossible d'enregistrer le fichier %1 : Permission refusée (fichier en "
                        "lecture seule)")
                        .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    SafeSave save(journalOf(path));
    save.add(path, rtf::write(m_doc));
    if (!save.commit()) {
        m_ui.inform(save.errorMessage());
        return false;
    }
    m_fileName = path;
    m_doc.setModified(false);
    return true;
}
