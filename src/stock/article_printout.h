#pragma once

#include "article_page.h"
#include "print/print_job.h"

// The article card on screen (`ImpArt`): portrait, Arial 10. The fields and
// the first movements and note lines fill the first page at their places;
// what runs past the foot of a page continues at the top of the next one,
// under the article's code and designation.
PrintDocument ImpArt(const ArticleCard &card, const PageMetrics &m);

// The card as a print job; the page must outlive the printing.
PrintJob ImpArtJob(const ArticlePage &page);
