#include "messages.h"

#include "notepad.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kBlank = QStringLiteral(" ");

QString cleanField(QString text, int length)
{
    for (QChar &c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text.left(length);
}

} // namespace

Message parseMessage(QStringView line)
{
    Message m;
    qsizetype pos = 0;
    for (int i = 0; i < kMessageFields; ++i) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), pos);
        if (tab < 0)
            return m;
        m.fields[std::size_t(i)] = line.sliced(pos, tab - pos).toString();
        pos = tab + 1;
    }
    const QStringView flags = line.sliced(pos);
    for (int i = 0; i < kMessageFlags; ++i)
        m.flags[std::size_t(i)] = i < flags.size() && flags[i] == QLatin1Char('T');
    return m;
}

QString formatMessage(const Message &message)
{
    QString line;
    for (int i = 0; i < kMessageFields; ++i)
        line += cleanField(message.fields[std::size_t(i)], kMessageFieldLengths[std::size_t(i)])
                + QLatin1Char('\t');
    for (const bool flag : message.flags)
        line += flag ? QLatin1Char('T') : QLatin1Char('F');
    return line;
}

QString messageFileName(const QString &clientFile)
{
    if (clientFile.isEmpty())
        return {};
    const QFileInfo info(clientFile);
    QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return info.dir().filePath(name + QStringLiteral(".oms"));
}

MessageFile messageFileFor(const QString &clientFile, bool readOnly)
{
    MessageFile file;
    file.path = messageFileName(clientFile);
    if (file.path.isEmpty())
        file.note = QStringLiteral("Les messages seront conservés une fois l'hôtel enregistré.");
    else if (readOnly)
        file.note = QStringLiteral("Hôtel ouvert en lecture seule : les messages ne seront pas "
                                   "enregistrés.");
    else
        file.writable = true;
    return file;
}

MessagePad::MessagePad() : m_lines{kBlank}
{
    LitFiche();
}

bool MessagePad::Charge(const QString &path, QString *error)
{
    if (path.isEmpty())
        return true;
    QString text;
    if (!plaintext::load(path, text, error))
        return false;
    if (!QFile::exists(path))
        return true;
    m_lines = text.split(QLatin1Char('\n'));
    m_index = int(m_lines.size()) - 1;
    m_modified = false;
    LitFiche();
    return true;
}

bool MessagePad::Sauve(const QString &path, QString *error)
{
    EcritFiche();
    if (!m_modified || path.isEmpty())
        return true;
    // With no message left the file is emptied.
    if (!plaintext::save(path, m_lines.join(QLatin1Char('\n')), error))
        return false;
    m_modified = false;
    return true;
}

void MessagePad::setField(int field, const QString &text)
{
    if (!editable() || field < 0 || field >= kMessageFields)
        return;
    QString &f = m_shown.fields[std::size_t(field)];
    if (f == text)
        return;
    f = text;
    m_modified = true;
}

void MessagePad::setFlag(int flag, bool on)
{
    if (!editable() || flag < 0 || flag >= kMessageFlags || m_shown.flags[std::size_t(flag)] == on)
        return;
    m_shown.flags[std::size_t(flag)] = on;
    m_modified = true;
}

void MessagePad::leaveDate(const QString &today)
{
    if (m_shown.fields[4].trimmed().isEmpty())
        setField(4, today);
}

void MessagePad::leaveTime(const QString &now)
{
    if (m_shown.fields[5].trimmed().isEmpty())
        setField(5, now);
}

void MessagePad::LitFiche()
{
    m_shown = m_index >= 0 && m_index < count() ? parseMessage(m_lines[m_index]) : Message{};
}

void MessagePad::EcritFiche()
{
    if (m_index < 0 || m_index >= count())
        return;
    // A message never touched keeps its line as it was.
    if (parseMessage(m_lines[m_index]) != m_shown)
        m_lines[m_index] = formatMessage(m_shown);
}

void MessagePad::previous()
{
    EcritFiche();
    if (m_index > 0)
        --m_index;
    LitFiche();
}

void MessagePad::next()
{
    EcritFiche();
    if (m_index < count() - 1)
        ++m_index;
    LitFiche();
}

void MessagePad::add()
{
    EcritFiche();
    m_lines << kBlank;
    m_index = count() - 1;
    LitFiche();
    m_modified = true;
}

void MessagePad::remove()
{
    if (m_index < 0)
        return;
    EcritFiche();
    m_lines.removeAt(m_index);
    if (m_index > count() - 1)
        m_index = count() - 1;
    LitFiche();
    m_modified = true;
}
