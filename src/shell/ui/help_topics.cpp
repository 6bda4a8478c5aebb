#include "help_topics.h"

#include <array>

namespace help {
namespace {

constexpr std::array kChapters = {
    HelpChapter{u"Sommaire", u"sommaire.html"},
    HelpChapter{u"Démarrer et le dossier hôtel", u"demarrage.html"},
    HelpChapter{u"Les fiches clients", u"clients.html"},
    HelpChapter{u"Chambres et réception", u"chambres.html"},
    HelpChapter{u"Le planning", u"planning.html"},
    HelpChapter{u"Les factures", u"factures.html"},
    HelpChapter{u"La main courante", u"main-courante.html"},
    HelpChapter{u"Articles, fournisseurs et commandes", u"achats.html"},
    HelpChapter{u"Statistiques, comptabilité et utilitaires", u"outils.html"},
    HelpChapter{u"Les paramètres", u"parametres.html"},
    HelpChapter{u"Sauvegarder et restaurer", u"sauvegarde.html"},
    HelpChapter{u"Raccourcis clavier", u"raccourcis.html"},
    HelpChapter{u"Utiliser l'aide", u"utiliser-aide.html"},
};

constexpr std::array kKeywords = {
    // The hotel file and the program
    HelpKeyword{u"Dossier hôtel", u"demarrage.html#fichiers"},
    HelpKeyword{u"Fichiers du dossier", u"demarrage.html#fichiers"},
    HelpKeyword{u"Nouveau dossier", u"demarrage.html#nouveau"},
    HelpKeyword{u"Ouvrir un dossier", u"demarrage.html#ouvrir"},
    HelpKeyword{u"Enregistrer", u"demarrage.html#enregistrer"},
    HelpKeyword{u"Enregistrer sous", u"demarrage.html#enregistrer"},
    HelpKeyword{u"Ouvrir automatiquement", u"demarrage.html#automatique"},
    HelpKeyword{u"Quitter", u"demarrage.html#quitter"},
    HelpKeyword{u"Sauvegarde", u"sauvegarde.html#sauvegarde"},
    HelpKeyword{u"Clé USB", u"sauvegarde.html#sauvegarde"},
    HelpKeyword{u"Restaurer une sauvegarde", u"sauvegarde.html#restaurer"},
    HelpKeyword{u"Disque plein", u"sauvegarde.html#fichiers"},
    HelpKeyword{u"Verrou", u"sauvegarde.html#verrou"},
    HelpKeyword{u"Lecture seule", u"sauvegarde.html#verrou"},
    HelpKeyword{u"Barre d'outils", u"demarrage.html#fenetre"},
    HelpKeyword{u"Barre d'état", u"demarrage.html#fenetre"},
    HelpKeyword{u"Nouvelle fiche", u"demarrage.html#fiches"},
    HelpKeyword{u"Supprimer une fiche", u"demarrage.html#fiches"},
    HelpKeyword{u"Imprimer", u"demarrage.html#imprimer"},
    HelpKeyword{u"Configurer l'imprimante", u"demarrage.html#imprimer"},
    // Clients
    HelpKeyword{u"Fiche client", u"clients.html"},
    HelpKeyword{u"Code client", u"clients.html#saisie"},
    HelpKeyword{u"Situation du client", u"clients.html#saisie"},
    HelpKeyword{u"Historique du client", u"clients.html#historique"},
    HelpKeyword{u"Rechercher un client", u"clients.html#recherche"},
    HelpKeyword{u"Liste des clients", u"clients.html#recherche"},
    HelpKeyword{u"Trier les clients", u"clients.html#recherche"},
    HelpKeyword{u"Sélection de clients", u"clients.html#selection"},
    HelpKeyword{u"Clients présents", u"clients.html#selection"},
    HelpKeyword{u"Copier une fiche", u"clients.html#copier"},
    HelpKeyword{u"Coller une fiche", u"clients.html#copier"},
    HelpKeyword{u"Enveloppe", u"clients.html#imprimer"},
    HelpKeyword{u"Fiche de police", u"clients.html#police"},
    HelpKeyword{u"Mise en page", u"clients.html#imprimer"},
    HelpKeyword{u"Liste clients imprimée", u"clients.html#imprimer"},
    HelpKeyword{u"Importer des clients", u"clients.html#echange"},
    HelpKeyword{u"Exporter", u"clients.html#echange"},
    // Rooms and reception
    HelpKeyword{u"Fiche chambre", u"chambres.html"},
    HelpKeyword{u"Numéro de chambre", u"chambres.html#fiche"},
    HelpKeyword{u"Occupant", u"chambres.html#fiche"},
    HelpKeyword{u"Chambres libres", u"chambres.html#libres"},
    HelpKeyword{u"Arrivée client", u"chambres.html#arrivee"},
    HelpKeyword{u"Départ client", u"chambres.html#depart"},
    HelpKeyword{u"Réservation", u"chambres.html#reservation"},
    HelpKeyword{u"Fermer une chambre", u"chambres.html#fermeture"},
    HelpKeyword{u"Hors service", u"chambres.html#fermeture"},
    HelpKeyword{u"Libérer une chambre", u"chambres.html#fermeture"},
    HelpKeyword{u"Transfert de chambre", u"chambres.html#transfert"},
    HelpKeyword{u"Planning", u"planning.html"},
    HelpKeyword{u"Couleurs du planning", u"planning.html#couleurs"},
    // Billing
    HelpKeyword{u"Facture", u"factures.html"},
    HelpKeyword{u"Nouvelle facture", u"factures.html#nouvelle"},
    HelpKeyword{u"Numéro de facture", u"factures.html#nouvelle"},
    HelpKeyword{u"Lignes de facture", u"factures.html#lignes"},
    HelpKeyword{u"Supprimer une ligne", u"factures.html#lignes"},
    HelpKeyword{u"TVA", u"factures.html#lignes"},
    HelpKeyword{u"Valider une facture", u"factures.html#valider"},
    HelpKeyword{u"Avoir", u"factures.html#avoir"},
    HelpKeyword{u"Supprimer une facture", u"factures.html#avoir"},
    HelpKeyword{u"Arrondis et TVA", u"factures.html#montants"},
    HelpKeyword{u"Montants au centime", u"factures.html#montants"},
    HelpKeyword{u"Caisse certifiée", u"factures.html#avoir"},
    HelpKeyword{u"Chercher une facture", u"factures.html#liste"},
    HelpKeyword{u"Liste des factures", u"factures.html#liste"},
    HelpKeyword{u"Main courante", u"main-courante.html"},
    HelpKeyword{u"Journée (main courante)", u"main-courante.html"},
    HelpKeyword{u"Imprimer la main courante", u"main-courante.html#imprimer"},
    // Stock and purchasing
    HelpKeyword{u"Articles", u"achats.html#articles"},
    HelpKeyword{u"Liste des prix", u"achats.html#articles"},
    HelpKeyword{u"Mouvements de stock", u"achats.html#articles"},
    HelpKeyword{u"Fournisseurs", u"achats.html#fournisseurs"},
    HelpKeyword{u"Commandes", u"achats.html#commandes"},
    HelpKeyword{u"Valider une commande", u"achats.html#commandes"},
    // Statistics, accounting, utilities
    HelpKeyword{u"Statistiques", u"outils.html#statistiques"},
    HelpKeyword{u"Graphique", u"outils.html#statistiques"},
    HelpKeyword{u"Journal comptable", u"outils.html#journal"},
    HelpKeyword{u"Plan comptable", u"outils.html#journal"},
    HelpKeyword{u"FEC", u"outils.html#journal"},
    HelpKeyword{u"Taxe de séjour", u"outils.html#taxe-sejour"},
    HelpKeyword{u"Traitement de texte", u"outils.html#utilitaires"},
    HelpKeyword{u"Messages", u"outils.html#utilitaires"},
    HelpKeyword{u"Bloc-notes", u"outils.html#utilitaires"},
    HelpKeyword{u"Calculatrice", u"outils.html#utilitaires"},
    HelpKeyword{u"Calendrier", u"outils.html#utilitaires"},
    HelpKeyword{u"Horloge", u"outils.html#utilitaires"},
    HelpKeyword{u"Conversion euro", u"outils.html#utilitaires"},
    HelpKeyword{u"Devises", u"outils.html#utilitaires"},
    HelpKeyword{u"Départements", u"outils.html#utilitaires"},
    // Settings
    HelpKeyword{u"Paramètres", u"parametres.html"},
    HelpKeyword{u"Société", u"parametres.html#societe"},
    HelpKeyword{u"En-tête des documents", u"parametres.html#societe"},
    HelpKeyword{u"Catégories de chambres", u"parametres.html#listes"},
    HelpKeyword{u"Familles d'articles", u"parametres.html#listes"},
    HelpKeyword{u"Familles de fournisseurs", u"parametres.html#listes"},
    HelpKeyword{u"Paramètres de la facture", u"parametres.html#facture"},
    HelpKeyword{u"Modes de paiement", u"parametres.html#facture"},
    HelpKeyword{u"Décimales", u"parametres.html#facture"},
    HelpKeyword{u"Devise des factures", u"parametres.html#facture"},
    HelpKeyword{u"Taux de TVA", u"parametres.html#facture"},
    HelpKeyword{u"Carvelle.ini", u"parametres.html#fichiers"},
    // Keys and help
    HelpKeyword{u"Raccourcis clavier", u"raccourcis.html"},
    HelpKeyword{u"F2", u"raccourcis.html"},
    HelpKeyword{u"Page suivante (Pg suiv.)", u"raccourcis.html"},
    HelpKeyword{u"Page précédente (Pg préc.)", u"raccourcis.html"},
    HelpKeyword{u"Ctrl+Début, Ctrl+Fin", u"raccourcis.html"},
    HelpKeyword{u"Aide", u"utiliser-aide.html"},
    HelpKeyword{u"Rechercher dans l'aide", u"utiliser-aide.html#recherche"},
};

// In PageId order: planning, clients, rooms, invoices, main courante,
// articles, suppliers, orders.
constexpr std::array<QStringView, 8> kPageTopics = {
    u"planning.html",          u"clients.html",         u"chambres.html",
    u"factures.html",          u"main-courante.html",   u"achats.html#articles",
    u"achats.html#fournisseurs", u"achats.html#commandes"};

constexpr std::array kWindowTopics = {
    HelpKeyword{u"TArrive", u"chambres.html#arrivee"},
    HelpKeyword{u"TDepart", u"chambres.html#depart"},
    HelpKeyword{u"TReserv", u"chambres.html#reservation"},
    HelpKeyword{u"TFermer", u"chambres.html#fermeture"},
    HelpKeyword{u"TTransfert", u"chambres.html#transfert"},
    HelpKeyword{u"TChambre", u"chambres.html#libres"},
    HelpKeyword{u"TJournee", u"chambres.html#journee"},
    HelpKeyword{u"TListeCh", u"chambres.html#fiche"},
    HelpKeyword{u"TRChb", u"chambres.html#fiche"},
    HelpKeyword{u"TFListe", u"clients.html#recherche"},
    HelpKeyword{u"TListeCli", u"clients.html#recherche"},
    HelpKeyword{u"TRechCli", u"clients.html#recherche"},
    HelpKeyword{u"TRechNom", u"clients.html#recherche"},
    HelpKeyword{u"TRechNum", u"clients.html#recherche"},
    HelpKeyword{u"TRechTel", u"clients.html#recherche"},
    HelpKeyword{u"TTri", u"clients.html#recherche"},
    HelpKeyword{u"TMPage", u"clients.html#imprimer"},
    HelpKeyword{u"TFListeFactures", u"factures.html#liste"},
    HelpKeyword{u"Factur-X", u"factures.html#facturx"},
    HelpKeyword{u"Facture électronique", u"factures.html#facturx"},
    HelpKeyword{u"TParF", u"parametres.html#facture"},
    HelpKeyword{u"TPsoc", u"parametres.html#societe"},
    HelpKeyword{u"TListe", u"parametres.html#listes"},
    HelpKeyword{u"TArticle", u"achats.html#articles"},
    HelpKeyword{u"TRArt", u"achats.html#articles"},
    HelpKeyword{u"TListeFour", u"achats.html#fournisseurs"},
    HelpKeyword{u"TFour", u"achats.html#fournisseurs"},
    HelpKeyword{u"TCmdListe", u"achats.html#commandes"},
    HelpKeyword{u"TStats", u"outils.html#statistiques"},
    HelpKeyword{u"TGraph", u"outils.html#statistiques"},
    HelpKeyword{u"TJournal", u"outils.html#journal"},
    HelpKeyword{u"TCompte", u"outils.html#journal"},
    HelpKeyword{u"TTaxeSejour", u"outils.html#taxe-sejour"},
    HelpKeyword{u"TTexte", u"outils.html#utilitaires"},
    HelpKeyword{u"TFicheMsg", u"outils.html#utilitaires"},
    HelpKeyword{u"TBlocnotes", u"outils.html#utilitaires"},
    HelpKeyword{u"TPocket", u"outils.html#utilitaires"},
    HelpKeyword{u"TCalendrier", u"outils.html#utilitaires"},
    HelpKeyword{u"THorloge", u"outils.html#utilitaires"},
    HelpKeyword{u"TEurof", u"outils.html#utilitaires"},
    HelpKeyword{u"TDevisef", u"outils.html#utilitaires"},
    HelpKeyword{u"TDepartmnt", u"outils.html#utilitaires"},
    HelpKeyword{u"TAPropos", u"sommaire.html"},
};

} // namespace

QStringView pageTopic(int page)
{
    return page >= 0 && page < int(kPageTopics.size()) ? kPageTopics[std::size_t(page)] : kContentsPage;
}

QStringView windowTopic(QStringView className)
{
    for (const HelpKeyword &entry : kWindowTopics)
        if (entry.keyword == className)
            return entry.target;
    return {};
}

std::span<const HelpChapter> chapters()
{
    return kChapters;
}

std::span<const HelpKeyword> keywords()
{
    return kKeywords;
}

} // namespace help
