#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>
#include <utility>

// The three small files of the start-up directory: the settings
// ("Carvelle.ini"), the company heading ("Carvelle.soc") and the entries of
// four drop-down lists ("Carvelle.cbx"). Readers accept any bytes; writers
// replace a file all or nothing and keep the spelling of an existing file's
// name, since names are matched without regard to case.

inline constexpr QStringView kSettingsFile = u"Carvelle.ini";
inline constexpr QStringView kCompanyFile = u"Carvelle.soc";
// One and the same file, read and written under two spellings.
inline constexpr QStringView kListsFile = u"Carvelle.cbx";
inline constexpr QStringView kListsFileWritten = u"Carvelle.Cbx";

// ---- Settings -------------------------------------------------------------

// What the record window keeps between runs, at its values when no settings
// file exists. Integers are kept as read: the screens that use them check
// their range.
struct Settings
{
    QString lastFile;            // full path of the last client file
    int autoOpen = 0;            // 1: reopen lastFile at start-up
    int paperType = 0;           // 0 "Papier blanc", 1 "Papier à en-tête"
    int envelopeOrientation = 0; // 0 "Portrait", 1 "Paysage"
    int envelopeGuide = 0;       // 100 with the envelope guide on the right
    int decimals = 2;            // amount decimals, 0 to 2
    int currency = 0;            // 0 euros, 1 otherCurrency
    QString otherCurrency;
    std::array<double, 3> vatRates{}; // percentages
    // The nine accounts of the 27 lines, then those kept after the tax
    // lines (per VAT rate, "Divers", "Dépenses"); see kAccountLabels.
    std::array<QString, 20> accounts;
    int converterDirection = 0;       // 0 "D > Euro", 1 "Euro > D"
    int converterCurrency = 0;        // 0 to 4, an index into converterRates
    // Units per euro: franc, US dollar, pound sterling, yen, Canadian dollar.
    std::array<double, 5> converterRates{};

    // The taxe de séjour, kept after the 27 lines above: the amount per
    // person and per night (0: the hotel does not collect it) and the age
    // under which a guest is exempt.
    double touristTax = 0;
    int touristTaxExemptAge = 18;

    // Follows decimals: "#", "0.0" or "0.00".
    QString amountFormat = QStringLiteral("0.00");
};

// The labels of the accounts, in the order Settings::accounts keeps them:
// the accounts dialog shows them and the accountant's export names each
// account by its label.
inline constexpr std::array<QStringView, 20> kAccountLabels = {
    u"Clients divers",        u"Revenus locatifs",      u"Fournisseurs",
    u"TVA collectée",         u"Taxe ",                 u"TVA déductible",
    u"Achat",                 u"Banque",                u"Caisse",
    u"Revenus taux 1",        u"Revenus taux 2",        u"Revenus taux 3",
    u"TVA collectée taux 1",  u"TVA collectée taux 2",  u"TVA collectée taux 3",
    u"TVA déductible taux 1", u"TVA déductible taux 2", u"TVA déductible taux 3",
    u"Divers",                u"Dépenses"};
// The accounts the 27 lines hold; the others follow the tax lines.
inline constexpr int kFileAccounts = 9;

inline constexpr int kSettingsLines = 27;
// The taxe de séjour's two lines after them, written only when they differ
// from "not collected, exempt under 18" or when account lines follow, so
// that a hotel that does not collect it keeps the 27-line file older
// readers know. The eleven further accounts come after them, written only
// when one of them is set: a file without them reads as none set.
inline constexpr int kTouristTaxLines = 2;
inline constexpr int kDefaultExemptAge = 18;

// Reads the settings file of `folder`, if there is one. A file shorter than 27
// lines, or a line that is not a number where one is expected, leaves those
// settings as they were. Without automatic opening the last file name is
// dropped; a last file that no longer exists at its path is looked for by its
// name in `currentDir`. Returns whether a file was read; *error receives a
// message for the user when the file could not be read, a save interrupted
// earlier could not be finished or a setting was refused (the file was read
// then: the function returns true), and is emptied otherwise.
bool ChargeIni(Settings &settings, const QString &folder, const QString &currentDir,
               QString *error = nullptr);
// Writes the 27 lines (and the tax lines), all or nothing. On failure *error says why, in French.
bool SauveIni(const Settings &settings, const QString &folder, QString *error = nullptr);

// Whether automatic opening is on, and the last client file name.
void GetIni(const Settings &settings, bool &autoOpen, QString &fileName);
void SetIni(Settings &settings, bool autoOpen);

// The 27 lines to and from bytes; reading does no more than fill settings.
// A file without the tax lines reads as "not collected". A VAT rate outside
// 0 to 100 %, or with more than four decimals, is refused: it stays as it
// was and the returned message (empty when all is well) says so.
QByteArray settingsBytes(const Settings &settings);
QString readSettings(Settings &settings, QByteArrayView bytes);
// A VAT rate an invoice can be computed with: 0 to 100, four decimals at most.
bool saneVatRate(double rate);

