#pragma once

#include "order.h"

#include "billing/invoice_printout.h"

class Fiche;
class OrderPage;

// The order on as many portrait pages as its lines and memo need, in the
// frame of the invoice with the order's columns: the supplier's address,
// the date, number, supplier code and payment conditions at the top, the
// three totals in the box at the foot of the last page.
PrintDocument ImpCmd(const OrderCard &card, const LineTotals &totals, const InvoicePaper &paper,
                     const PageMetrics &m);

// The order shown on the page, as a print job; page and record window must
// outlive the printing.
PrintJob ImpCmdJob(OrderPage &page, Fiche &fiche);
