#pragma once

#include "store/page.h"

#include <QStringView>
#include <Qt>

#include <array>
#include <optional>
#include <span>

// Every command of the main window: the menu items, then the tool-bar
// buttons. A button has its own enabled state, apart from the menu item
// whose operation it runs.
// clang-format off
enum class Cmd {
    None,
    // "&Fichier"
    Nouveau, Ouvrir, Enregistrer, EnregistrerSous, Importer, Exporter, ExporterFacturX, MiseEnPage, Imprimer,
    ImprimerListeClients, ImprimerListeChambres, ImprimerEnveloppes, ImprimerMainCourante,
    ImprimerJournee, ImprimerFichePolice, ConfigurerImprimante, Quitter,
    // "&Édition"
    Copier, Coller, ListeClients, RechercherNom, RechercherCodeClient, RechercherChambreClient,
    RechercherTelephone, TrierClients, ListeChambres, RechercherChambre, RechercherOccupant,
    TrierChambres, ChercherFacture, ListeArticles, RechercherArticle, ListeFournisseurs,
    RechercherFournisseur,
    // "&Bases"
    Planning, Clients, Chambres, Factures, MainCourante, Articles, Fournisseurs, Commandes,
    Precedent, Suivant, Premier, Dernier, NouvelleFiche, SupprimerFiche, Liste, ImprimerFiche,
    // "&Réception"
    ArriveeClient, DepartClient, Reservation, Journee, TransfertChambre, FermerChambre, LibererChambre,
    NouvelleFacture, EtablirAvoir, SupprimerFacture, ImprimerFacture, ListeFactures,
    SupprimerLigneFacture,
    // "&Achat"
    NouvelleCommande, SupprimerCommande, ImprimerCommande, ListeCommandes, SupprimerLigneCommande,
    // "&Sélection"
    TousLesClients, ClientsCodePostal, ClientsVille, ClientsPays, ClientsPresents,
    ToutesLesChambres, ChambresCategorie, ChambresNombreLits, ChambresLibres,
    ToutesLesFactures, FacturesClient, TousLesArticles, ArticlesFamille,
    TousLesFournisseurs, FournisseursFamille,
    // "&Outils"
    TraitementTexte, Messages, EnveloppeCourante, StatsClients, StatsMois, StatsChambres, StatsOccupation,
    EtatTaxeSejour, Journal,
    // "&Paramètres"
    Societe, Categories, ParamFacture, FamillesArticles, FamillesFournisseurs, PlanComptable,
    Sauvegarde, OuvrirAutomatiquement,
    // "&Utilitaires"
    Calendrier, Calculatrice, Horloge, EuroConversion, Devises, BlocNotes, Departements,
    // "&?"
    AideIndex, AideRecherche, AideUtiliser, APropos,
    // The tool bar, left to right.
    BoutonNouveau, BoutonOuvrir, BoutonEnregistrer, BoutonCopier, BoutonColler, BoutonPremier,
    BoutonPrecedent, BoutonSuivant, BoutonDernier, BoutonNouvelleFiche, BoutonClient,
    BoutonFacture, BoutonChambres, BoutonPlanning, BoutonMainCourante, BoutonArticles,
    BoutonImprimer, BoutonEnveloppe,
    Count
};
// clang-format on
constexpr int kCmdCount = int(Cmd::Count);

// One line of a menu. A line without a command is a separator.
struct MenuItem
{
    enum Flag : unsigned { Disabled = 1, Checked = 2 };

    Cmd cmd = Cmd::None;
    QStringView caption; // with its "&" mnemonic, exactly as shown
    QStringView hint;    // the status-bar text
    unsigned flags = 0;  // the state at start
    std::span<const MenuItem> submenu = {};
    QStringView shortcut = {}; // in QKeySequence's portable text, "; " between keys

    bool isSeparator() const { return cmd == Cmd::None; }
};

struct Menu
{
    QStringView caption;
    int helpContext;
    std::span<const MenuItem> items;
};

struct ToolButton
{
    Cmd cmd;          // the button's own state
    QStringView hint; // "short|long", as a tool tip and a status-bar text
    Cmd runs;         // the menu command whose operation it runs; None for nothing
    bool enabled;     // at start
};

// The menu bar, left to right, and the tool bar.
std::span<const Menu> menuBar();
std::span<const ToolButton> toolBar();

// The menu line or button of a command; nullptr when it is not one.
const MenuItem *menuItem(Cmd cmd);
const ToolButton *toolButton(Cmd cmd);

// The operation a command runs: a button's menu command, or the command itself.
Cmd operationOf(Cmd cmd);

// A hint is a short text and a long one separated by "|"; without "|" both
// are the whole text.
QStringView shortHint(QStringView hint);
QStringView longHint(QStringView hint);

// The page item of "&Bases" and the tool-bar button of each page (None for
// the pages without one), and the page a command selects.
Cmd pageItem(PageId page);
Cmd pageButton(PageId page);
std::optional<PageId> pageSelectedBy(Cmd cmd);

// The "&Sélection" groups, numbered by the digit of their table
// (Decoche2 clients ... Decoche7 suppliers).
enum class SelectionGroup { Clients = 2, Rooms = 3, Invoices = 4, Articles = 6, Suppliers = 7 };

struct SelectionItem
{
    Cmd cmd;
    SelectionGroup group;
    int number; // the selection the record window takes for its table
};
std::optional<SelectionItem> selectionItem(Cmd cmd);

// Whether a command's menu line carries a check mark that can change.
bool isCheckable(Cmd cmd);

// The record window's keys (FormKeyDown): Page Down, Page Up, Ctrl+Home,
// Ctrl+End (Ctrl alone) and F2, as the command they run; None otherwise.
// In a text of several lines (a card's notes) Ctrl+Home and Ctrl+End move
// in the text, as in every editor.
Cmd recordKey(int key, Qt::KeyboardModifiers modifiers, bool inText = false);

// Which commands are enabled and checked. Nothing here looks at data: the
// state follows the page shown and whether a set is open.
class CommandState
{
public:
    CommandState(); // as at start

    bool enabled(Cmd cmd) const { return m_enabled[std::size_t(cmd)]; }
    bool checked(Cmd cmd) const { return m_checked[std::size_t(cmd)]; }
    void setEnabled(Cmd cmd, bool on) { m_enabled[std::size_t(cmd)] = on; }
    void setChecked(Cmd cmd, bool on) { m_checked[std::size_t(cmd)] = on; }

    // After a set is opened or created, or a card added: saving, the moves,
    // the card commands and printing become available for good.
    void Valide();
    // After a page is selected (Valide1 .. Valide8): each page's own
    // commands on, the other pages' off, its own selector off.
    void ValidePage(PageId page);

    // Unchecks every item of a group (Decoche2, Decoche3, ...).
    void Decoche(SelectionGroup group);
    // Chooses a "&Sélection" item as in a radio group; returns its selection
    // number, or -1 for a command that is not a selection item.
    int select(Cmd item);

private:
    std::array<bool, kCmdCount> m_enabled{};
    std::array<bool, kCmdCount> m_checked{};
};
