// The price list (articles) and the suppliers who deliver its goods.

#include "hotel.h"
#include "names.h"

#include <QSet>

#include <cmath>

namespace {

struct Item
{
    const char16_t *family;
    const char16_t *designation;
    double price;
    int vat;
    const char16_t *supplierFamily; // nullptr: made or served in the house
    double cost;                    // purchase price without tax
    int pack;
    int purchaseVat;
};

constexpr const char16_t *kWine = u"Vins et spiritueux";
constexpr const char16_t *kDrinks = u"Boissons";
constexpr const char16_t *kFood = u"Alimentation";
constexpr const char16_t *kBakery = u"Boulangerie";
constexpr const char16_t *kHygiene = u"Hygiène";
constexpr const char16_t *kCleaning = u"Produits d'entretien";
constexpr const char16_t *kLinen = u"Linge et literie";
constexpr const char16_t *kSupplies = u"Fournitures";

// The first sixty make the demo hotel's price list; the big hotel has them
// all, then its wine list.
const Item kItems[] = {
    {u"Hébergement", u"Nuitée chambre simple", 69, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Nuitée chambre double", 89, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Nuitée chambre twin", 92, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Nuitée chambre triple", 115, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Nuitée chambre familiale", 135, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Nuitée suite", 180, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Lit supplémentaire", 20, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Lit bébé", 8, 1, nullptr, 0, 1, 0},
    {u"Petit déjeuner", u"Petit déjeuner buffet", 12.5, 1, nullptr, 0, 1, 0},
    {u"Petit déjeuner", u"Petit déjeuner enfant", 6.5, 1, nullptr, 0, 1, 0},
    {u"Petit déjeuner", u"Petit déjeuner en chambre", 15, 1, nullptr, 0, 1, 0},
    {u"Taxes", u"Taxe de séjour", 1.1, 1, nullptr, 0, 1, 0},
    {u"Services", u"Parking", 12, 2, nullptr, 0, 1, 0},
    {u"Services", u"Téléphone (unité)", 0.5, 2, nullptr, 0, 1, 0},
    {u"Services", u"Pressing chemise", 6, 2, nullptr, 0, 1, 0},
    {u"Services", u"Animal de compagnie", 10, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Café expresso", 2.5, 1, nullptr, 0, 1, 0},
    {u"Bar", u"Thé ou infusion", 3, 1, nullptr, 0, 1, 0},
    {u"Bar", u"Chocolat chaud", 3.5, 1, nullptr, 0, 1, 0},
    {u"Bar", u"Jus d'orange pressé", 4.5, 1, nullptr, 0, 1, 0},
    {u"Bar", u"Coca-Cola 33 cl", 3.8, 1, kDrinks, 0.62, 24, 3},
    {u"Bar", u"Eau minérale 50 cl", 2.8, 1, kDrinks, 0.35, 24, 3},
    {u"Bar", u"Bière blonde 33 cl", 5, 2, kDrinks, 0.95, 24, 2},
    {u"Bar", u"Kir vin blanc", 4.5, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Pastis 2 cl", 3.5, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Whisky 4 cl", 8, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Coupe de champagne", 9, 2, nullptr, 0, 1, 0},
    {u"Restaurant", u"Menu du jour", 19.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Menu gourmand", 34, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Menu enfant", 11, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Plat du jour", 14.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Assiette de fromages", 7.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Dessert du jour", 6.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Panier pique-nique", 13, 1, nullptr, 0, 1, 0},
    {u"Minibar", u"Minibar eau 50 cl", 3, 1, kDrinks, 0.35, 24, 3},
    {u"Minibar", u"Minibar soda 33 cl", 3.5, 1, kDrinks, 0.6, 24, 3},
    {u"Minibar", u"Minibar bière 33 cl", 4.5, 2, kDrinks, 0.95, 24, 2},
    {u"Minibar", u"Minibar chips 45 g", 2.5, 1, kFood, 0.55, 20, 3},
    {u"Minibar", u"Minibar barre chocolatée", 2.5, 1, kFood, 0.48, 36, 3},
    {u"Vins", u"Bordeaux rouge AOC 75 cl", 24, 2, kWine, 7.5, 6, 2},
    {u"Vins", u"Côtes du Rhône rouge 75 cl", 19, 2, kWine, 5.2, 6, 2},
    {u"Vins", u"Muscadet sur lie 75 cl", 18, 2, kWine, 4.9, 6, 2},
    {u"Vins", u"Chablis 75 cl", 32, 2, kWine, 11.4, 6, 2},
    {u"Vins", u"Champagne brut 75 cl", 55, 2, kWine, 19.8, 6, 2},
    {u"Vins", u"Vin de pays en pichet 50 cl", 12, 2, kWine, 2.1, 12, 2},
    {u"Hygiène", u"Savonnette 20 g", 0.18, 2, kHygiene, 0.18, 500, 2},
    {u"Hygiène", u"Gel douche 30 ml", 0.35, 2, kHygiene, 0.35, 300, 2},
    {u"Hygiène", u"Shampooing 30 ml", 0.35, 2, kHygiene, 0.35, 300, 2},
    {u"Hygiène", u"Papier toilette (colis de 96)", 42, 2, kHygiene, 42, 1, 2},
    {u"Entretien", u"Détergent sols 5 l", 14.5, 2, kCleaning, 14.5, 4, 2},
    {u"Entretien", u"Produit vaisselle 5 l", 11, 2, kCleaning, 11, 4, 2},
    {u"Entretien", u"Sacs poubelle 100 l (rouleau de 25)", 6.8, 2, kCleaning, 6.8, 10, 2},
    {u"Linge", u"Drap 240 x 300 blanc", 18.5, 2, kLinen, 18.5, 10, 2},
    {u"Linge", u"Serviette de bain 70 x 140", 9.8, 2, kLinen, 9.8, 12, 2},
    {u"Linge", u"Taie d'oreiller 65 x 65", 3.9, 2, kLinen, 3.9, 20, 2},
    {u"Épicerie", u"Café en grains 1 kg", 16.5, 3, kFood, 16.5, 6, 3},
    {u"Épicerie", u"Confiture portion 30 g (carton de 100)", 21, 3, kFood, 21, 1, 3},
    {u"Épicerie", u"Beurre doux 10 g (carton de 100)", 14, 3, kFood, 14, 1, 3},
    {u"Boulangerie", u"Croissant au beurre", 1.1, 3, kBakery, 0.62, 40, 3},
    {u"Boulangerie", u"Baguette tradition", 1.1, 3, kBakery, 0.85, 20, 3},
    // the rest of the big hotel's list
    {u"Hébergement", u"Demi-pension (supplément)", 28, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Pension complète (supplément)", 48, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Forfait week-end gourmand", 245, 1, nullptr, 0, 1, 0},
    {u"Hébergement", u"Départ tardif", 25, 1, nullptr, 0, 1, 0},
    {u"Services", u"Garage fermé", 15, 2, nullptr, 0, 1, 0},
    {u"Services", u"Blanchisserie (sac)", 18, 2, nullptr, 0, 1, 0},
    {u"Services", u"Location de vélo (journée)", 16, 2, nullptr, 0, 1, 0},
    {u"Services", u"Navette gare", 9, 1, nullptr, 0, 1, 0},
    {u"Services", u"Photocopie", 0.2, 2, nullptr, 0, 1, 0},
    {u"Services", u"Location salle de réunion (demi-journée)", 180, 2, nullptr, 0, 1, 0},
    {u"Services", u"Vidéoprojecteur", 45, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Café crème", 3.2, 1, nullptr, 0, 1, 0},
    {u"Bar", u"Cappuccino", 4, 1, nullptr, 0, 1, 0},
    {u"Bar", u"Orangina 25 cl", 3.8, 1, kDrinks, 0.58, 24, 3},
    {u"Bar", u"Schweppes tonic 25 cl", 3.8, 1, kDrinks, 0.6, 24, 3},
    {u"Bar", u"Perrier 33 cl", 3.5, 1, kDrinks, 0.52, 24, 3},
    {u"Bar", u"Limonade artisanale 33 cl", 4, 1, kDrinks, 0.9, 12, 3},
    {u"Bar", u"Bière ambrée 33 cl", 5.5, 2, kDrinks, 1.15, 24, 2},
    {u"Bar", u"Bière sans alcool 33 cl", 4.5, 1, kDrinks, 0.85, 24, 3},
    {u"Bar", u"Cidre brut 33 cl", 4.5, 2, kDrinks, 0.95, 24, 2},
    {u"Bar", u"Cognac 4 cl", 9, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Calvados 4 cl", 7, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Cocktail maison", 10, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Verre de vin rouge 12 cl", 5, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Verre de vin blanc 12 cl", 5, 2, nullptr, 0, 1, 0},
    {u"Bar", u"Planche mixte charcuterie fromage", 16, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Soupe à l'oignon gratinée", 8.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Terrine de campagne maison", 9, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Salade de chèvre chaud", 11, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Œufs en meurette", 10.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Bœuf bourguignon", 18.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Filet de truite aux amandes", 17, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Magret de canard au miel", 21, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Entrecôte grillée, frites maison", 22, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Blanquette de veau à l'ancienne", 19, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Risotto aux cèpes", 16.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Crème brûlée", 7, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Tarte Tatin, crème fraîche", 7.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Mousse au chocolat", 6.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Île flottante", 6.5, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Plateau de fruits de mer", 42, 1, nullptr, 0, 1, 0},
    {u"Restaurant", u"Repas séminaire", 32, 1, nullptr, 0, 1, 0},
    {u"Minibar", u"Minibar jus de pomme 25 cl", 3.5, 1, kDrinks, 0.55, 24, 3},
    {u"Minibar", u"Minibar mignonnette whisky", 7, 2, kWine, 2.4, 12, 2},
    {u"Minibar", u"Minibar demi-bouteille champagne", 28, 2, kWine, 10.5, 6, 2},
    {u"Minibar", u"Minibar cacahuètes 50 g", 2.5, 1, kFood, 0.42, 24, 3},
    {u"Hygiène", u"Bonnet de douche (boîte de 100)", 6.5, 2, kHygiene, 6.5, 1, 2},
    {u"Hygiène", u"Nécessaire de rasage", 0.85, 2, kHygiene, 0.85, 100, 2},
    {u"Hygiène", u"Kit dentaire", 0.7, 2, kHygiene, 0.7, 100, 2},
    {u"Hygiène", u"Mouchoirs (boîte de 100)", 1.2, 2, kHygiene, 1.2, 36, 2},
    {u"Entretien", u"Nettoyant sanitaires 1 l", 4.2, 2, kCleaning, 4.2, 12, 2},
    {u"Entretien", u"Lessive liquide 10 l", 29, 2, kCleaning, 29, 2, 2},
    {u"Entretien", u"Lavettes microfibre (lot de 10)", 12, 2, kCleaning, 12, 5, 2},
    {u"Entretien", u"Désinfectant surfaces 750 ml", 5.6, 2, kCleaning, 5.6, 12, 2},
    {u"Linge", u"Housse de couette 240 x 220", 34, 2, kLinen, 34, 5, 2},
    {u"Linge", u"Oreiller synthétique 60 x 60", 14.5, 2, kLinen, 14.5, 10, 2},
    {u"Linge", u"Peignoir éponge", 24, 2, kLinen, 24, 6, 2},
    {u"Linge", u"Tapis de bain", 7.2, 2, kLinen, 7.2, 10, 2},
    {u"Linge", u"Nappe blanche 180 x 180", 16, 2, kLinen, 16, 10, 2},
    {u"Épicerie", u"Thé assortiment (boîte de 100)", 18, 3, kFood, 18, 4, 3},
    {u"Épicerie", u"Sucre en morceaux 1 kg", 1.9, 3, kFood, 1.9, 10, 3},
    {u"Épicerie", u"Miel de fleurs portion (carton de 100)", 24, 3, kFood, 24, 1, 3},
    {u"Épicerie", u"Jus d'orange 1 l", 2.3, 3, kFood, 2.3, 12, 3},
    {u"Épicerie", u"Lait demi-écrémé 1 l", 1.05, 3, kFood, 1.05, 12, 3},
    {u"Épicerie", u"Céréales 500 g", 3.4, 3, kFood, 3.4, 8, 3},
    {u"Épicerie", u"Yaourt nature (lot de 12)", 4.8, 3, kFood, 4.8, 6, 3},
    {u"Épicerie", u"Huile d'olive vierge extra 1 l", 9.5, 3, kFood, 9.5, 6, 3},
    {u"Épicerie", u"Farine T55 (sac de 25 kg)", 17, 3, kFood, 17, 1, 3},
    {u"Boulangerie", u"Pain au chocolat", 1.25, 3, kBakery, 0.7, 40, 3},
    {u"Boulangerie", u"Pain de campagne 800 g", 4.2, 3, kBakery, 3.1, 5, 3},
    {u"Boulangerie", u"Brioche tranchée", 3.9, 3, kBakery, 2.6, 6, 3},
    {u"Boutique", u"Carte postale", 1, 2, kSupplies, 0.3, 100, 2},
    {u"Boutique", u"Parapluie de l'hôtel", 12, 2, kSupplies, 5.5, 10, 2},
    {u"Boutique", u"Guide de la région", 14.9, 3, kSupplies, 9.8, 5, 3},
    {u"Boutique", u"Pot de confiture artisanale", 6.5, 3, kFood, 3.2, 12, 3},
    {u"Fournitures", u"Ramette papier A4", 4.9, 2, kSupplies, 4.9, 5, 2},
    {u"Fournitures", u"Rouleau de caisse (lot de 10)", 8, 2, kSupplies, 8, 5, 2},
    {u"Fournitures", u"Enveloppes à fenêtre (boîte de 500)", 21, 2, kSupplies, 21, 1, 2},
    {u"Fournitures", u"Ampoule LED E27", 4.5, 2, kSupplies, 4.5, 10, 2},
};

struct Appellation
{
    const char16_t *name;
    const char16_t *colour;
    const char16_t *region;
    double price; // a recent bottle of 75 cl
};

const Appellation kAppellations[] = {
    {u"Saint-Émilion grand cru", u"rouge", u"Bordeaux", 48},
    {u"Pauillac", u"rouge", u"Bordeaux", 65},
    {u"Margaux", u"rouge", u"Bordeaux", 62},
    {u"Pessac-Léognan", u"blanc", u"Bordeaux", 46},
    {u"Graves", u"rouge", u"Bordeaux", 29},
    {u"Sauternes", u"blanc liquoreux", u"Bordeaux", 52},
    {u"Médoc", u"rouge", u"Bordeaux", 27},
    {u"Pomerol", u"rouge", u"Bordeaux", 78},
    {u"Gevrey-Chambertin", u"rouge", u"Bourgogne", 68},
    {u"Pommard", u"rouge", u"Bourgogne", 64},
    {u"Meursault", u"blanc", u"Bourgogne", 66},
    {u"Chablis premier cru", u"blanc", u"Bourgogne", 42},
    {u"Mâcon-Villages", u"blanc", u"Bourgogne", 22},
    {u"Mercurey", u"rouge", u"Bourgogne", 34},
    {u"Côte de Nuits-Villages", u"rouge", u"Bourgogne", 38},
    {u"Morgon", u"rouge", u"Beaujolais", 21},
    {u"Fleurie", u"rouge", u"Beaujolais", 23},
    {u"Châteauneuf-du-Pape", u"rouge", u"Vallée du Rhône", 49},
    {u"Gigondas", u"rouge", u"Vallée du Rhône", 36},
    {u"Crozes-Hermitage", u"rouge", u"Vallée du Rhône", 28},
    {u"Condrieu", u"blanc", u"Vallée du Rhône", 58},
    {u"Côte-Rôtie", u"rouge", u"Vallée du Rhône", 72},
    {u"Vacqueyras", u"rouge", u"Vallée du Rhône", 27},
    {u"Sancerre", u"blanc", u"Val de Loire", 31},
    {u"Pouilly-Fumé", u"blanc", u"Val de Loire", 33},
    {u"Vouvray", u"blanc moelleux", u"Val de Loire", 24},
    {u"Chinon", u"rouge", u"Val de Loire", 21},
    {u"Saumur-Champigny", u"rouge", u"Val de Loire", 22},
    {u"Savennières", u"blanc", u"Val de Loire", 30},
    {u"Riesling grand cru", u"blanc", u"Alsace", 32},
    {u"Gewurztraminer", u"blanc", u"Alsace", 24},
    {u"Pinot gris", u"blanc", u"Alsace", 22},
    {u"Cahors", u"rouge", u"Sud-Ouest", 22},
    {u"Madiran", u"rouge", u"Sud-Ouest", 24},
    {u"Jurançon", u"blanc moelleux", u"Sud-Ouest", 26},
    {u"Bandol", u"rouge", u"Provence", 39},
    {u"Côtes de Provence", u"rosé", u"Provence", 19},
    {u"Pic Saint-Loup", u"rouge", u"Languedoc", 23},
    {u"Vin jaune", u"blanc", u"Jura", 56},
    {u"Champagne millésimé", u"brut", u"Champagne", 69},
};

struct Format
{
    const char16_t *name;
    double factor;
    int pack;
};

const Format kFormats[] = {{u"75 cl", 1.0, 6}, {u"37,5 cl", 0.55, 12}, {u"magnum 150 cl", 2.2, 3}};

double roundHalf(double v)
{
    return std::round(v * 2) / 2;
}

} // namespace

void buildSuppliers(Hotel &h, int count, uint64_t seed)
{
    Rng rng(seed);
    struct Kind
    {
        const char16_t *family;
        int weight;
        std::vector<QString> forms; // "%1" is a surname, "%2" a town
    };
    const std::vector<Kind> kinds = {
        {kWine,
         34,
         {QStringLiteral("Caves %1"), QStringLiteral("Maison %1 et Fils"),
          QStringLiteral("Les Vins de %2"), QStringLiteral("Domaines %1"),
          QStringLiteral("Cellier %1"), QStringLiteral("Négoce %1 Grands Vins")}},
        {kDrinks,
         12,
         {QStringLiteral("Distribution %1 Boissons"), QStringLiteral("Comptoir des Boissons de %2"),
          QStringLiteral("Brasserie %1"), QStringLiteral("Sources et Boissons %1")}},
        {kFood,
         15,
         {QStringLiteral("Épicerie en gros %1"), QStringLiteral("Saveurs de %2"),
          QStringLiteral("Primeurs %1"), QStringLiteral("Crèmerie %1"),
          QStringLiteral("Halles de %2")}},
        {kBakery,
         6,
         {QStringLiteral("Boulangerie %1"), QStringLiteral("Au Fournil de %2"),
          QStringLiteral("Pâtisserie %1")}},
        {kHygiene,
         8,
         {QStringLiteral("Accueil Hôtelier %1"), QStringLiteral("Hygiène Service %2"),
          QStringLiteral("Produits d'accueil %1")}},
        {kCleaning,
         8,
         {QStringLiteral("Propreté %1"), QStringLiteral("Net Service %2"),
          QStringLiteral("Droguerie %1")}},
        {kLinen,
         6,
         {QStringLiteral("Blanchisserie de %2"), QStringLiteral("Linge %1"),
          QStringLiteral("Textiles %1 et Cie")}},
        {kSupplies,
         6,
         {QStringLiteral("Papeterie %1"), QStringLiteral("Bureau Plus %2"),
          QStringLiteral("Quincaillerie %1")}},
        {u"Maintenance",
         5,
         {QStringLiteral("Plomberie %1"), QStringLiteral("Électricité %1"),
          QStringLiteral("Ascenseurs de %2"), QStringLiteral("Chauffage %1")}},
    };
    const QStringList legal = {QString(), QString(), QStringLiteral("SARL "),
                               QStringLiteral("SAS "), QStringLiteral("Ets ")};
    int total = 0;
    for (const Kind &k : kinds)
        total += k.weight;
    QSet<QString> taken;
    const auto &towns = words::frenchTowns();
    for (int i = 0; i < count; ++i) {
        // The first ones give every kind at least one supplier.
        const Kind *kind = nullptr;
        if (i < int(kinds.size())) {
            kind = &kinds[size_t(i)];
        } else {
            int w = rng.below(total);
            for (const Kind &k : kinds) {
                if ((w -= k.weight) < 0) {
                    kind = &k;
                    break;
                }
            }
        }
        Supplier s;
        s.family = QString::fromUtf16(kind->family);
        const Town &town = rng.pick(towns);
        const QString surname = rng.pick(words::surnames());
        QString name =
            legal[rng.below(int(legal.size()))] + QString(rng.pick(kind->forms))
                                                      .replace(QLatin1String("%1"), surname)
                                                      .replace(QLatin1String("%2"), town.name);
        if (taken.contains(name))
            name += QStringLiteral(" ") + town.name;
        for (int n = 2; taken.contains(name); ++n)
            name = name.section(QLatin1Char(' '), 0, -2) + QStringLiteral(" %1").arg(n);
        taken.insert(name);
        s.name = name;
        const int number = rng.between(1, 180);
        s.address1 =
            rng.chance(0.3)
                ? QStringLiteral("ZA %1, lot %2").arg(rng.pick(words::streets())).arg(number)
                : QStringLiteral("%1 %2 %3")
                      .arg(number)
                      .arg(rng.pick(words::streetKinds()), rng.pick(words::streets()));
        s.address2 =
            rng.chance(0.25) ? QStringLiteral("BP %1").arg(rng.between(10, 990)) : QString();
        s.postcode = town.postcode;
        s.town = town.name;
        s.country = town.country;
        s.phone = words::phoneNumber(rng, town, false);
        s.fax = rng.chance(0.6) ? words::phoneNumber(rng, town, false) : QString();
        // The web name: the trade name without its legal form, words joined by '-'.
        QString trade = name;
        for (const QString &form : legal)
            if (!form.isEmpty() && trade.startsWith(form))
                trade = trade.mid(form.size());
        const QString slug = words::asciiSlug(trade.replace(QLatin1Char(' '), QLatin1Char('-')));
        s.email = QStringLiteral("contact@%1.fr").arg(slug);
        s.web = rng.chance(0.7) ? QStringLiteral("www.%1.fr").arg(slug) : QString();
        s.bank = rng.pick(words::banks());
        s.bankCode = QStringLiteral("%1").arg(rng.between(10000, 30099));
        s.branchCode = QStringLiteral("%1").arg(rng.below(100000), 5, 10, QLatin1Char('0'));
        s.account = QStringLiteral("%1%2")
                        .arg(rng.below(1000000), 6, 10, QLatin1Char('0'))
                        .arg(rng.below(100000), 5, 10, QLatin1Char('0'));
        s.key = QStringLiteral("%1").arg(rng.below(98), 2, 10, QLatin1Char('0'));
        s.representative = rng.chance(0.6) ? rng.pick(words::firstNames()) + QLatin1Char(' ') +
                                                 rng.pick(words::surnames())
                                           : QString();
        s.creditLimit = QString::number(rng.between(1, 20) * 500);
        static const QStringList risks = {QStringLiteral("Aucun"), QStringLiteral("Aucun"),
                                          QStringLiteral("Faible"), QStringLiteral("Moyen"),
                                          QStringLiteral("Elevé")};
        s.risk = risks[rng.below(int(risks.size()))];
        s.ledger = rng.chance(0.6) ? QStringLiteral("607000")
                                   : QStringLiteral("401%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
        if (rng.chance(0.3)) {
            static const QStringList notes = {
                QStringLiteral("Livraison le mardi et le vendredi matin."),
                QStringLiteral("Franco de port à partir de 300 €."),
                QStringLiteral("Demander %1 pour les commandes urgentes."),
                QStringLiteral("Remise de 5 % au-delà de 50 colis."),
                QStringLiteral("Fermé en août."),
            };
            s.notes << QString(notes[rng.below(int(notes.size()))])
                           .replace(QLatin1String("%1"), s.representative.isEmpty()
                                                             ? QStringLiteral("le standard")
                                                             : s.representative);
        }
        h.suppliers.push_back(std::move(s));
    }
}

void buildArticles(Hotel &h, int count, uint64_t seed)
{
    Rng rng(seed);
    auto add = [&h](Article a) {
        h.articles.push_back(std::move(a));
        return int(h.articles.size()) - 1;
    };
    const int core = int(std::size(kItems));
    for (int i = 0; i < core && int(h.articles.size()) < count; ++i) {
        const Item &it = kItems[i];
        Article a;
        a.family = QString::fromUtf16(it.family);
        a.designation = QString::fromUtf16(it.designation);
        a.price = it.price;
        a.vat = it.vat;
        a.purchaseVat = it.purchaseVat;
        a.cost = it.cost;
        a.packSize = it.pack;
        if (it.supplierFamily)
            a.supplierFamily = QString::fromUtf16(it.supplierFamily);
        if (a.family == QLatin1String("Taxes"))
            a.account = QStringLiteral("467000");
        else if (a.family == QStringView(u"Hébergement") ||
                 a.family == QStringView(u"Petit déjeuner") ||
                 a.family == QLatin1String("Services"))
            a.account = QStringLiteral("706000");
        else
            a.account = QStringLiteral("707000");
        if (a.family == QLatin1String("Taxes"))
            a.description << QStringLiteral("Par personne et par nuit, enfants exonérés.");
        else if (a.family == QLatin1String("Restaurant") && rng.chance(0.5))
            a.description << QStringLiteral("Fait maison.");
        if (a.purchaseVat && rng.chance(0.3))
            a.observations << QStringLiteral("Stock minimum : %1").arg(a.packSize * 2);
        add(std::move(a));
    }
    // The wine list: appellation, vintage, bottle size. Reds are kept longer
    // than whites, rosé is drunk young.
    const int year = QDate::fromJulianDay(h.today).year();
    for (int k = 0; int(h.articles.size()) < count && k < 75; ++k) {
        for (const Appellation &app : kAppellations) {
            const QString colour = QString::fromUtf16(app.colour);
            const bool red = colour == QLatin1String("rouge");
            const int span = red ? 25 : colour == QStringView(u"rosé") ? 4 : 12;
            if (k >= 3 * span || int(h.articles.size()) >= count)
                continue;
            const int vintage = year - (red ? 2 : 1) - k % span;
            const Format &f = kFormats[k / span];
            Article a;
            a.family = QStringLiteral("Vins");
            a.designation = QStringLiteral("%1 %2 %3 %4")
                                .arg(QString::fromUtf16(app.name), colour)
                                .arg(vintage)
                                .arg(QString::fromUtf16(f.name));
            a.price = roundHalf(app.price * (1 + 0.04 * (year - vintage)) * f.factor);
            a.vat = 2;
            a.purchaseVat = 2;
            a.cost = std::round(a.price * (30 + rng.below(12))) / 100;
            a.packSize = f.pack;
            a.since = int(QDate(vintage + (red ? 2 : 1), 1, 1).toJulianDay());
            a.account = QStringLiteral("707000");
            a.supplierFamily = QString::fromUtf16(kWine);
            a.description << QStringLiteral("%1, %2, millésime %3.")
                                 .arg(QString::fromUtf16(app.region), colour)
                                 .arg(vintage);
            if (rng.chance(0.4))
                a.description << (red ? QStringLiteral("Servir à 16-18 °C, carafer 1 heure.")
                                      : QStringLiteral("Servir frais, entre 8 et 10 °C."));
            if (rng.chance(0.15))
                a.observations << QStringLiteral("Derniers cartons : ne plus commander.");
            add(std::move(a));
        }
    }
    // Each article that is bought comes from one supplier of its kind.
    for (int i = 0; i < int(h.articles.size()); ++i) {
        Article &a = h.articles[size_t(i)];
        if (a.supplierFamily.isEmpty())
            continue;
        std::vector<int> candidates;
        for (int s = 0; s < int(h.suppliers.size()); ++s)
            if (h.suppliers[size_t(s)].family == a.supplierFamily)
                candidates.push_back(s);
        if (candidates.empty())
            continue;
        a.supplier = rng.pick(candidates);
        h.suppliers[size_t(a.supplier)].articles.push_back(i);
    }
    // What guests order besides their room and breakfast.
    for (int i = 0; i < int(h.articles.size()); ++i) {
        const QString &f = h.articles[size_t(i)].family;
        const QString &d = h.articles[size_t(i)].designation;
        if (d == QStringView(u"Petit déjeuner buffet"))
            h.breakfastArticle = i;
        else if (d == QStringView(u"Petit déjeuner enfant"))
            h.childBreakfastArticle = i;
        else if (f == QLatin1String("Taxes"))
            h.taxArticle = i;
        else if (f == QLatin1String("Bar") || f == QLatin1String("Restaurant") ||
                 f == QLatin1String("Minibar") || f == QLatin1String("Services") ||
                 (f == QLatin1String("Vins") && i < core))
            h.extraArticles.push_back(i);
    }
}
