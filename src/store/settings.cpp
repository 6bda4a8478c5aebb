#include "settings.h"

#include "codec.h"
#include "money.h"
#include "file_names.h"
#include "safe_save.h"
#include "text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <variant>

namespace {

// The settings in the order of the file's 27 lines.
template <typename S> auto layout(S &s)
{
    using Field =
        std::variant<decltype(&s.lastFile), decltype(&s.autoOpen), decltype(&s.vatRates[0])>;
    return std::array<Field, kSettingsLines>{
        &s.lastFile,           &s.autoOpen,          &s.paperType,         &s.envelopeOrientation,
        &s.envelopeGuide,      &s.decimals,          &s.currency,          &s.otherCurrency,
        &s.vatRates[0],        &s.vatRates[1],       &s.vatRates[2],       &s.accounts[0],
        &s.accounts[1],        &s.accounts[2],       &s.accounts[3],       &s.accounts[4],
        &s.accounts[5],        &s.accounts[6],       &s.accounts[7],       &s.accounts[8],
        &s.converterDirection, &s.converterCurrency, &s.converterRates[0], &s.converterRates[1],
        &s.converterRates[2],  &s.converterRates[3], &s.converterRates[4]};
}

template <typename L> auto sections(L &lists)
{
    return std::array{&lists.categories, &lists.paymentModes, &lists.articleFamilies,
                      &lists.supplierFamilies};
}

// A text as one line: a line break inside it would shift every line after
// it, so it is written as a blank.
void appendLine(QByteArray &out, QStringView line)
{
    QByteArray bytes = cp1252::encode(line);
    bytes.replace('\r', ' ').replace('\n', ' ');
    out += bytes;
    out += "\r\n";
}

// A path written on another system may use either separator.
QString fileNameOf(const QString &path)
{
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}

// The journal is named after the program's spelling of the file, so that an
// interrupted save is found whatever the spelling on disk.
QString journalPath(const QString &folder, QStringView name)
{
    return QDir(folder).filePath(name.toString() + QStringLiteral(".journal"));
}

// The bytes of a file of `folder`, after finishing a save that was
// interrupted; nothing when there is no such file or it cannot be read.
std::optional<QByteArray> readFile(const QString &folder, QStringView name, QString *error)
{
    QString message;
    SafeSave::recover(journalPath(folder, name), &message);
    std::optional<QByteArray> bytes;
    const QString path = findFileNoCase(folder, name.toString());
    if (!path.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        else if (message.isEmpty())
            message = QStringLiteral("Impossible de lire le fichier %1 : %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    if (error)
        *error = message;
    return bytes;
}

bool writeFile(const QString &folder, QStringView name, QStringView writtenName,
               const QByteArray &bytes, QString *error)
{
    SafeSave save(journalPath(folder, name));
    save.add(pathForWriting(folder, writtenName.toString()), bytes);
    if (save.commit())
        return true;
    if (error)
        *error = save.errorMessage();
    return false;
}

} // namespace

// ---- Settings -------------------------------------------------------------

QByteArray iniReal(double value)
{
    if (!std::isfinite(value) || value == 0)
        value = 0; // also writes -0 as 0
    char buf[32];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    // "1.96000000000000e+01": the mantissa, then the exponent widened to four digits.
    const std::string_view s(buf, res.ptr - buf);
    const auto e = s.find('e');
    int exponent = 0;
    std::from_chars(s.data() + e + 2, s.data() + s.size(), exponent);
    QByteArray out;
    out += value < 0 ? '-' : ' ';
    out += QByteArrayView(s.data(), e);
    out += 'E';
    out += s[e + 1];
    out += QByteArray::number(exponent).rightJustified(4, '0');
    return out;
}

std::optional<double> parseIniReal(QByteArrayView bytes)
{
    const QByteArrayView t = bytes.trimmed();
    const char *b = t.data();
    const char *e = b + t.size();
    if (b != e && *b == '+' && ++b != e && (*b == '+' || *b == '-'))
        return std::nullopt;
    double v = 0;
    const auto res = std::from_chars(b, e, v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != e || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QByteArray settingsBytes(const Settings &settings)
{
    QByteArray out;
    for (const auto &field : layout(settings)) {
        if (const auto *str = std::get_if<const QString *>(&field))
            appendLine(out, **str);
        else if (const auto *integer = std::get_if<const int *>(&field))
            out += QByteArray::number(**integer) + "\r\n";
        else
            out += iniReal(*std::get<const double *>(field)) + "\r\n";
    }
    const bool moreAccounts =
        std::any_of(settings.accounts.begin() + kFileAccounts, settings.accounts.end(),
                    [](const QString &a) { return !a.isEmpty(); });
    if (moreAccounts || settings.touristTax != 0 ||
        settings.touristTaxExemptAge != kDefaultExemptAge) {
        out += iniReal(settings.touristTax) + "\r\n";
        out += QByteArray::number(settings.touristTaxExemptAge) + "\r\n";
    }
    if (moreAccounts) {
        for (auto a = settings.accounts.begin() + kFileAccounts; a != settings.accounts.end(); ++a)
            appendLine(out, *a);
    }
    return out;
}

QString readSettings(Settings &settings, QByteArrayView bytes)
{
    const auto fields = layout(settings);
    QString refused;
    settings.touristTax = 0;
    settings.touristTaxExemptAge = kDefaultExemptAge;
    for (auto a = settings.accounts.begin() + kFileAccounts; a != settings.accounts.end(); ++a)
        a->clear();
    std::size_t next = 0;
    text::forEachLine(bytes, [&](qsizetype start, qsizetype length) {
        const QByteArrayView line = bytes.sliced(start, length);
        if (next >= fields.size()) {
            // The tax lines; one that does not read keeps its default, and
            // a negative amount or age is not one a hotel can mean.
            const std::size_t extra = next++ - fields.size();
            if (extra == 0) {
                if (const auto v = parseIniReal(line); v && *v >= 0)
                    settings.touristTax = *v;
            } else if (extra == 1) {
                if (const auto v = text::parseInt(cp1252::decode(line)); v && *v >= 0)
                    settings.touristTaxExemptAge = *v;
            } else if (const std::size_t a = kFileAccounts + extra - kTouristTaxLines;
                       a < settings.accounts.size()) {
                settings.accounts[a] = cp1252::decode(line);
            }
            return;
        }
        const auto &field = fields[next++];
        // A number that does not read leaves its setting as it was.
        if (const auto *str = std::get_if<QString *>(&field)) {
            **str = cp1252::decode(line);
        } else if (const auto *integer = std::get_if<int *>(&field)) {
            if (const auto v = text::parseInt(cp1252::decode(line)))
                **integer = *v;
        } else if (const auto v = parseIniReal(line)) {
            double *target = std::get<double *>(field);
            const bool isRate = target >= &settings.vatRates[0] && target <= &settings.vatRates[2];
            if (isRate && !saneVatRate(*v)) {
                // A rate no invoice can be computed with is refused, not used.
                refused += QStringLiteral("Taux de TVA %1 refusé (%2) : un taux va de 0 à 100 %, "
                                          "avec quatre décimales au plus.\n")
                               .arg(target - &settings.vatRates[0] + 1)
                               .arg(cp1252::decode(line.trimmed()));
            } else {
                *target = *v;
            }
        }
    });
    return refused.trimmed();
}

bool saneVatRate(double rate)
{
    const std::optional<Money> exact = Money::fromReal(rate);
    return exact && *exact >= Money() && *exact <= Money::whole(100);
}

bool ChargeIni(Settings &settings, const QString &folder, const QString &currentDir, QString *error)
{
    const auto bytes = readFile(folder, kSettingsFile, error);
    if (!bytes)
        return false;
    const QString refused = readSettings(settings, *bytes);
    if (error && !refused.isEmpty())
        *error = error->isEmpty() ? refused : *error + u'\n' + refused;

    QString &last = settings.lastFile;
    if (settings.autoOpen != 1)
        last.clear();
    // A hotel moved together with the settings file is found again by its name.
    if (!last.isEmpty() && !QFileInfo(last).isFile()) {
        QString found = findFileNoCase(QString(), last);
        if (found.isEmpty())
            found = findFileNoCase(currentDir, fileNameOf(last));
        last = found;
    }
    // Any other number of decimals leaves the format as it was.
    if (settings.decimals >= 0 && settings.decimals <= 2)
        settings.amountFormat = text::amountFormat(settings.decimals);
    return true;
}

bool SauveIni(const Settings &settings, const QString &folder, QString *error)
{
    return writeFile(folder, kSettingsFile, kSettingsFile, settingsBytes(settings), error);
}

void GetIni(const Settings &settings, bool &autoOpen, QString &fileName)
{
    autoOpen = settings.autoOpen == 1;
    fileName = settings.lastFile;
}

void SetIni(Settings &settings, bool autoOpen)
{
    settings.autoOpen = autoOpen ? 1 : 0;
}

// ---- Company heading ------------------------------------------------------

bool PsocOk(Company &company, const std::array<QString, kCompanyLines> &fields)
{
    if (fields[0].isEmpty())
        return false;
    company.lines = fields;
    return true;
}

QByteArray companyBytes(const Company &company)
{
    QByteArray out;
    for (const QString &line : company.lines)
        appendLine(out, line);
    const CompanyLegal &l = company.legal;
    if (!l.isEmpty())
        for (const QString *line : {&l.siret, &l.vatNumber, &l.legalForm, &l.capital})
            appendLine(out, *line);
    return out;
}

void readCompany(Company &company, QByteArrayView bytes)
{
    std::size_t next = 0;
    CompanyLegal &l = company.legal;
    const std::array<QString *, kCompanyLegalLines> legal = {&l.siret, &l.vatNumber,
                                                             &l.legalForm, &l.capital};
    text::forEachLine(bytes, [&](qsizetype start, qsizetype length) {
        const QString line = cp1252::decode(bytes.sliced(start, length));
        if (next < company.lines.size())
            company.lines[next] = line;
        else if (next - company.lines.size() < legal.size())
            *legal[next - company.lines.size()] = line;
        ++next;
    });
}

bool ChargeSoc(Company &company, const QString &folder, QString *error)
{
    const auto bytes = readFile(folder, kCompanyFile, error);
    if (bytes)
        readCompany(company, *bytes);
    return bytes.has_value();
}

bool SauveSoc(const Company &company, const QString &folder, QString *error)
{
    return writeFile(folder, kCompanyFile, kCompanyFile, companyBytes(company), error);
}

// ---- Drop-down lists ------------------------------------------------------

QByteArray listsBytes(const Lists &lists)
{
    QByteArray out;
    const auto all = sections(lists);
    for (std::size_t i = 0; i < all.size(); ++i) {
        appendLine(out, kListSections[i]);
        for (const QString &entry : *all[i])
            appendLine(out, entry);
    }
    return out;
}

void readLists(Lists &lists, QByteArrayView bytes)
{
    const auto all = sections(lists);
    for (QStringList *list : all)
        list->clear();
    QStringList *current = nullptr; // lines before the first section are ignored
    text::forEachLine(bytes, [&](qsizetype start, qsizetype length) {
        const QString line = cp1252::decode(bytes.sliced(start, length));
        const auto section = std::find(kListSections.begin(), kListSections.end(), line);
        if (section != kListSections.end())
            current = all[section - kListSections.begin()];
        else if (current)
            current->append(line);
    });
}

bool ChargeCombo(Lists &lists, const QString &folder, QString *error)
{
    const auto bytes = readFile(folder, kListsFile, error);
    if (bytes)
        readLists(lists, *bytes);
    return bytes.has_value();
}

bool SauveCombo(const Lists &lists, const QString &folder, QString *error)
{
    return writeFile(folder, kListsFile, kListsFileWritten, listsBytes(lists), error);
}

// ---- List editing dialog --------------------------------------------------

void ListEditor::click(int index)
{
    if (index < 0 || index >= m_entries.size()) {
        m_selected = -1;
        return;
    }
    m_selected = index;
    m_text = m_entries[index];
}

void ListEditor::validate()
{
    if (m_selected >= 0)
        m_entries[m_selected] = m_text;
    else
        m_entries.append(m_text);
    m_selected = -1;
    m_text.clear();
}

void ListEditor::removeSelected()
{
    if (m_selected < 0)
        return;
    m_entries.removeAt(m_selected);
    m_selected = -1;
    m_text.clear();
}
