#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The hotel the generator invents, held as plain values; tables.cpp turns it
// into the seven files. Days are Julian day numbers.

struct Options
{
    bool small = false;
    int years = 10; // of the big hotel: invoices, orders and the main courante grow with them
    uint64_t seed = 1;
    QDate today = QDate(2026, 12, 1);
};

// Client situations as the client card stores them.
enum Situation { Present = 0, Reserved = 1, Confirmed = 2, Departed = 3, Cancelled = 4 };

// VAT codes 1, 2 and 3 stand for these rates (the rates themselves live in
// the settings file, not in the file set).
inline constexpr double kVatRates[4] = {0, 10.0, 20.0, 5.5};

struct Period
{
    int first = 0;
    int last = 0;
    QString what;
};

struct Room
{
    QString number; // trimmed, e.g. "101"
    QString category;
    QString designation;
    int beds = 1;
    double price = 0;
    int floor = 0;
    QString orientation;
    bool comfort[6] = {}; // shower, WC, bath, telephone, television, internet
    QString occupant;
    Period closure; // current or coming out-of-service period; first == 0 when none
    QString reason; // line 17: the closure reason, or who reserved the room last
    QStringList notes;
    std::vector<Period> works; // past closures, kept in the room history
    int nightArticle = -1;
};

struct Stay
{
    int room = 0;
    int first = 0;
    int last = 0;
    Situation situation = Departed;
    int persons = 1;
    int client = -1;
    int invoice = -1;
    int booked = 0; // day the reservation was taken
};

struct Client
{
    QString name;
    QString address1, address2, postcode, town, country;
    QString phone, fax, email;
    int created = 0;
    QString identity;
    QString birth; // "dd/mm/yyyy" or the blank mask
    QString family, nationality, profession;
    bool returnedMail = false;
    bool marked = false;
    QStringList notes;
    int lastStay = -1;
    int lastEnd = -1; // last day of the latest stay that is not cancelled
    int stays = 0;
    std::vector<int> invoices; // validated ones, in validation order
    // A business client's identifiers (empty for a private guest).
    QString siret, vatNumber, legalName;
};

// The VAT code of what is collected for a third party (the taxe de séjour):
// written "D" on the invoice lines.
inline constexpr int kOutsideVat = 4;

struct Article
{
    QString family;
    QString designation;
    double price = 0;
    int vat = 1;         // VAT code on the invoices
    int purchaseVat = 0; // VAT code on the orders; 0 for what is not bought
    double cost = 0;     // purchase price without tax
    int packSize = 1;    // ordered by multiples of this
    int since = 0;       // first day it can be bought (a wine once its vintage is out)
    QString account;
    int supplier = -1;
    QString supplierFamily; // the kind of supplier that sells it
    QStringList description, observations;
    struct Movement
    {
        int day;
        QString label;
        double quantity;
    };
    std::vector<Movement> movements;
};

struct Supplier
{
    QString family, name, address1, address2, postcode, town, country;
    QString phone, fax, email;
    QString bank, bankCode, branchCode, account, key;
    QString web, representative, creditLimit, owed, risk, ledger;
    QStringList notes;
    std::vector<int> articles;
    struct Row
    {
        int day;
        QString label;
        double amount;
    };
    std::vector<Row> statement;
};

// One grid row of an invoice or an order.
struct ItemLine
{
    int day = 0;
    int article = -1;
    double quantity = 0;
    QString quantityText; // as typed, e.g. "3" or "12"
    double price = 0;
    int discount = 0; // percent, 0 when the cell is empty
    int vat = 1;
    double amount() const
    {
        double m = quantity * price;
        return m - m * discount / 100;
    }
};

struct Invoice
{
    int stay = -1;
    QString number;
    int day = 0;
    QString payment;
    bool vatShown = false;
    bool validated = true;
    std::vector<ItemLine> lines;
    QStringList memo;
    double total = 0;
};

struct Order
{
    QString number;
    int day = 0;
    int supplier = -1;
    QString payment;
    bool taxIncluded = false;
    bool validated = true;
    std::vector<ItemLine> lines;
    QStringList memo;
    double total = 0; // TOTAL TTC
};

struct Hotel
{
    int today = 0;
    int ledgerFirst = 0; // first day of the main courante
    std::vector<Room> rooms;
    std::vector<Stay> stays;
    std::vector<Client> clients;
    std::vector<Invoice> invoices;
    std::vector<Article> articles;
    std::vector<Supplier> suppliers;
    std::vector<Order> orders;
    // occupancy[room][day - ledgerFirst]: the stay occupying the room that day, or -1
    std::vector<std::vector<int>> occupancy;
    int breakfastArticle = -1, childBreakfastArticle = -1, taxArticle = -1;
    std::vector<int> extraArticles; // what guests consume besides the room
};

Hotel buildHotel(const Options &options);

// Catalogue of articles and suppliers (catalogue.cpp).
void buildArticles(Hotel &h, int count, uint64_t seed);
void buildSuppliers(Hotel &h, int count, uint64_t seed);
