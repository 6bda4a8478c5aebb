#pragma once

class CommandHost;

// The main courante: its page, its printout (the page's print command and
// "&Main courante" of the print menu) and the export of its day sheet.
void installMainCourante(CommandHost &host);
