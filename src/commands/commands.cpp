#include "commands.h"

namespace {

constexpr unsigned d = MenuItem::Disabled;
constexpr unsigned c = MenuItem::Checked;
constexpr MenuItem sep{};

// A caption's text after its TAB is shown in the menu's key column: there it
// reminds of a key the record window handles itself (F2, the page keys),
// named in French as the help names them.

constexpr MenuItem kPrintMenu[] = {
    {Cmd::ImprimerListeClients, u"&Liste clients", u"Imprimer liste clients"},
    {Cmd::ImprimerListeChambres, u"Liste &chambres", u"Imprimer liste des chambres"},
    {Cmd::ImprimerEnveloppes, u"&Enveloppes", u"Imprimer enveloppes"},
    {Cmd::ImprimerMainCourante, u"&Main courante", u"Imprimer main courante de la journée"},
    {Cmd::ImprimerJournee, u"&Journée", u"Imprimer les arrivées, départs, présents et chambres libres du jour"},
    {Cmd::ImprimerFichePolice, u"&Fiche de police", u"Imprimer la fiche individuelle de police du client"},
};

constexpr MenuItem kFichier[] = {
    {Cmd::Nouveau, u"&Nouveau", u"Nouveau dossier", 0, {}, u"Ctrl+N"},
    {Cmd::Ouvrir, u"&Ouvrir...", u"Ouvrir un fichier", 0, {}, u"Ctrl+O"},
    sep,
    {Cmd::Enregistrer, u"&Enregistrer", u"Enregistrer le fichier en cours", d},
    {Cmd::EnregistrerSous, u"Enregistrer &sous...", u"Enregistrer sous", d},
    sep,
    {Cmd::Importer, u"I&mporter...", u"Importer un fichier"},
    {Cmd::Exporter, u"E&xporter...", u"Exporter un fichier", d},
    {Cmd::ExporterFacturX, u"Exporter la &facture électronique (Factur-X)...",
     u"Exporter la facture validée en facture électronique pour un client professionnel", d},
    sep,
    {Cmd::MiseEnPage, u"&Mise en page", u"Mise en page"},
    {Cmd::Imprimer, u"&Imprimer...", u"", d, kPrintMenu},
    {Cmd::ConfigurerImprimante, u"Configurer imprimante", u"Configurer imprimante"},
    sep,
    {Cmd::Quitter, u"&Quitter", u"Quitter l'application", 0, {}, u"Ctrl+Q; Alt+X"},
};

constexpr MenuItem kEdition[] = {
    {Cmd::Copier, u"C&opier", u"Copier"},
    {Cmd::Coller, u"Co&ller", u"Coller"},
    sep,
    {Cmd::ListeClients, u"&Liste des clients\tF2", u"Liste des clients", d},
    {Cmd::RechercherNom, u"Rechercher &nom/société...", u"Rechercher d'après le nom", d},
    {Cmd::RechercherCodeClient, u"Rechercher &code client...", u"Rechercher un code client", d},
    {Cmd::RechercherChambreClient, u"N&uméro de chambre...", u"Recherche par numéro de chambre", d},
    {Cmd::RechercherTelephone, u"&Rechercher téléphone...",
     u"Rechercher d'après le numéro de téléphone", d},
    {Cmd::TrierClients, u"&Trier clients...", u"Trier les clients", d},
    sep,
    {Cmd::ListeChambres, u"Li&ste chambres\tF2", u"Liste des chambres", d},
    {Cmd::RechercherChambre, u"Rechercher n° &chambre...", u"Recherche numéro de chambre", d},
    {Cmd::RechercherOccupant, u"Rechercher &occupant", u"Rechercher l'occupant d'une chambre", d},
    {Cmd::TrierChambres, u"Tr&ier chambres...", u"Trier les chambres", d},
    sep,
    {Cmd::ChercherFacture, u"Chercher &facture...", u"Chercher la facture N°", d},
    sep,
    {Cmd::ListeArticles, u"L&iste des articles\tF2", u"Liste des articles", d},
    {Cmd::RechercherArticle, u"Rechercher &articles", u"Rechercher désignation d'article", d},
    sep,
    {Cmd::ListeFournisseurs, u"Lis&te des fournisseurs", u"Liste des fournisseurs", d},
    {Cmd::RechercherFournisseur, u"Rechercher fo&urnisseur", u"Rechercher un fournisseur", d},
};

constexpr MenuItem kBases[] = {
    {Cmd::Planning, u"Pla&nning", u"Planning"},
    {Cmd::Clients, u"&Clients", u"Fiche clients"},
    {Cmd::Chambres, u"C&hambres", u"Chambres"},
    {Cmd::Factures, u"&Factures", u"Factures"},
    {Cmd::MainCourante, u"&Main courante", u"Main courante"},
    {Cmd::Articles, u"&Articles", u"Liste des prix"},
    {Cmd::Fournisseurs, u"Fo&urnisseurs", u"Fournisseurs"},
    {Cmd::Commandes, u"C&ommandes", u"Commandes"},
    sep,
    {Cmd::Precedent, u"&Précédent\tPg préc.", u"Précédent", d},
    {Cmd::Suivant, u"&Suivant\tPg suiv.", u"Suivant", d},
    {Cmd::Premier, u"P&remier", u"Premier", d},
    {Cmd::Dernier, u"&Dernier", u"Dernier", d},
    sep,
    {Cmd::NouvelleFiche, u"&Nouvelle fiche", u"Nouvelle fiche", d},
    {Cmd::SupprimerFiche, u"S&upprimer fiche", u"Supprimer fiche", d},
    {Cmd::Liste, u"&Liste\tF2", u"Vue liste", d},
    {Cmd::ImprimerFiche, u"&Imprimer fiche", u"Imprime la fiche", d, {}, u"Ctrl+P"},
};

constexpr MenuItem kReception[] = {
    {Cmd::ArriveeClient, u"&Arrivée client", u"Arrivée du client"},
    {Cmd::DepartClient, u"&Départ client", u"Départ du client"},
    {Cmd::Reservation, u"&Réservation", u"Réservation"},
    {Cmd::Journee, u"&Journée...", u"Arrivées, départs, présents et chambres libres du jour", d, {}, u"F3"},
    sep,
    {Cmd::TransfertChambre, u"&Transfert de chambre...", u"Transfert/permutation de chambres"},
    {Cmd::FermerChambre, u"&Fermer la chambre", u"Fermer la chambre"},
    {Cmd::LibererChambre, u"Li&bérer la chambre", u"Libérer la chambre"},
    sep,
    {Cmd::NouvelleFacture, u"&Nouvelle facture", u"Nouvelle facture"},
    {Cmd::EtablirAvoir, u"Établir un &avoir", u"Établir un avoir sur la facture validée"},
    {Cmd::SupprimerFacture, u"&Supprimer facture", u"Supprimer facture"},
    {Cmd::ImprimerFacture, u"&Imprimer facture", u"Imprime la facture"},
    {Cmd::ListeFactures, u"&Liste des factures", u"Liste des factures"},
    {Cmd::SupprimerLigneFacture, u"Supprimer &ligne", u"Supprimer ligne de facture"},
};

constexpr MenuItem kAchat[] = {
    {Cmd::NouvelleCommande, u"&Nouvelle commande", u""},
    {Cmd::SupprimerCommande, u"S&upprimer commande", u""},
    {Cmd::ImprimerCommande, u"&Imprimer commande", u""},
    sep,
    {Cmd::ListeCommandes, u"&Liste des commandes\tF2", u""},
    {Cmd::SupprimerLigneCommande, u"Supprimer &ligne", u""},
};

constexpr MenuItem kSelection[] = {
    {Cmd::TousLesClients, u"&Tous les clients", u"Tous les clients", d | c},
    {Cmd::ClientsCodePostal, u"&Code postal", u"Clients par code postal", d},
    {Cmd::ClientsVille, u"&Ville", u"Clients par ville", d},
    {Cmd::ClientsPays, u"&Pays", u"Clients par pays", d},
    {Cmd::ClientsPresents, u"&Clients présents", u"Les clients actuels", d},
    sep,
    {Cmd::ToutesLesChambres, u"To&utes les chambres", u"Voir toutes les chambres", d | c},
    {Cmd::ChambresCategorie, u"C&atégorie de chambres", u"Chambres par catégories", d},
    {Cmd::ChambresNombreLits, u"&Nombre de lits", u"Chambres par nombre de lits", d},
    {Cmd::ChambresLibres, u"Chambres &libres", u"Voir les chambres libres", d},
    sep,
    {Cmd::ToutesLesFactures, u"Toutes les &factures", u"Montrer toutes les factures", d | c},
    {Cmd::FacturesClient, u"Fac&tures code client...", u"Montrer les factures d'un client", d},
    sep,
    {Cmd::TousLesArticles, u"Tous les &articles", u"Tous les articles", d | c},
    {Cmd::ArticlesFamille, u"&Famille article", u"Voir une famille d'articles", d},
    sep,
    {Cmd::TousLesFournisseurs, u"Tou&s les fournisseurs", u"Voir tous les fournisseurs", d | c},
    {Cmd::FournisseursFamille, u"Fa&mille fournisseurs", u"Voir famille fournisseur", d},
};

constexpr MenuItem kOutils[] = {
    {Cmd::TraitementTexte, u"&Traitement de texte", u"Traitement de texte"},
    {Cmd::Messages, u"&Messages", u"Noter un message"},
    {Cmd::EnveloppeCourante, u"&Enveloppe courante",
     u"Imprimer l'enveloppe avec données de la fiche"},
    sep,
    {Cmd::StatsClients, u"Statistiques &clients", u"Statistiques sur les clients"},
    {Cmd::StatsMois, u"Statistiques &mois", u"Statistiques par mois"},
    {Cmd::StatsChambres, u"&Statistiques chambres", u"Statistiques sur les chambres"},
    {Cmd::StatsOccupation, u"Statistiques &occupation", u"Taux d'occupation des chambres par mois"},
    {Cmd::EtatTaxeSejour, u"État de la ta&xe de séjour",
     u"La taxe de séjour perçue sur une période, pour la déclaration à la commune"},
    {Cmd::Journal, u"&Journal comptable", u"Transfert en comptabilité"},
};

constexpr MenuItem kParametres[] = {
    {Cmd::Societe, u"&Société", u"Paramètres société"},
    {Cmd::Categories, u"&Catégories", u"Catégories de chambres"},
    {Cmd::ParamFacture, u"&Facture", u"Paramètres facture"},
    {Cmd::FamillesArticles, u"Familles &articles", u"Définir les familles articles"},
    {Cmd::FamillesFournisseurs, u"Familles fo&urnisseurs", u"Les familles de fournisseurs"},
    {Cmd::PlanComptable, u"&Plan comptable", u"Plan comptable"},
    {Cmd::Sauvegarde, u"Sa&uvegarde...", u"Sauvegarder l'hôtel chaque jour dans un dossier"},
    sep,
    {Cmd::OuvrirAutomatiquement, u"&Ouvrir automatiquement",
     u"Ouvrir automatiquement le dernier fichier utilisé"},
};

constexpr MenuItem kUtilitaires[] = {
    {Cmd::Calendrier, u"&Calendrier", u"Calendrier"},
    {Cmd::Calculatrice, u"C&alculatrice", u"Calculatrice"},
    {Cmd::Horloge, u"&Horloge", u"Horloge"},
    {Cmd::EuroConversion, u"&Euro conversion", u"Convertisseur euro"},
    {Cmd::Devises, u"De&vises", u"Conversion de devises"},
    {Cmd::BlocNotes, u"&Bloc-notes", u"Bloc-notes"},
    {Cmd::Departements, u"&Départements", u"Départements"},
};

constexpr MenuItem kAide[] = {
    {Cmd::AideIndex, u"&Index", u"Sommaire de l'aide"},
    {Cmd::AideRecherche, u"&Recherche...", u"Chercher dans l'aide"},
    {Cmd::AideUtiliser, u"&Utiliser l'aide", u"Comment utiliser l'aide"},
    sep,
    {Cmd::APropos, u"&A propos", u""},
};

constexpr Menu kMenuBar[] = {
    {u"&Fichier", 3, kFichier},
    {u"&Édition", 4, kEdition},
    {u"&Bases", 5, kBases},
    {u"&Réception", 6, kReception},
    {u"&Achat", 7, kAchat},
    {u"&Sélection", 8, kSelection},
    {u"&Outils", 9, kOutils},
    {u"&Paramètres", 10, kParametres},
    {u"&Utilitaires", 11, kUtilitaires},
    {u"&?", 12, kAide},
};

constexpr ToolButton kToolBar[] = {
    {Cmd::BoutonNouveau, u"Nouveau dossier", Cmd::Nouveau, true},
    {Cmd::BoutonOuvrir, u"Ouvrir", Cmd::Ouvrir, true},
    {Cmd::BoutonEnregistrer, u"Enregistrer|", Cmd::Enregistrer, false},
    {Cmd::BoutonCopier, u"Copier", Cmd::None, false},
    {Cmd::BoutonColler, u"Coller", Cmd::None, false},
    {Cmd::BoutonPremier, u"Premier", Cmd::Premier, false},
    {Cmd::BoutonPrecedent, u"Précédent", Cmd::Precedent, false},
    {Cmd::BoutonSuivant, u"Suivant", Cmd::Suivant, false},
    {Cmd::BoutonDernier, u"Dernier", Cmd::Dernier, false},
    {Cmd::BoutonNouvelleFiche, u"Nouvelle fiche", Cmd::NouvelleFiche, true},
    {Cmd::BoutonClient, u"Fiche client", Cmd::Clients, true},
    {Cmd::BoutonFacture, u"Facture", Cmd::Factures, true},
    {Cmd::BoutonChambres, u"Chambres", Cmd::Chambres, true},
    {Cmd::BoutonPlanning, u"Planning", Cmd::Planning, true},
    {Cmd::BoutonMainCourante, u"Main courante", Cmd::MainCourante, true},
    {Cmd::BoutonArticles, u"Articles", Cmd::Articles, true},
    {Cmd::BoutonImprimer, u"Imprimer", Cmd::ImprimerFiche, false},
    {Cmd::BoutonEnveloppe, u"Imprimer enveloppe", Cmd::EnveloppeCourante, false},
};

// Per page, in PageId order.
constexpr Cmd kPageItems[kPageCount] = {Cmd::Planning,     Cmd::Clients,      Cmd::Chambres,
                                        Cmd::Factures,     Cmd::MainCourante, Cmd::Articles,
                                        Cmd::Fournisseurs, Cmd::Commandes};
constexpr Cmd kPageButtons[kPageCount] = {
    Cmd::BoutonPlanning,     Cmd::BoutonClient,   Cmd::BoutonChambres, Cmd::BoutonFacture,
    Cmd::BoutonMainCourante, Cmd::BoutonArticles, Cmd::None,           Cmd::None};

constexpr SelectionItem kSelections[] = {
    {Cmd::TousLesClients, SelectionGroup::Clients, 1},
    {Cmd::ClientsCodePostal, SelectionGroup::Clients, 2},
    {Cmd::ClientsVille, SelectionGroup::Clients, 3},
    {Cmd::ClientsPays, SelectionGroup::Clients, 4},
    {Cmd::ClientsPresents, SelectionGroup::Clients, 5},
    {Cmd::ToutesLesChambres, SelectionGroup::Rooms, 1},
    {Cmd::ChambresCategorie, SelectionGroup::Rooms, 2},
    {Cmd::ChambresNombreLits, SelectionGroup::Rooms, 3},
    {Cmd::ChambresLibres, SelectionGroup::Rooms, 4},
    {Cmd::ToutesLesFactures, SelectionGroup::Invoices, 0},
    {Cmd::FacturesClient, SelectionGroup::Invoices, 1},
    {Cmd::TousLesArticles, SelectionGroup::Articles, 1},
    {Cmd::ArticlesFamille, SelectionGroup::Articles, 2},
    {Cmd::TousLesFournisseurs, SelectionGroup::Suppliers, 1},
    {Cmd::FournisseursFamille, SelectionGroup::Suppliers, 2},
};

// The commands that belong to one page: enabled while it is shown, disabled
// on every other page.
constexpr Cmd kClientCommands[] = {Cmd::ListeClients,         Cmd::RechercherNom,
                                   Cmd::RechercherCodeClient, Cmd::RechercherChambreClient,
                                   Cmd::RechercherTelephone,  Cmd::TrierClients,
                                   Cmd::TousLesClients,       Cmd::ClientsCodePostal,
                                   Cmd::ClientsVille,         Cmd::ClientsPays,
                                   Cmd::ClientsPresents,      Cmd::ArriveeClient,
                                   Cmd::DepartClient,         Cmd::Reservation,
                                   Cmd::NouvelleFacture};
constexpr Cmd kRoomCommands[] = {
    Cmd::ListeChambres,     Cmd::RechercherChambre, Cmd::RechercherOccupant, Cmd::TrierChambres,
    Cmd::ToutesLesChambres, Cmd::ChambresCategorie, Cmd::ChambresNombreLits, Cmd::ChambresLibres,
    Cmd::TransfertChambre,  Cmd::FermerChambre,     Cmd::LibererChambre};
constexpr Cmd kInvoiceCommands[] = {
    Cmd::ChercherFacture, Cmd::ToutesLesFactures, Cmd::FacturesClient,       Cmd::SupprimerFacture,
    Cmd::ImprimerFacture, Cmd::ListeFactures,     Cmd::SupprimerLigneFacture,
    Cmd::EtablirAvoir,    Cmd::ExporterFacturX};
constexpr Cmd kArticleCommands[] = {Cmd::ListeArticles, Cmd::RechercherArticle,
                                    Cmd::TousLesArticles, Cmd::ArticlesFamille};
constexpr Cmd kSupplierCommands[] = {Cmd::ListeFournisseurs, Cmd::RechercherFournisseur,
                                     Cmd::TousLesFournisseurs, Cmd::FournisseursFamille,
                                     Cmd::NouvelleCommande};
constexpr Cmd kOrderCommands[] = {Cmd::SupprimerCommande, Cmd::ImprimerCommande,
                                  Cmd::ListeCommandes, Cmd::SupprimerLigneCommande};

struct PageGroup
{
    PageId page;
    std::span<const Cmd> cmds;
};
constexpr PageGroup kPageGroups[] = {
    {PageId::Clients, kClientCommands},     {PageId::Rooms, kRoomCommands},
    {PageId::Invoices, kInvoiceCommands},   {PageId::Articles, kArticleCommands},
    {PageId::Suppliers, kSupplierCommands}, {PageId::Orders, kOrderCommands},
};

// Enabled by every page selection.
constexpr Cmd kEveryPage[] = {Cmd::BoutonPremier, Cmd::BoutonPrecedent, Cmd::BoutonSuivant,
                              Cmd::BoutonDernier, Cmd::BoutonCopier,    Cmd::BoutonColler,
                              Cmd::Copier,        Cmd::Coller,          Cmd::EnregistrerSous,
                              Cmd::NouvelleFiche, Cmd::SupprimerFiche,  Cmd::Exporter};

// Enabled once a set is open or a card was added.
constexpr Cmd kOpenSet[] = {
    Cmd::BoutonImprimer,  Cmd::BoutonEnveloppe, Cmd::Enregistrer,    Cmd::BoutonEnregistrer,
    Cmd::BoutonPremier,   Cmd::BoutonPrecedent, Cmd::BoutonSuivant,  Cmd::BoutonDernier,
    Cmd::BoutonCopier,    Cmd::BoutonColler,    Cmd::Copier,         Cmd::Coller,
    Cmd::Premier,         Cmd::Precedent,       Cmd::Suivant,        Cmd::Dernier,
    Cmd::EnregistrerSous, Cmd::NouvelleFiche,   Cmd::SupprimerFiche, Cmd::Exporter,
    Cmd::Liste,           Cmd::ImprimerFiche,   Cmd::Imprimer,        Cmd::Journee};

template <typename F> void forEachItem(std::span<const MenuItem> items, F &&f)
{
    for (const MenuItem &item : items) {
        if (item.isSeparator())
            continue;
        f(item);
        forEachItem(item.submenu, f);
    }
}

const MenuItem *findItem(std::span<const MenuItem> items, Cmd cmd)
{
    for (const MenuItem &item : items) {
        if (item.cmd == cmd && !item.isSeparator())
            return &item;
        if (const MenuItem *found = findItem(item.submenu, cmd))
            return found;
    }
    return nullptr;
}

} // namespace

