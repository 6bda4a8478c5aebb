#pragma once

class CommandHost;

// The writing tools of the "&Outils" and "&Utilitaires" menus: the letter
// editor, the message pad and the notepad.
void installWriting(CommandHost &host);
