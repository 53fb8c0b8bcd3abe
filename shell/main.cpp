#include <QApplication>
#include <QLocale>

#include "numtext/number_text.h"
#include "shell/artwork.h"
#include "shell/program_start.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral(TALVAIR_VERSION));
  QApplication::setWindowIcon(talvair::shell::ProgramIcon());
  // Decisions are typed and shown with the user's decimal sign.
  const QLocale locale = QLocale::system();
  talvair::numtext::SetCurrentNumberLocale(
      {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()});
  if (talvair::shell::Main() == talvair::shell::StartResult::SecondCopy) {
    talvair::shell::ReleaseProgram();
    return 0;
  }
  const int exitCode = QApplication::exec();
  talvair::shell::ReleaseProgram();
  return exitCode;
}