// A real as the settings file holds it, 23 characters: " 1.96000000000000E+0001".
QByteArray iniReal(double value);
// A real with a decimal point, plain or scientific, blanks around allowed.
std::optional<double> parseIniReal(QByteArrayView bytes);

// ---- Company heading ------------------------------------------------------

inline constexpr int kCompanyLines = 7;

// What an electronic invoice needs to name the hotel as a business, read
// back exactly: its SIREN (9 digits) or SIRET (14), its intra-community VAT
// number, its legal form and its share capital. The company file keeps them
// after its seven lines, only when one is filled in, so a file without them
// reads them as empty and is written back as it was.
struct CompanyLegal
{
    QString siret, vatNumber, legalForm, capital;
    bool isEmpty() const
    {
        return siret.isEmpty() && vatNumber.isEmpty() && legalForm.isEmpty() && capital.isEmpty();
    }
    bool operator==(const CompanyLegal &) const = default;
};
inline constexpr int kCompanyLegalLines = 4;
inline constexpr std::array<QStringView, kCompanyLegalLines> kCompanyLegalLabels = {
    u"SIREN ou SIRET", u"N° TVA intracommunautaire", u"Forme juridique", u"Capital"};

// The lines of the heading printed on documents.
struct Company
{
    // In file order, labelled as in kCompanyLabels; the first is the name.
    std::array<QString, kCompanyLines> lines;
    CompanyLegal legal;
    // The identifiers an electronic invoice names the hotel by: the
    // heading's "Siret" and "N° TVA" lines, else those kept apart.
    QString siret() const { return pick(lines[4], legal.siret); }
    QString vatNumber() const { return pick(lines[5], legal.vatNumber); }

private:
    static QString pick(const QString &line, const QString &kept)
    {
        const QString shown = line.trimmed();
        return shown.isEmpty() ? kept.trimmed() : shown;
    }
};

inline constexpr QStringView kCompanyCaption = u"Société";
inline constexpr QStringView kCompanyHeading = u"Lignes constituant l'en-tête de la société";
inline constexpr std::array<QStringView, kCompanyLines> kCompanyLabels = {
    u"Société", u"Adresse", u"Adresse", u"CP Ville", u"Siret", u"N° TVA", u"APE"};

// The company dialog's OK: the fields are taken only when the first
// ("Société") is not empty. Returns whether they were.
bool PsocOk(Company &company, const std::array<QString, kCompanyLines> &fields);

// Reads the first seven lines of the company file, then the four legal
// lines when the file has them; lines beyond are ignored and texts the file
// has no line for stay as they were.
bool ChargeSoc(Company &company, const QString &folder, QString *error = nullptr);
bool SauveSoc(const Company &company, const QString &folder, QString *error = nullptr);

QByteArray companyBytes(const Company &company);
void readCompany(Company &company, QByteArrayView bytes);

// ---- Drop-down lists ------------------------------------------------------

struct Lists
{
    QStringList categories;   // room categories
    QStringList paymentModes; // invoice payment modes
    QStringList articleFamilies;
    QStringList supplierFamilies;
};

// The section lines, in file order, of the four lists above.
inline constexpr std::array<QStringView, 4> kListSections = {u"[CATEGORIES]", u"[REGLEMENT]",
                                                             u"[FAMILLE]", u"[FOURNISSEUR]"};

// Empties the four lists and fills them from the list file, if there is one.
// A section line selects its list; lines before the first are ignored.
bool ChargeCombo(Lists &lists, const QString &folder, QString *error = nullptr);
bool SauveCombo(const Lists &lists, const QString &folder, QString *error = nullptr);

QByteArray listsBytes(const Lists &lists);
void readLists(Lists &lists, QByteArrayView bytes);

// ---- List editing dialog --------------------------------------------------

// What the list editing dialog shows for each list it edits.
struct ListEditorTexts
{
    QStringView caption;
    QStringView label; // over the entry field
};

inline constexpr ListEditorTexts kCategoriesEditor{u"Les catégories de chambres", u"Catégorie"};
inline constexpr ListEditorTexts kArticleFamiliesEditor{u"Les familles articles", u"Familles"};
inline constexpr ListEditorTexts kSupplierFamiliesEditor{u"Les familles fournisseurs", u"Familles"};

// The list editing dialog's entries, selection and entry field. There is no
// cancel: on closing, the edited list takes entries() whatever was done.
class ListEditor
{
public:
    explicit ListEditor(QStringList entries = {}) : m_entries(std::move(entries)) {}

    // Selects an entry and puts its text in the entry field; an index outside
    // the list selects nothing and leaves the field alone.
    void click(int index);
    void setText(const QString &text) { m_text = text; }
    // Replaces the selected entry by the field's text, or adds the text at the
    // end (even empty) when nothing is selected; then clears both.
    void validate();
    // Removes the selected entry, then clears the selection and the field.
    // Does nothing when nothing is selected.
    void removeSelected();

    const QStringList &entries() const { return m_entries; }
    int selected() const { return m_selected; }
    const QString &text() const { return m_text; }

private:
    QStringList m_entries;
    int m_selected = -1;
    QString m_text;
};
