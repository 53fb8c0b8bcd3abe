// The program's global state: the one model object, the titles and paths, the edition
// switches and two small helpers. Everything lives for the whole process.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "storage/survey_links.h"

namespace talvair {
class game;
}

namespace talvair::shell {

// The one model object; created by Main, never replaced while the program runs. Only the
// program start uses it: every window is handed the model it plays.
extern game* TheGame;

// "Talvair": the main window's caption and the title of a few notices.
extern QString AppTitle;
// The program's folder, ending in a separator; the help files live there.
extern QString AppPath;
// Go Back asks for confirmation while this is on.
extern bool GoBackWarnings;

// Edition switches. Main sets them as the program was built (shell/editions.h), all off in
// the standard build; every feature hanging on them stays compiled so the editions share
// everything but the switches' start values.
extern bool ResearchEdition;
extern bool InstitutionEdition;
extern bool DebugStepDump;

// Research edition: the file the last run's research data went to, whether survey links
// were loaded, and whether a run has just asked for the survey link of its quarter.
extern QString ResearchFileName;
extern bool SurveyLinksEnabled;
extern bool SurveyLinksDue;
// The folder of the survey-links file in force, and the links read from it.
extern QString SurveyLinksPath;
extern storage::SurveyLinkTable SurveyLinksTable;

// The period the decision window starts from; always 0.
extern int16_t InitialTimeIndex;
// The decision boxes' texts kept by the decision window's unload: box n at element n - 1.
extern std::array<QString, 5> DecisionTexts;

// The path followed by a separator unless it already ends in one; an empty path gives "/".
QString AddTrailingBackslash(const QString& path);

// Puts the screen's mouse pointer back to the default shape.
void ResetMousePointer();

}  // namespace talvair::shell
