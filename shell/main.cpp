#include <QApplication>

#include "shell/program_start.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  talvair::shell::PrepareApplication();
  if (talvair::shell::Main() == talvair::shell::StartResult::SecondCopy) {
    talvair::shell::ReleaseProgram();
    return 0;
  }
  const int exitCode = QApplication::exec();
  talvair::shell::ReleaseProgram();
  return exitCode;
}
