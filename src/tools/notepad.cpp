#include "notepad.h"

#include "store/codec.h"
#include "store/file_names.h"
#include "store/safe_save.h"

#include <QDir>
#include <QFile>

namespace notepad {

QString fileIn(const QString &folder)
{
    return pathForWriting(folder, kFileName.toString());
}

} // namespace notepad

namespace plaintext {

bool load(const QString &path, QString &text, QString *error)
{
    SafeSave::recover(path + QStringLiteral(".journal"));
    text.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    text = cp1252::decode(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return true;
}

bool save(const QString &path, const QString &text, QString *error)
{
    bool ok = true;
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QByteArray bytes = cp1252::encode(lines, &ok);
    if (!ok) {
        if (error)
            *error = QStringLiteral("Le texte contient des caractères qui ne peuvent pas être "
                                    "enregistrés dans %1 ; remplacez-les avant de fermer.")
                         .arg(QDir::toNativeSeparators(path));
        return false;
    }
    bytes.replace('\n', "\r\n");
    if (!text.isEmpty())
        bytes += "\r\n";
    SafeSave save(path + QStringLiteral(".journal"));
    save.add(path, bytes);
    if (save.commit())
        return true;
    if (error)
        *error = save.errorMessage();
    return false;
}

} // namespace plaintext