std::span<const Menu> menuBar()
{
    return kMenuBar;
}
std::span<const ToolButton> toolBar()
{
    return kToolBar;
}

const MenuItem *menuItem(Cmd cmd)
{
    for (const Menu &menu : kMenuBar)
        if (const MenuItem *item = findItem(menu.items, cmd))
            return item;
    return nullptr;
}

const ToolButton *toolButton(Cmd cmd)
{
    for (const ToolButton &button : kToolBar)
        if (button.cmd == cmd)
            return &button;
    return nullptr;
}

Cmd operationOf(Cmd cmd)
{
    const ToolButton *button = toolButton(cmd);
    return button ? button->runs : cmd;
}

QStringView shortHint(QStringView hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QStringView longHint(QStringView hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

Cmd pageItem(PageId page)
{
    return kPageItems[int(page)];
}
Cmd pageButton(PageId page)
{
    return kPageButtons[int(page)];
}

std::optional<PageId> pageSelectedBy(Cmd cmd)
{
    const Cmd op = operationOf(cmd);
    for (int i = 0; i < kPageCount; ++i)
        if (op == kPageItems[i])
            return PageId(i);
    return std::nullopt;
}

std::optional<SelectionItem> selectionItem(Cmd cmd)
{
    for (const SelectionItem &item : kSelections)
        if (item.cmd == cmd)
            return item;
    return std::nullopt;
}

bool isCheckable(Cmd cmd)
{
    return cmd == Cmd::OuvrirAutomatiquement || selectionItem(cmd).has_value();
}

Cmd recordKey(int key, Qt::KeyboardModifiers modifiers, bool inText)
{
    // Home and End of the numeric keypad come with the keypad flag.
    const bool ctrlAlone = !inText && (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    switch (key) {
    case Qt::Key_PageDown:
        return Cmd::Suivant;
    case Qt::Key_PageUp:
        return Cmd::Precedent;
    case Qt::Key_Home:
        return ctrlAlone ? Cmd::Premier : Cmd::None;
    case Qt::Key_End:
        return ctrlAlone ? Cmd::Dernier : Cmd::None;
    case Qt::Key_F2:
        return Cmd::Liste;
    default:
        return Cmd::None;
    }
}

CommandState::CommandState()
{
    for (const Menu &menu : kMenuBar)
        forEachItem(menu.items, [this](const MenuItem &item) {
            setEnabled(item.cmd, !(item.flags & MenuItem::Disabled));
            setChecked(item.cmd, item.flags & MenuItem::Checked);
        });
    for (const ToolButton &button : kToolBar)
        setEnabled(button.cmd, button.enabled);
}

void CommandState::Valide()
{
    for (Cmd cmd : kOpenSet)
        setEnabled(cmd, true);
}

void CommandState::ValidePage(PageId page)
{
    for (Cmd cmd : kEveryPage)
        setEnabled(cmd, true);
    for (int i = 0; i < kPageCount; ++i) {
        const bool other = PageId(i) != page;
        setEnabled(kPageItems[i], other);
        if (kPageButtons[i] != Cmd::None)
            setEnabled(kPageButtons[i], other);
    }
    for (const PageGroup &group : kPageGroups)
        for (Cmd cmd : group.cmds)
            setEnabled(cmd, group.page == page);
}

void CommandState::Decoche(SelectionGroup group)
{
    for (const SelectionItem &item : kSelections)
        if (item.group == group)
            setChecked(item.cmd, false);
}

int CommandState::select(Cmd cmd)
{
    const std::optional<SelectionItem> item = selectionItem(cmd);
    if (!item)
        return -1;
    Decoche(item->group);
    setChecked(cmd, true);
    return item->number;
}
