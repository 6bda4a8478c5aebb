#include "names.h"

#include <QHash>
#include <QStringList>

namespace words {
namespace {

std::vector<QString> list(std::initializer_list<const char16_t *> items)
{
    std::vector<QString> out;
    out.reserve(items.size());
    for (const char16_t *s : items)
        out.push_back(QString::fromUtf16(s));
    return out;
}

// Landline prefix of a French département.
QString areaOfDepartment(int d)
{
    static const QList<int> paris = {75, 77, 78, 91, 92, 93, 94, 95};
    static const QList<int> northWest = {14, 18, 22, 27, 28, 29, 35, 36, 37, 41,
                                         44, 45, 49, 50, 53, 56, 61, 72, 76, 85};
    static const QList<int> northEast = {2,  8,  10, 21, 25, 39, 51, 52, 54, 55, 57, 58,
                                         59, 60, 62, 67, 68, 70, 71, 80, 88, 89, 90};
    static const QList<int> southWest = {9,  12, 16, 17, 19, 23, 24, 31, 32, 33,
                                         40, 46, 47, 64, 65, 79, 81, 82, 86, 87};
    if (paris.contains(d))
        return QStringLiteral("01");
    if (northWest.contains(d))
        return QStringLiteral("02");
    if (northEast.contains(d))
        return QStringLiteral("03");
    if (southWest.contains(d))
        return QStringLiteral("05");
    return QStringLiteral("04");
}

} // namespace

const std::vector<QString> &surnames()
{
    static const auto v = list({
        u"Martin",    u"Bernard",   u"Thomas",     u"Petit",       u"Robert",     u"Richard",
        u"Durand",    u"Dubois",    u"Moreau",     u"Laurent",     u"Simon",      u"Michel",
        u"Lefèvre",   u"Leroy",     u"Roux",       u"David",       u"Bertrand",   u"Morel",
        u"Fournier",  u"Girard",    u"Bonnet",     u"Dupont",      u"Lambert",    u"Fontaine",
        u"Rousseau",  u"Vincent",   u"Muller",     u"Lefebvre",    u"Faure",      u"André",
        u"Mercier",   u"Blanc",     u"Guérin",     u"Boyer",       u"Garnier",    u"Chevalier",
        u"François",  u"Legrand",   u"Gauthier",   u"Garcia",      u"Perrin",     u"Robin",
        u"Clément",   u"Morin",     u"Nicolas",    u"Henry",       u"Roussel",    u"Mathieu",
        u"Gautier",   u"Masson",    u"Marchand",   u"Duval",       u"Denis",      u"Dumont",
        u"Marie",     u"Lemaire",   u"Noël",       u"Meyer",       u"Dufour",     u"Meunier",
        u"Brun",      u"Blanchard", u"Giraud",     u"Joly",        u"Rivière",    u"Lucas",
        u"Brunet",    u"Gaillard",  u"Barbier",    u"Arnaud",      u"Martinez",   u"Gérard",
        u"Roche",     u"Renard",    u"Schmitt",    u"Roy",         u"Leroux",     u"Colin",
        u"Vidal",     u"Caron",     u"Picard",     u"Roger",       u"Fabre",      u"Aubert",
        u"Lemoine",   u"Renaud",    u"Dumas",      u"Lacroix",     u"Olivier",    u"Philippe",
        u"Bourgeois", u"Pierre",    u"Benoît",     u"Rey",         u"Leclerc",    u"Payet",
        u"Rolland",   u"Leclercq",  u"Guillaume",  u"Lecomte",     u"Lopez",      u"Jean",
        u"Dupuy",     u"Guillot",   u"Hubert",     u"Berger",      u"Carpentier", u"Sánchez",
        u"Dupuis",    u"Moulin",    u"Louis",      u"Deschamps",   u"Huet",       u"Vasseur",
        u"Perez",     u"Boucher",   u"Fleury",     u"Royer",       u"Klein",      u"Jacquet",
        u"Adam",      u"Paris",     u"Poirier",    u"Marty",       u"Aubry",      u"Guyot",
        u"Carré",     u"Charles",   u"Renault",    u"Charpentier", u"Ménard",     u"Maillard",
        u"Baron",     u"Bertin",    u"Bailly",     u"Hervé",       u"Schneider",  u"Fernandez",
        u"Le Gall",   u"Collet",    u"Léger",      u"Bouvier",     u"Julien",     u"Prévost",
        u"Millet",    u"Perrot",    u"Daniel",     u"Le Roux",     u"Cousin",     u"Germain",
        u"Breton",    u"Besson",    u"Langlois",   u"Rémy",        u"Le Goff",    u"Pelletier",
        u"Lévêque",   u"Perrier",   u"Leblanc",    u"Barré",       u"Lebrun",     u"Marchal",
        u"Weber",     u"Mallet",    u"Hamon",      u"Boulanger",   u"Jacob",      u"Monnier",
        u"Michaud",   u"Rodriguez", u"Guichard",   u"Gillet",      u"Étienne",    u"Grondin",
        u"Poulain",   u"Tessier",   u"Chevallier", u"Collin",      u"Chauvin",    u"Da Silva",
        u"Bouchet",   u"Gay",       u"Lemaître",   u"Bénard",      u"Maréchal",   u"Humbert",
        u"Reynaud",   u"Antoine",   u"Hoarau",     u"Perret",      u"Barthélemy", u"Cordier",
        u"Pichon",    u"Lejeune",   u"Gilbert",    u"Lamy",        u"Delaunay",   u"Pasquier",
        u"Carlier",   u"Laporte",   u"Brûlé",      u"d'Aubigné",   u"Ducrocq",    u"Lagarde",
    });
    return v;
}

const std::vector<QString> &firstNames()
{
    static const auto v = list({
        u"Jean",         u"Marie",       u"Pierre",        u"Michel",       u"André",
        u"Philippe",     u"Nathalie",    u"Isabelle",      u"Sylvie",       u"Catherine",
        u"Françoise",    u"Jacques",     u"Bernard",       u"Éric",         u"Christophe",
        u"Stéphane",     u"Sébastien",   u"Frédéric",      u"Hélène",       u"Valérie",
        u"Sandrine",     u"Véronique",   u"Christine",     u"Patrick",      u"Nicolas",
        u"Laurent",      u"Olivier",     u"Thierry",       u"Julien",       u"David",
        u"Céline",       u"Aurélie",     u"Émilie",        u"Julie",        u"Camille",
        u"Léa",          u"Manon",       u"Chloé",         u"Inès",         u"Zoé",
        u"Noémie",       u"Clémence",    u"Thomas",        u"Alexandre",    u"Maxime",
        u"Guillaume",    u"Jérôme",      u"Antoine",       u"François",     u"Gérard",
        u"Daniel",       u"Alain",       u"Hervé",         u"Loïc",         u"Gaëlle",
        u"Maëlle",       u"Anaïs",       u"Joël",          u"Noël",         u"Benoît",
        u"Agnès",        u"Brigitte",    u"Danièle",       u"Geneviève",    u"Josette",
        u"Monique",      u"Raphaël",     u"Mathéo",        u"Théo",         u"Lucas",
        u"Hugo",         u"Louis",       u"Élodie",        u"Mélanie",      u"Jérémy",
        u"Grégoire",     u"Régis",       u"Rémi",          u"Ségolène",     u"Bérénice",
        u"Aurélien",     u"Cédric",      u"Fabrice",       u"Pascal",       u"Didier",
        u"Yves",         u"Claude",      u"Dominique",     u"Martine",      u"Anne",
        u"Sophie",       u"Laure",       u"Claire",        u"Pauline",      u"Marion",
        u"Lucie",        u"Océane",      u"Maëva",         u"Mathilde",     u"Juliette",
        u"Margaux",      u"Héloïse",     u"Édouard",       u"Honoré",       u"Félix",
        u"Léon",         u"Gaston",      u"Émile",         u"Jean-Luc",     u"Jean-Marc",
        u"Marie-Claude", u"Anne-Sophie", u"Jean-François", u"Marie-Hélène", u"Ludovic",
        u"Arnaud",       u"Vincent",     u"Bruno",         u"Serge",
    });
    return v;
}

const std::vector<Town> &frenchTowns()
{
    static const std::vector<Town> v = [] {
        // postcode, town
        static const char16_t *const towns[][2] = {
            {u"75001", u"Paris"},
            {u"75005", u"Paris"},
            {u"75008", u"Paris"},
            {u"75011", u"Paris"},
            {u"75015", u"Paris"},
            {u"75016", u"Paris"},
            {u"75017", u"Paris"},
            {u"75020", u"Paris"},
            {u"69002", u"Lyon"},
            {u"69003", u"Lyon"},
            {u"69006", u"Lyon"},
            {u"13001", u"Marseille"},
            {u"13008", u"Marseille"},
            {u"31000", u"Toulouse"},
            {u"31400", u"Toulouse"},
            {u"06000", u"Nice"},
            {u"44000", u"Nantes"},
            {u"67000", u"Strasbourg"},
            {u"34000", u"Montpellier"},
            {u"33000", u"Bordeaux"},
            {u"59000", u"Lille"},
            {u"35000", u"Rennes"},
            {u"51100", u"Reims"},
            {u"76600", u"Le Havre"},
            {u"42000", u"Saint-Étienne"},
            {u"83000", u"Toulon"},
            {u"38000", u"Grenoble"},
            {u"21000", u"Dijon"},
            {u"49000", u"Angers"},
            {u"30000", u"Nîmes"},
            {u"63000", u"Clermont-Ferrand"},
            {u"72000", u"Le Mans"},
            {u"29200", u"Brest"},
            {u"37000", u"Tours"},
            {u"80000", u"Amiens"},
            {u"87000", u"Limoges"},
            {u"74000", u"Annecy"},
            {u"66000", u"Perpignan"},
            {u"57000", u"Metz"},
            {u"25000", u"Besançon"},
            {u"45000", u"Orléans"},
            {u"76000", u"Rouen"},
            {u"14000", u"Caen"},
            {u"54000", u"Nancy"},
            {u"68100", u"Mulhouse"},
            {u"95000", u"Cergy"},
            {u"92100", u"Boulogne-Billancourt"},
            {u"93100", u"Montreuil"},
            {u"64000", u"Pau"},
            {u"17000", u"La Rochelle"},
            {u"86000", u"Poitiers"},
            {u"84000", u"Avignon"},
            {u"62000", u"Arras"},
            {u"60000", u"Beauvais"},
            {u"10000", u"Troyes"},
            {u"18000", u"Bourges"},
            {u"41000", u"Blois"},
            {u"28000", u"Chartres"},
            {u"71100", u"Chalon-sur-Saône"},
            {u"01000", u"Bourg-en-Bresse"},
            {u"26000", u"Valence"},
            {u"73000", u"Chambéry"},
            {u"65000", u"Tarbes"},
            {u"40000", u"Mont-de-Marsan"},
            {u"47000", u"Agen"},
            {u"81000", u"Albi"},
            {u"12000", u"Rodez"},
            {u"46000", u"Cahors"},
            {u"24000", u"Périgueux"},
            {u"19100", u"Brive-la-Gaillarde"},
            {u"03100", u"Montluçon"},
            {u"58000", u"Nevers"},
            {u"89000", u"Auxerre"},
            {u"52000", u"Chaumont"},
            {u"55100", u"Verdun"},
            {u"88000", u"Épinal"},
            {u"70000", u"Vesoul"},
            {u"39000", u"Lons-le-Saunier"},
            {u"90000", u"Belfort"},
            {u"02100", u"Saint-Quentin"},
            {u"08000", u"Charleville-Mézières"},
            {u"50100", u"Cherbourg-en-Cotentin"},
            {u"22000", u"Saint-Brieuc"},
            {u"56100", u"Lorient"},
            {u"56000", u"Vannes"},
            {u"29000", u"Quimper"},
            {u"53000", u"Laval"},
            {u"61000", u"Alençon"},
            {u"27000", u"Évreux"},
            {u"85000", u"La Roche-sur-Yon"},
            {u"79000", u"Niort"},
            {u"16000", u"Angoulême"},
            {u"23000", u"Guéret"},
            {u"15000", u"Aurillac"},
            {u"43000", u"Le Puy-en-Velay"},
            {u"48000", u"Mende"},
            {u"07000", u"Privas"},
            {u"05000", u"Gap"},
            {u"04000", u"Digne-les-Bains"},
            {u"06400", u"Cannes"},
            {u"13100", u"Aix-en-Provence"},
            {u"09000", u"Foix"},
            {u"11000", u"Carcassonne"},
            {u"32000", u"Auch"},
            {u"82000", u"Montauban"},
            {u"64200", u"Biarritz"},
            {u"64100", u"Bayonne"},
            {u"33120", u"Arcachon"},
            {u"44500", u"La Baule-Escoublac"},
            {u"35400", u"Saint-Malo"},
            {u"14800", u"Deauville"},
            {u"76200", u"Dieppe"},
            {u"62100", u"Calais"},
            {u"59140", u"Dunkerque"},
            {u"68000", u"Colmar"},
            {u"74400", u"Chamonix-Mont-Blanc"},
            {u"26200", u"Montélimar"},
            {u"34500", u"Béziers"},
            {u"11100", u"Narbonne"},
            {u"69100", u"Villeurbanne"},
            {u"92200", u"Neuilly-sur-Seine"},
            {u"78000", u"Versailles"},
            {u"77300", u"Fontainebleau"},
            {u"94300", u"Vincennes"},
            {u"60200", u"Compiègne"},
            {u"37400", u"Amboise"},
            {u"49400", u"Saumur"},
            {u"24200", u"Sarlat-la-Canéda"},
            {u"12100", u"Millau"},
            {u"84100", u"Orange"},
            {u"13200", u"Arles"},
            {u"06500", u"Menton"},
            {u"83400", u"Hyères"},
            {u"71000", u"Mâcon"},
            {u"21200", u"Beaune"},
            {u"51200", u"Épernay"},
            {u"20000", u"Ajaccio"},
            {u"20200", u"Bastia"},
        };
        std::vector<Town> out;
        for (const auto &t : towns) {
            const QString code = QString::fromUtf16(t[0]);
            out.push_back({code, QString::fromUtf16(t[1]), QStringLiteral("France"),
                           areaOfDepartment(code.left(2).toInt())});
        }
        return out;
    }();
    return v;
}

const std::vector<Town> &foreignTowns()
{
    static const std::vector<Town> v = {
        {QStringLiteral("1000"), QStringLiteral("Bruxelles"), QStringLiteral("Belgique"),
         QStringLiteral("+32 2")},
        {QStringLiteral("4000"), QStringLiteral("Liège"), QStringLiteral("Belgique"),
         QStringLiteral("+32 4")},
        {QStringLiteral("5000"), QStringLiteral("Namur"), QStringLiteral("Belgique"),
         QStringLiteral("+32 81")},
        {QStringLiteral("1201"), QStringLiteral("Genève"), QStringLiteral("Suisse"),
         QStringLiteral("+41 22")},
        {QStringLiteral("1003"), QStringLiteral("Lausanne"), QStringLiteral("Suisse"),
         QStringLiteral("+41 21")},
        {QStringLiteral("1015"), QStringLiteral("Luxembourg"), QStringLiteral("Luxembourg"),
         QStringLiteral("+352")},
        {QStringLiteral("79098"), QStringLiteral("Freiburg im Breisgau"),
         QStringLiteral("Allemagne"), QStringLiteral("+49 761")},
        {QStringLiteral("50667"), QStringLiteral("Köln"), QStringLiteral("Allemagne"),
         QStringLiteral("+49 221")},
        {QStringLiteral("SW1A 2AA"), QStringLiteral("London"), QStringLiteral("Royaume-Uni"),
         QStringLiteral("+44 20")},
        {QStringLiteral("08001"), QStringLiteral("Barcelona"), QStringLiteral("Espagne"),
         QStringLiteral("+34 93")},
        {QStringLiteral("20121"), QStringLiteral("Milano"), QStringLiteral("Italie"),
         QStringLiteral("+39 02")},
        {QStringLiteral("H2X 1Y4"), QStringLiteral("Montréal"), QStringLiteral("Canada"),
         QStringLiteral("+1 514")},
    };
    return v;
}

const std::vector<QString> &streets()
{
    static const auto v = list({
        u"de la République",
        u"Victor Hugo",
        u"Jean Jaurès",
        u"de l'Église",
        u"du Général de Gaulle",
        u"Pasteur",
        u"des Lilas",
        u"de la Gare",
        u"du Moulin",
        u"des Écoles",
        u"Gambetta",
        u"Voltaire",
        u"de la Fontaine",
        u"des Châtaigniers",
        u"du Château",
        u"Émile Zola",
        u"des Acacias",
        u"de Verdun",
        u"du Maréchal Foch",
        u"Saint-Exupéry",
        u"des Tilleuls",
        u"de la Poste",
        u"Nationale",
        u"des Prés",
        u"du Stade",
        u"de Bretagne",
        u"Jules Ferry",
        u"Anatole France",
        u"de la Libération",
        u"du Port",
        u"des Peupliers",
        u"Sainte-Thérèse",
        u"du Lavoir",
        u"des Vignes",
        u"de l'Hôtel de Ville",
        u"Pierre Brossolette",
        u"des Marronniers",
        u"de la Croix Blanche",
        u"Clemenceau",
        u"des Cèdres",
    });
    return v;
}

const std::vector<QString> &streetKinds()
{
    static const auto v = list({u"rue", u"rue", u"rue", u"avenue", u"boulevard", u"place", u"allée",
                                u"chemin", u"impasse", u"quai", u"route"});
    return v;
}

const std::vector<QString> &secondAddressLines()
{
    static const auto v = list({
        u"Bâtiment B",
        u"Résidence Les Pins",
        u"Appartement 12",
        u"BP 45",
        u"Lieu-dit Le Moulin",
        u"Escalier C",
        u"Résidence du Parc",
        u"3e étage",
        u"Chez M. et Mme Roux",
        u"Hameau de Bellevue",
        u"ZA des Prés",
        u"CS 20017",
    });
    return v;
}

const std::vector<QString> &professions()
{
    static const auto v = list({
        u"Ingénieur",         u"Commercial",    u"Enseignant",  u"Médecin",
        u"Retraité",          u"Infirmière",    u"Cadre",       u"Artisan",
        u"Agriculteur",       u"Avocat",        u"Pharmacien",  u"Comptable",
        u"Étudiant",          u"Employé",       u"Architecte",  u"Représentant",
        u"Chef d'entreprise", u"Fonctionnaire", u"Journaliste", u"Kinésithérapeute",
        u"Notaire",           u"Boulanger",     u"Électricien", u"Vétérinaire",
        u"Consultant",
    });
    return v;
}

const std::vector<QString> &familySituations()
{
    static const auto v =
        list({u"Célibataire", u"Couple", u"1 enfant", u"2 enfants", u"3 enfants", u"> 3 enfants"});
    return v;
}

const std::vector<QString> &mailDomains()
{
    static const auto v =
        list({u"orange.fr", u"free.fr", u"gmail.com", u"wanadoo.fr", u"laposte.net", u"sfr.fr",
              u"yahoo.fr", u"hotmail.fr", u"outlook.fr", u"bbox.fr"});
    return v;
}

const std::vector<QString> &clientNotes()
{
    static const auto v = list({
        u"Préfère une chambre au calme, côté cour.",
        u"Allergique aux plumes : prévoir oreiller synthétique.",
        u"Client fidèle, offrir l'apéritif à l'arrivée.",
        u"Arrive souvent tard le soir (après 22 h).",
        u"Vient avec un petit chien.",
        u"Facture au nom de la société, envoyer par courrier.",
        u"Demande un lit bébé.",
        u"Régime sans gluten au petit déjeuner.",
        u"Garer la voiture au garage fermé.",
        u"Ne pas déranger avant 10 h.",
        u"Réservations par téléphone uniquement.",
        u"Ancien client de l'hôtel du Lac.",
        u"Chambre non-fumeur exigée.",
        u"Vient pour les salons professionnels.",
        u"Paie toujours par chèque.",
        u"Souhaite un réveil à 6 h 30 en semaine.",
        u"Aime la chambre 2e étage côté jardin.",
        u"Voyage souvent avec ses collègues de bureau.",
        u"Prévoir une bouteille d'eau en chambre.",
        u"Demande systématiquement une facture détaillée.",
        u"Enfants : prévoir le lit supplémentaire.",
        u"Client envoyé par l'office de tourisme.",
        u"Attention : nom souvent mal orthographié.",
        u"Vient chaque année pour la foire.",
        u"Ne mange pas de porc.",
    });
    return v;
}

const std::vector<QString> &banks()
{
    static const auto v =
        list({u"Crédit Agricole", u"BNP Paribas", u"Société Générale", u"LCL", u"Banque Populaire",
              u"Caisse d'Épargne", u"CIC", u"Crédit Mutuel", u"La Banque Postale"});
    return v;
}

QString nationalityOf(const QString &country)
{
    static const QHash<QString, QString> map = {
        {QStringLiteral("France"), QStringLiteral("Française")},
        {QStringLiteral("Belgique"), QStringLiteral("Belge")},
        {QStringLiteral("Suisse"), QStringLiteral("Suisse")},
        {QStringLiteral("Luxembourg"), QStringLiteral("Luxembourgeoise")},
        {QStringLiteral("Allemagne"), QStringLiteral("Allemande")},
        {QStringLiteral("Royaume-Uni"), QStringLiteral("Britannique")},
        {QStringLiteral("Espagne"), QStringLiteral("Espagnole")},
        {QStringLiteral("Italie"), QStringLiteral("Italienne")},
        {QStringLiteral("Canada"), QStringLiteral("Canadienne")},
    };
    return map.value(country);
}

QString asciiSlug(const QString &s)
{
    const QString d = s.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(d.size());
    for (QChar c : d) {
        const char16_t u = c.toLower().unicode();
        if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '.' || u == '-')
            out.append(QChar(u));
    }
    return out;
}

QString phoneNumber(Rng &rng, const Town &town, bool mobile)
{
    auto pairs = [&rng](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QStringLiteral(" %1").arg(rng.below(100), 2, 10, QLatin1Char('0'));
        return s;
    };
    if (town.country != QLatin1String("France"))
        return town.phoneArea + QStringLiteral(" %1").arg(rng.between(200, 899)) + pairs(2);
    if (mobile)
        return (rng.chance(0.7) ? QStringLiteral("06") : QStringLiteral("07")) + pairs(4);
    return town.phoneArea + QStringLiteral(" %1").arg(rng.between(10, 99)) + pairs(3);
}

} // namespace words
