#include "shell/globals.h"

#include "platform/wait_cursor.h"

namespace talvair::shell {

game* TheGame = nullptr;
QString AppTitle;
QString AppPath;
bool GoBackWarnings = false;
bool ResearchEdition = false;
bool InstitutionEdition = false;
bool DebugStepDump = false;
QString ResearchFileName;
bool SurveyLinksEnabled = false;
bool SurveyLinksDue = false;
QString SurveyLinksPath;
storage::SurveyLinkTable SurveyLinksTable;
int16_t InitialTimeIndex = 0;
std::array<QString, 5> DecisionTexts;

QString AddTrailingBackslash(const QString& path) {
  if (path.endsWith(QLatin1Char('/'))) return path;
  return path + QLatin1Char('/');
}

void ResetMousePointer() { platform::ResetMousePointer(); }

}  // namespace talvair::shell
