#pragma once

// The eight pages of the record window, in menu order (Valide1 .. Valide8).
enum class PageId { Planning, Clients, Rooms, Invoices, MainCourante, Articles, Suppliers, Orders };
constexpr int kPageCount = 8;

// What the record window asks of every page. A page that shows cards holds
// the card on screen and writes it into its table when the person leaves it.
class Page
{
public:
    virtual ~Page() = default;
    // Writes the card back into its table when it was modified (EcritFiche...).
    virtual void writeBack() {}
    // Reads the card at the current position onto the page (LitFiche...).
    virtual void read() {}
    // Moves, each writing back first and reading after (browse-mode aware).
    virtual void first() {}
    virtual void last() {}
    virtual void next() {}
    virtual void previous() {}
    // The page's branch of adding and deleting a card.
    virtual void add() {}
    virtual void remove() {}
};
