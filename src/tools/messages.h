#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The message pad without its window: the telephone and visitor messages of
// the hotel, one line each, kept in a file beside the hotel's client file.

inline constexpr int kMessageFields = 7;
inline constexpr int kMessageFlags = 5;
// "Pour", "De", "Société", "N° tél.", "Date", "Heure", "Objet".
inline constexpr std::array<int, kMessageFields> kMessageFieldLengths = {30, 30, 30, 20, 10, 10, 50};

struct Message
{
    std::array<QString, kMessageFields> fields;
    // "A téléphoné", "Est venu", "A rappeler", "Rappellera", "URGENT".
    std::array<bool, kMessageFlags> flags{};
    bool operator==(const Message &) const = default;
};

// A line: the seven fields, each followed by a TAB, then one "T" or "F" per
// flag. A field missing from a short line, and every field after it, is
// empty; a flag is ticked only by "T".
Message parseMessage(QStringView line);
// Fields are cut to their length, and TAB and line breaks in them become
// blanks, so a message always reads back as it was written.
QString formatMessage(const Message &message);

// The message file of a client file: its name with the extension ".oms" in
// its folder ("hotel.htl" gives "hotel.oms"). Empty for a set never saved.
QString messageFileName(const QString &clientFile);

// Where the pad of the open set reads and keeps its messages, and what it
// tells when they cannot be kept: a set never saved has no message file yet,
// and a set open read-only has its messages read but never written.
struct MessageFile
{
    QString path;     // empty for a set never saved
    bool writable = false;
    QString note;     // shown in the pad; empty when the messages are kept
};
MessageFile messageFileFor(const QString &clientFile, bool readOnly);

class MessagePad
{
public:
    MessagePad();

    // Replaces the messages by those of the file, if there is one, and shows
    // the last. False, with a French message, when it exists but cannot be read.
    bool Charge(const QString &path, QString *error = nullptr);
    // Stores the message shown, then writes every message, all or nothing.
    // Nothing is written when nothing changed. False, with a French message,
    // when the write failed: the pad stays modified.
    bool Sauve(const QString &path, QString *error = nullptr);

    int count() const { return int(m_lines.size()); }
    // The message shown, 0-based; -1 once the last one is deleted: there is
    // then nothing to edit until "+".
    int index() const { return m_index; }
    bool editable() const { return m_index >= 0; }
    bool modified() const { return m_modified; }
    QStringList lines() const { return m_lines; }

    // The fields on screen.
    const Message &shown() const { return m_shown; }
    void setField(int field, const QString &text);
    void setFlag(int flag, bool on);
    // Leaving an empty "Date" fills it with today's date, an empty "Heure"
    // with the time.
    void leaveDate(const QString &today);
    void leaveTime(const QString &now);

    void LitFiche();
    void EcritFiche();
    void previous();
    void next();
    void add();
    void remove();

private:
    QStringList m_lines;
    int m_index = 0;
    Message m_shown;
    bool m_modified = false;
};
