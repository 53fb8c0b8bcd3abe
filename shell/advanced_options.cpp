#include "shell/advanced_options.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryFile>

#include "platform/message_box.h"
#include "platform/twips.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/program_start.h"
#include "shell/research_commands.h"
#include "shell/text.h"
#include "storage/globals.h"
#include "storage/settings_store.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

using platform::PixelRect;

constexpr int kFormWidth = 4900;
constexpr int kFormHeight = 4200;

}  // namespace

bool FolderWritable(const QString& folder) {
  // Permissions alone do not tell: a read-only file system or a special folder refuses
  // what the rights allow.
  QTemporaryFile probe(AddTrailingBackslash(folder) + QStringLiteral(".talvair-XXXXXX"));
  return probe.open();
}

bool PlainFileName(const QString& name) {
  if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
  for (const QChar c : name) {
    if (c == QLatin1Char('/') || c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  }
  return true;
}

AdvancedOptions::AdvancedOptions(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AdvancedOptions"));
  setWindowTitle(QStringLiteral("Auto Save Options"));
  BuildControls();
  Load();
}

void AdvancedOptions::BuildControls() {
  const auto label = [this](const char* name, const QRect& rect) {
    auto* control = new QLabel(this);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(rect);
    control->setWordWrap(true);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
  };
  const auto box = [this](const char* name, const QRect& rect) {
    auto* control = new QLineEdit(this);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(rect);
    return control;
  };
  const auto button = [this](const char* name, const char* caption, const QRect& rect) {
    auto* control = new QPushButton(QString::fromLatin1(caption), this);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(rect);
    return control;
  };
  label1_ = label("Label1", PixelRect(120, 120, 4500, 1260));
  label2_ = label("Label2", PixelRect(120, 1440, 4500, 480));
  lblPath_ = label("lblPath", PixelRect(120, 2040, 2400, 255));
  lblPath_->setText(QStringLiteral("Where save?"));
  txtPath_ = box("txtPath", PixelRect(120, 2300, 4500, 315));
  lblBase_ = label("lblBase", PixelRect(120, 2700, 2400, 255));
  lblBase_->setText(QStringLiteral("File base name"));
  txtBaseName_ = box("txtBaseName", PixelRect(120, 2960, 2880, 315));
  btnSave_ = button("btnSave", "Save", PixelRect(2280, 3420, 1080, 375));
  cmdCancel_ = button("cmdCancel", "Cancel", PixelRect(3480, 3420, 1080, 375));
  connect(btnSave_, &QPushButton::clicked, this, [this] { btnSave_Click(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void AdvancedOptions::Load() {
  label1_->setText(
      QStringLiteral("These options enable autosaving of the simulation after each run. "
                     "Set the location of the saved file and a base name, which needs to be "
                     "unique to each PC in use.  When set will generate a series of saved "
                     "data sets in .csv format in the location specified."));
  label2_->setText(
      QStringLiteral("Suggestion: browse to the desired location using explorer and copy "
                     "the address displayed"));
  const QString path = storage::AdvancedOptionsReadPath().value_or(QString());
  const QString baseName = storage::AdvancedOptionsReadBaseName().value_or(QString());
  txtPath_->setText(path);
  txtBaseName_->setText(baseName);
  ResearchFileName = AddTrailingBackslash(path) + baseName;
}

QSize AdvancedOptions::FormSize() const { return PixelRect(0, 0, kFormWidth, kFormHeight).size(); }

void AdvancedOptions::btnSave_Click() {
  const QString folder = txtPath_->text();
  const QString baseName = txtBaseName_->text();
  if (!FolderExists(folder)) {
    platform::MsgBox(QStringLiteral("Sorry, that folder Does Not Exist"));
    return;
  }
  if (baseName.isEmpty()) {
    platform::MsgBox(
        QStringLiteral("Autosave is off: no destination set. \r\n"
                       "If you were trying to activate note that both location "
                       "and base file name need to be set"));
    AutoSaveEnabled = false;
    ReportSettingsError(storage::AdvancedOptionsWrite(QString(), QString()));
    Unload();
    return;
  }
  if (!FolderWritable(folder)) {
    platform::MsgBox(Text("The program cannot make files in that folder.",
                          "El programa no puede crear archivos en esa carpeta.",
                          "O programa não pode criar arquivos nessa pasta."),
                     platform::kStyleExclamation, AppTitle);
    return;
  }
  if (!PlainFileName(baseName)) {
    platform::MsgBox(Text("The base name must be a plain file name, without a folder.",
                          "El nombre base debe ser un nombre de archivo simple, sin carpeta.",
                          "O nome base deve ser um nome de arquivo simples, sem pasta."),
                     platform::kStyleExclamation, AppTitle);
    return;
  }
  if (platform::MsgBox(QStringLiteral("Your autosaved games will be saved in ") + folder,
                       platform::kStyleOkCancel) != platform::kAnswerOk) {
    return;
  }
  if (const storage::SettingsError error = storage::AdvancedOptionsWrite(folder, baseName)) {
    ShowSettingsError(*error);
    // The options hold for this run.
    AutoSavePath = folder;
    AutoSaveBaseName = baseName;
  } else {
    AutoSavePath = storage::AdvancedOptionsReadPath().value_or(QString());
    AutoSaveBaseName = storage::AdvancedOptionsReadBaseName().value_or(QString());
  }
  AutoSaveEnabled = true;
  AutoSaveRunNumber = 0;
  Unload();
}

void AdvancedOptions::cmdCancel_Click() { Unload(); }

void AdvancedOptions::Unload() {
  QWidget* frame = parentWidget() != nullptr ? parentWidget() : this;
  frame->close();
}

AdvancedOptions* AdvancedOptionsWindow(const frmMDI& window) {
  return window.MdiArea()->findChild<AdvancedOptions*>(QStringLiteral("AdvancedOptions"));
}

AdvancedOptions* CreateAdvancedOptionsWindow(QMdiArea& area) {
  auto* window = new AdvancedOptions;
  QMdiSubWindow* subWindow = views::AddChildWindow(area, window);
  subWindow->resize(window->FormSize());
  return window;
}

}  // namespace talvair::shell
