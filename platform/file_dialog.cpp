#include "platform/file_dialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

#include "model/language.h"
#include "platform/message_box.h"
#include "platform/text_filter.h"

namespace talvair::platform {

namespace {

class RealFileDialogs : public FileDialogService {
 public:
  std::optional<FileDialogChoice> Show(const FileDialogOptions& options) override {
    ExtendedFileDialog dialog(options, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
  }
};

FileDialogService* installed = nullptr;

// "Saved games (*.dat)|*.dat" as the dialog's filters, one per description and pattern.
QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // A description that shows its patterns already is taken as it stands.
    filters << (description.endsWith(QLatin1Char(')'))
                    ? description
                    : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters;
}

}  // namespace

FileDialogService& FileDialogs() {
  static RealFileDialogs real;
  return installed != nullptr ? *installed : real;
}

void SetFileDialogService(FileDialogService* service) { installed = service; }

FileDialogChoice ChoiceOf(const QString& fileName, const QString& comments) {
  FileDialogChoice choice;
  choice.fileName = fileName;
  choice.fileTitle = QFileInfo(fileName).fileName();
  const qsizetype dot = choice.fileTitle.lastIndexOf(QLatin1Char('.'));
  if (dot >= 0) choice.extension = choice.fileTitle.mid(dot + 1);
  choice.comments = comments;
  return choice;
}

bool ConfirmReplace(const QString& fileName, const QString& title) {
  const QString text =
      fileName + QString::fromStdString(Tr(" already exists.\r\nDo you want to replace it?",
                                           " ya existe.\r\n¿Desea reemplazarlo?",
                                           " já existe.\r\nDeseja substituí-lo?"));
  return MsgBox(text, kStyleYesNo | kStyleExclamation | kStyleDefaultButton2, title) == kAnswerYes;
}

// ---- the dialog --------------------------------------------------------------------------

ExtendedFileDialog::ExtendedFileDialog(const FileDialogOptions& options, QWidget* parent)
    : QFileDialog(parent), options_(options) {
  setObjectName(QStringLiteral("ComDlgEx"));
  setOption(QFileDialog::DontUseNativeDialog);
  // The Save dialog asks through the program's message service instead.
  setOption(QFileDialog::DontConfirmOverwrite);
  setAcceptMode(options.saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // A name typed in the Open dialog comes back as typed, whether it exists or not.
  setFileMode(QFileDialog::AnyFile);
  // Names only, as a list: the detail columns are too narrow for their own texts.
  setViewMode(QFileDialog::List);
  setWindowTitle(options.title);
  if (!options.directory.isEmpty()) setDirectory(options.directory);
  const QStringList filters = NameFilters(options.filter);
  if (!filters.isEmpty()) setNameFilters(filters);
  setLabelText(QFileDialog::Accept, options.okCaption);
  setLabelText(QFileDialog::Reject, options.cancelCaption);
  if (!options.lookInCaption.isEmpty()) setLabelText(QFileDialog::LookIn, options.lookInCaption);

  auto* label = new QLabel(QStringLiteral("Comments"), this);
  comments_ = new QPlainTextEdit(this);
  comments_->setObjectName(QStringLiteral("Comments"));
  label->setBuddy(comments_);
  if (options.commentsAllowed) RestrictCharacters(comments_, options.commentsAllowed);
  comments_->setPlainText(options.comments);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0, 1, -1);
    grid->addWidget(comments_, row + 1, 0, 1, -1);
  }

  if (!options.saving && options.preview) {
    connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) {
      if (!path.isEmpty() && !QFileInfo(path).isDir()) {
        comments_->setPlainText(options_.preview(path));
      }
    });
  }
}

void ExtendedFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  const QFileInfo chosen(files.first());
  if (options_.saving && !chosen.isDir()) {
    if (!chosen.absoluteDir().exists()) {
      MsgBox(chosen.absolutePath() +
                 QString::fromStdString(
                     Tr("\r\nThis folder does not exist. Check the path and try again.",
                        "\r\nEsta carpeta no existe. Compruebe la ruta e inténtelo de nuevo.",
                        "\r\nEsta pasta não existe. Verifique o caminho e tente novamente.")),
             kStyleExclamation, windowTitle());
      return;
    }
    if (chosen.exists() && !ConfirmReplace(chosen.fileName(), windowTitle())) return;
  }
  QFileDialog::accept();
  if (result() == QDialog::Accepted) {
    choice_ = ChoiceOf(chosen.absoluteFilePath(), comments_->toPlainText());
  }
}

void ExtendedFileDialog::showEvent(QShowEvent* event) {
  QFileDialog::showEvent(event);
  QRect over;
  if (options_.centerDialog == 1 && parentWidget() != nullptr) {
    over = parentWidget()->window()->frameGeometry();
  } else if (options_.centerDialog == 2 && screen() != nullptr) {
    over = screen()->geometry();
  }
  if (over.isValid()) {
    const QRect frame = frameGeometry();
    move(over.left() + (over.width() - frame.width()) / 2,
         over.top() + (over.height() - frame.height()) / 2);
  }
}

// ---- ComDlgEx ----------------------------------------------------------------------------

bool ComDlgEx::ShowOpen() {
  options_.saving = false;
  return Show();
}

bool ComDlgEx::ShowSave() {
  options_.saving = true;
  return Show();
}

bool ComDlgEx::Show() {
  std::optional<FileDialogChoice> choice = FileDialogs().Show(options_);
  if (!choice) return false;
  choice_ = std::move(*choice);
  return true;
}

// ---- scripted ----------------------------------------------------------------------------

std::optional<FileDialogChoice> ScriptedFileDialogs::Show(const FileDialogOptions& options) {
  shown_.push_back(options);
  if (script_.empty() || !script_.front()) {
    if (!script_.empty()) script_.pop_front();
    return std::nullopt;
  }
  const Step step = *script_.front();
  script_.pop_front();
  return ChoiceOf(step.fileName, step.comments.value_or(options.comments));
}

void ScriptedFileDialogs::Choose(const QString& fileName, std::optional<QString> comments) {
  script_.push_back(Step{fileName, std::move(comments)});
}

}  // namespace talvair::platform
