// The main window's File, View, Window and Help commands that are not run control,
// copying, window arrangement or the output windows: opening and saving games, the game
// notepad, closing every output window, help, the change of language and the About box,
// with the hidden items that still do something.
#pragma once

#include <QString>

namespace talvair::shell {

class frmMDI;

// File > Open Game (and the hidden Challenge items): asks first once more than one quarter
// has been run, then opens the chosen game and brings every window up to date.
void mnuFileOpen_Click(frmMDI& window);
// File > Save Game: refused before the first run.
void mnuFileSave_Click(frmMDI& window);
// View > Game Notepad.
void mnuViewNotepad_Click(frmMDI& window);
// Window > Close All Open Windows: every report, table and graph window.
void mnuWindowCloseAll_Click(frmMDI& window);
// Help > Help: the help file of the current language, from the program's folder.
void contents_Click(frmMDI& window);
// The help file's name for the current language.
QString HelpFileName();
// Help > Search For Help On (hidden).
void search_Click();
// Help > Change language on restart: the next start asks for the language again.
void LanSelect_Click();
// Help > About.
void About_Click(frmMDI& window);

// Connects the items above to their handlers.
void ConnectFileCommands(frmMDI& window);

}  // namespace talvair::shell
