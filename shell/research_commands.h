// The main window's research and maintenance commands: the old-format save and the variable
// dump (menu items hidden in every edition), the research edition's Auto save options and
// Web link setup, and the research data written after each run.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace talvair {
class game;
}

namespace talvair::shell {

class frmMDI;

// File > SaveOldFormat: the old format as "Oravel1.ZK1" in the user's data folder.
void mnuFile_Save_Old_Click(game& model);
// Tables > LISTVARS: the stocks' values as "ZvkVariables.txt" in the user's data folder.
void ListVars_Click(game& model);
// Help > Auto save options (research edition): the auto-save options window, modeless.
void mnuHelpAdvanced_Click(frmMDI& window);
// Help > Web link setup (research edition): the survey-links window, modeless and focused.
void mnuHelpSurveyLinks_Click(frmMDI& window);
// Connects the four menu items to the handlers above.
void ConnectResearchCommands(frmMDI& window);

// After a run: the next run number whose file name in `folder` is free (an existing file
// is never replaced), the research data written under it, the run number stored. What
// went wrong, for the player once the run is over.
QStringList SaveResearchRun(game& model, const QString& folder);
// The folder of the per-step dump edition in the user's data folder, made when missing.
QString StepDumpFolder();

// A path as the file system takes it.
std::string FilePathBytes(const QString& path);
// A folder that exists; the empty text is none.
bool FolderExists(const QString& folder);

}  // namespace talvair::shell
