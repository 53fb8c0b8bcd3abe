#include "platform/file_dialog.h"

#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "model/language.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/text_filter.h"

namespace talvair::platform {

namespace {

class RealFileDialogs : public FileDialogService {
 public:
  std::optional<FileDialogChoice> Show(const FileDialogOptions& options) override {
    ExtendedFileDialog dialog(options, QApplication::activeWindow());
    if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
  }
};

FileDialogService* installed = nullptr;

// "Saved games (*.dat)|*.dat" as the dialog's filters, one per description and pattern.
QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const QString& patterns = parts[i + 1];
    // The dialog filters by what stands between a description's last parentheses, patterns
    // apart by blanks; a description that shows its own patterns shows them once.
    const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
    if (description.endsWith(shown)) {
      description.chop(shown.size());
    } else {
      description += QLatin1Char(' ');
    }
    filters << description + QLatin1Char('(') +
                   QString(patterns).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

// The Comments template: a label over a multi-line box.
QWidget* CommentsTemplate(QWidget* parent, int spacing) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QStringLiteral("Template%1").arg(kCommentsTemplate));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(spacing);
  auto* label = new QLabel(QStringLiteral("Comments"), panel);
  auto* box = new QPlainTextEdit(panel);
  box->setObjectName(QStringLiteral("Comments"));
  label->setBuddy(box);
  layout->addWidget(label);
  layout->addWidget(box);
  return panel;
}

QString Message(const char* english, const char* spanish, const char* portuguese) {
  return QString::fromStdString(Tr(english, spanish, portuguese));
}

// A new file's name longer than its folder takes. The dialog of its own would refuse it
// without a word; it is passed on, so that the save that fails tells why.
bool NameTooLong(const QString& file) {
  const QFileInfo info(file);
  if (info.exists()) return false;
  const long max = ::pathconf(QFile::encodeName(info.absolutePath()).constData(), _PC_NAME_MAX);
  return max > 0 && QFile::encodeName(info.fileName()).size() > max;
}

}  // namespace

FileDialogService& FileDialogs() {
  static RealFileDialogs real;
  return installed != nullptr ? *installed : real;
}

void SetFileDialogService(FileDialogService* service) { installed = service; }

FileDialogChoice ChoiceOf(const QStringList& files) {
  FileDialogChoice choice;
  if (files.isEmpty()) return choice;
  choice.directory = QFileInfo(files.first()).path();
  for (const QString& file : files) {
    choice.fileNames << file;
    choice.fileTitles << QFileInfo(file).fileName();
  }
  if (files.size() == 1) {
    choice.fileName = files.first();
    choice.fileTitle = choice.fileTitles.first();
    const qsizetype dot = choice.fileTitle.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) choice.extension = choice.fileTitle.mid(dot + 1);
  }
  return choice;
}

bool TemplateExists(const QString& library, int id) {
  if (id != kCommentsTemplate || library.isEmpty()) return false;
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
  return !program.isEmpty() && QFileInfo(library).canonicalFilePath() == program;
}

bool ConfirmReplace(const QString& fileName, const QString& title) {
  const QString text = fileName + Message(" already exists.\r\nDo you want to replace it?",
                                          " ya existe.\r\n¿Desea reemplazarlo?",
                                          " já existe.\r\nDeseja substituí-lo?");
  return MsgBox(text, kStyleYesNo | kStyleExclamation | kStyleDefaultButton2, title) == kAnswerYes;
}

// ---- status bar --------------------------------------------------------------------------

QString FormatFileSize(qint64 bytes, const QLocale& locale) {
  constexpr qint64 kKilobyte = 1024;
  constexpr qint64 kMegabyte = kKilobyte * kKilobyte;
  if (bytes >= kMegabyte) {
    return locale.toString(static_cast<double>(bytes) / kMegabyte, 'f', 2) + QStringLiteral("MB");
  }
  if (bytes >= kKilobyte) {
    // Whole kilobytes, rounded to the nearest, halves to the even neighbour.
    qint64 kilobytes = bytes / kKilobyte;
    const qint64 rest = bytes % kKilobyte;
    if (rest > kKilobyte / 2 || (rest == kKilobyte / 2 && kilobytes % 2 != 0)) ++kilobytes;
    return QString::number(kilobytes) + QStringLiteral("KB");
  }
  return QString::number(bytes) + QStringLiteral(" bytes");
}

QString FormatFileDate(const QDateTime& date, const QLocale& locale) {
  // A medium time is hours and minutes on the twelve-hour clock.
  return locale.toString(date.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(date.time(), QStringLiteral("hh:mm AP"));
}

FileStatusBar::FileStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("StatusBar"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto part = [&](int stretch) {
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(label, stretch);
    return label;
  };
  icon_ = part(0);
  icon_->setFixedSize(22, 22);
  icon_->setAlignment(Qt::AlignCenter);
  type_ = part(0);
  path_ = part(1);
  // The path gives way; without this its full text would widen the dialog.
  path_->setMinimumWidth(1);
  path_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  size_ = part(0);
  date_ = part(0);
}

void FileStatusBar::ShowFileInfo(const QString& path) {
  const QFileInfo info(path);
  const QFileIconProvider icons;
  icon_->setPixmap(icons.icon(info).pixmap(16, 16));
  icon_->show();
  SetPart(type_, icons.type(info));
  ShowPath(path);
  SetPart(size_, FormatFileSize(info.size()));
  SetPart(date_, FormatFileDate(info.lastModified()));
}

void FileStatusBar::ShowSelectedCount(int count) {
  ShowText(QString::number(count) + QStringLiteral(" files selected"));
}

void FileStatusBar::ShowFolder(const QString& folder) {
  ShowText(folder.isEmpty() ? QStringLiteral("(No folder selected)") : folder);
}

void FileStatusBar::ShowText(const QString& text) {
  icon_->clear();
  icon_->hide();
  SetPart(type_, QString());
  ShowPath(text);
  SetPart(size_, QString());
  SetPart(date_, QString());
}

void FileStatusBar::SetPart(QLabel* part, const QString& text) {
  part->setText(text);
  part->setVisible(!text.isEmpty());
}

QStringList FileStatusBar::Texts() const {
  return {type_->text(), fullPath_, size_->text(), date_->text()};
}

void FileStatusBar::ShowPath(const QString& path) {
  fullPath_ = path;
  const int room = path_->contentsRect().width() - 2 * path_->margin() - 4;
  path_->setText(path_->fontMetrics().elidedText(path, Qt::ElideMiddle, std::max(room, 0)));
  path_->setToolTip(path);
}

void FileStatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ShowPath(fullPath_);
}

// ---- the dialog --------------------------------------------------------------------------

ExtendedFileDialog::ExtendedFileDialog(const FileDialogOptions& options, QWidget* parent)
    : QFileDialog(parent), options_(options) {
  setObjectName(QStringLiteral("ComDlgEx"));
  setOption(QFileDialog::DontUseNativeDialog);
  // The dialog asks before replacing a file through the program's message service instead.
  setOption(QFileDialog::DontConfirmOverwrite);
  setAcceptMode(options.saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Only the must-exist flag asks for existing files: without it a typed name comes back as
  // typed, whether it exists or not, in a multiple selection too.
  const bool several = !options.saving && (options.flags & kFlagAllowMultiSelect) != 0;
  if ((options.flags & kFlagFileMustExist) != 0) {
    setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  } else {
    setFileMode(QFileDialog::AnyFile);
    // Qt lets only its existing-files mode pick several; the views take it all the same.
    if (several) {
      for (const char* name : {"listView", "treeView"}) {
        if (auto* view = findChild<QAbstractItemView*>(QLatin1String(name))) {
          view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        }
      }
    }
  }
  // Names only, as a list: the detail columns are too narrow for their own texts.
  setViewMode(QFileDialog::List);
  setWindowTitle(options.title);
  if (!options.directory.isEmpty()) setDirectory(options.directory);
  if (!options.fileName.isEmpty()) selectFile(options.fileName);
  const QStringList filters = NameFilters(options.filter);
  if (!filters.isEmpty()) {
    setNameFilters(filters);
    if (options.filterIndex >= 1 && options.filterIndex <= filters.size()) {
      selectNameFilter(filters[options.filterIndex - 1]);
    }
  }
  if (!options.defaultExtension.isEmpty()) setDefaultSuffix(options.defaultExtension);
  if (!options.okCaption.isEmpty()) setLabelText(QFileDialog::Accept, options.okCaption);
  if (!options.cancelCaption.isEmpty()) setLabelText(QFileDialog::Reject, options.cancelCaption);
  if (!options.iconFile.isEmpty()) SetDialogIcon();
  AddExtras();
  ArrangeControls();
  // The dialog turns OK off as a name is typed, or on any other change.
  auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (buttons != nullptr && name != nullptr) {
    ok_ = buttons->button(options.saving ? QDialogButtonBox::Save : QDialogButtonBox::Open);
    if (ok_ != nullptr) {
      ok_->installEventFilter(this);
      connect(name, &QLineEdit::textChanged, this, &ExtendedFileDialog::AllowNameTooLong);
    }
  }
}

void ExtendedFileDialog::AllowNameTooLong() {
  if (ok_->isEnabled()) return;
  const QStringList files = selectedFiles();
  if (files.size() == 1 && NameTooLong(files.first())) ok_->setEnabled(true);
}

bool ExtendedFileDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ok_ && event->type() == QEvent::EnabledChange) AllowNameTooLong();
  return QFileDialog::eventFilter(watched, event);
}

void ExtendedFileDialog::AddExtras() {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  if (grid == nullptr || buttons == nullptr) return;

  if ((options_.flags & kFlagShowHelp) != 0) {
    help_ = buttons->addButton(QDialogButtonBox::Help);
    help_->setObjectName(QStringLiteral("Help"));
    if (!options_.helpCaption.isEmpty()) help_->setText(options_.helpCaption);
    connect(help_, &QPushButton::clicked, this, &ExtendedFileDialog::ShowHelpMessage);
  }
  int row = grid->rowCount();
  if ((options_.flags & (kFlagHideReadOnly | kFlagReadOnly)) != kFlagHideReadOnly) {
    readOnly_ = new QCheckBox(
        Message("Open as &read-only", "Abrir como de &sólo lectura", "Abrir como somente &leitura"),
        this);
    readOnly_->setObjectName(QStringLiteral("ReadOnly"));
    readOnly_->setChecked((options_.flags & kFlagReadOnly) != 0);
    grid->addWidget(readOnly_, row, 1);
  }
  if (help_ != nullptr || readOnly_ != nullptr) {
    // The buttons' column reaches down beside the read-only box: the Help button needs the
    // room, and the file-name and file-type rows keep their spacing.
    int buttonRow = 0;
    int column = 0;
    int rows = 0;
    int columns = 0;
    grid->getItemPosition(grid->indexOf(buttons), &buttonRow, &column, &rows, &columns);
    grid->addWidget(buttons, buttonRow, column, row - buttonRow + 1, columns);
    ++row;
  }
  // Extra buttons sit in a row of their own, as in a template under the controls.
  auto* extraRow = new QHBoxLayout;
  extraRow->addStretch();
  for (std::size_t i = 0; i < extraButtons_.size(); ++i) {
    const QString& caption = options_.buttonCaptions[i];
    if (caption.isEmpty()) continue;
    // They only show: what a click does is the template's owner's business.
    extraButtons_[i] = new QPushButton(caption, this);
    extraButtons_[i]->setAutoDefault(false);
    extraButtons_[i]->setObjectName(QStringLiteral("Button%1").arg(101 + i));
    extraRow->addWidget(extraButtons_[i]);
  }
  if (extraRow->count() > 1) {
    grid->addLayout(extraRow, row++, 0, 1, -1);
  } else {
    delete extraRow;
  }
  if (options_.templateId == kCommentsTemplate) {
    grid->addWidget(CommentsTemplate(this, grid->verticalSpacing()), row++, 0, 1, -1);
    comments_ = findChild<QPlainTextEdit*>(QStringLiteral("Comments"));
  }
  if (options_.statusbar) {
    statusBar_ = new FileStatusBar(this);
    grid->addWidget(statusBar_, row++, 0, 1, -1);
    statusBar_->ShowFolder(directory().absolutePath());
    connect(this, &QFileDialog::directoryEntered, statusBar_, &FileStatusBar::ShowFolder);
    if (auto* list = findChild<QListView*>(QStringLiteral("listView"));
        list != nullptr && list->selectionModel() != nullptr) {
      connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
              &ExtendedFileDialog::SelectionChanged);
    }
  }

  if (comments_ != nullptr) {
    if (options_.commentsAllowed) RestrictCharacters(comments_, options_.commentsAllowed);
    comments_->setPlainText(options_.comments);
    if (!options_.saving && options_.preview) {
      connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) {
        if (!path.isEmpty() && !QFileInfo(path).isDir()) {
          comments_->setPlainText(options_.preview(path));
        }
      });
    }
  }

  const std::pair<int, const char*> pairs[] = {
      {kHideLookIn, "lookIn"}, {kHideFileName, "fileName"}, {kHideFileType, "fileType"}};
  for (const auto& [bit, name] : pairs) {
    if ((options_.hideControls & bit) == 0) continue;
    const QString prefix = QLatin1String(name);
    for (const QString& suffix :
         {QStringLiteral("Label"), QStringLiteral("Combo"), QStringLiteral("Edit")}) {
      if (auto* control = findChild<QWidget*>(prefix + suffix)) control->hide();
    }
  }
}

void ExtendedFileDialog::ArrangeControls() {
  // The grid already lines the look-in list and the read-only box up with the file-name
  // box, and gives every label the same column; only the captions are ours.
  if (!options_.checkBoxCaption.isEmpty() && readOnly_ != nullptr) {
    readOnly_->setText(options_.checkBoxCaption);
  }
  if (!options_.fileNameCaption.isEmpty()) {
    setLabelText(QFileDialog::FileName, options_.fileNameCaption);
  }
  if (!options_.fileTypeCaption.isEmpty()) {
    setLabelText(QFileDialog::FileType, options_.fileTypeCaption);
  }
  if (!options_.lookInCaption.isEmpty()) setLabelText(QFileDialog::LookIn, options_.lookInCaption);
}

void ExtendedFileDialog::SetDialogIcon() {
  // A bare name is looked for in the program's folder when it is not in the current one.
  QString file = options_.iconFile;
  if (!QFileInfo::exists(file) && QFileInfo(file).isRelative()) {
    file = QCoreApplication::applicationDirPath() + QLatin1Char('/') + file;
  }
  QImageReader reader(file);
  if (options_.iconIndex < 0 ||
      (options_.iconIndex > 0 && !reader.jumpToImage(options_.iconIndex))) {
    return;
  }
  const QImage image = reader.read();
  if (!image.isNull()) setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

void ExtendedFileDialog::SelectionChanged() {
  QStringList files;
  for (const QString& path : selectedFiles()) {
    if (!QFileInfo(path).isDir()) files << path;
  }
  if (files.size() > 1) {
    statusBar_->ShowSelectedCount(static_cast<int>(files.size()));
  } else if (files.size() == 1) {
    statusBar_->ShowFileInfo(files.first());
  }
}

void ExtendedFileDialog::ShowHelpMessage() {
  if (options_.helpMessage.isEmpty()) return;
  MsgBox(options_.helpMessage, kStyleInformation, help_->text().remove(QLatin1Char('&')));
}

void ExtendedFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  // A folder is entered, not chosen.
  if (files.size() == 1 && QFileInfo(files.first()).isDir()) {
    QFileDialog::accept();
    return;
  }
  const int flags = options_.flags;
  const bool mustExist =
      fileMode() == QFileDialog::ExistingFile || fileMode() == QFileDialog::ExistingFiles;
  for (const QString& file : files) {
    const QFileInfo chosen(file);
    if ((flags & (kFlagPathMustExist | kFlagFileMustExist)) != 0 &&
        !chosen.absoluteDir().exists()) {
      MsgBox(chosen.absolutePath() +
                 Message("\r\nThis folder does not exist. Check the path and try again.",
                         "\r\nEsta carpeta no existe. Compruebe la ruta e inténtelo de nuevo.",
                         "\r\nEsta pasta não existe. Verifique o caminho e tente novamente."),
             kStyleExclamation, windowTitle());
      return;
    }
    if (mustExist && !chosen.exists()) {
      MsgBox(chosen.fileName() +
                 Message("\r\nFile not found. Check the file name and try again.",
                         "\r\nNo se encontró el archivo. Compruebe el nombre e inténtelo de nuevo.",
                         "\r\nArquivo não encontrado. Verifique o nome e tente novamente."),
             kStyleExclamation, windowTitle());
      return;
    }
    if (options_.saving && chosen.exists()) {
      if ((flags & kFlagNoReadOnlyReturn) != 0 && !chosen.isWritable()) {
        MsgBox(chosen.fileName() + Message("\r\nThis file is read-only. Use a different name.",
                                           "\r\nEste archivo es de sólo lectura. Use otro nombre.",
                                           "\r\nEste arquivo é somente leitura. Use outro nome."),
               kStyleExclamation, windowTitle());
        return;
      }
      if ((flags & kFlagOverwritePrompt) != 0 &&
          !ConfirmReplace(chosen.fileName(), windowTitle())) {
        return;
      }
    }
  }
  if (files.size() == 1 && NameTooLong(files.first())) {
    QDialog::accept();
  } else {
    QFileDialog::accept();
  }
  if (result() != QDialog::Accepted) return;
  QStringList paths;
  for (const QString& file : files) paths << QFileInfo(file).absoluteFilePath();
  choice_ = ChoiceOf(paths);
  if (comments_ != nullptr) choice_.comments = comments_->toPlainText();
  choice_.readOnly = readOnly_ != nullptr && readOnly_->isChecked();
  const qsizetype filter = nameFilters().indexOf(selectedNameFilter());
  choice_.filterIndex = filter >= 0 ? static_cast<int>(filter) + 1 : options_.filterIndex;
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

QString ComDlgEx::Filter() const {
  const QStringList parts = options_.filter.split(QLatin1Char('|'));
  const qsizetype at = 2 * (static_cast<qsizetype>(options_.filterIndex) - 1);
  if (at < 0 || at + 1 >= parts.size()) return QString();
  return parts[at] + QLatin1Char('|') + parts[at + 1];
}

void ComDlgEx::CheckBoxCaption(const QString& caption) {
  options_.checkBoxCaption = caption;
  if (!caption.isEmpty()) SetFlag(kFlagHideReadOnly, false);
}

void ComDlgEx::FileName(const QString& name) {
  constexpr qsizetype kFileBuffer = 261;
  if (name.size() < kFileBuffer) choice_.fileName = name;
}

void ComDlgEx::Extension(const QString& extension) {
  choice_.extension = QString(extension).remove(QLatin1Char('.')).left(3).toLower();
}

void ComDlgEx::HelpMessage(const QString& text) {
  options_.helpMessage = text;
  SetFlag(kFlagShowHelp, true);
}

bool ComDlgEx::ShowOpen() {
  options_.saving = false;
  return Show();
}

bool ComDlgEx::ShowSave() {
  SetFlag(kFlagAllowMultiSelect, false);
  SetFlag(kFlagPathMustExist | kFlagOverwritePrompt | kFlagNoReadOnlyReturn, true);
  options_.saving = true;
  return Show();
}

bool ComDlgEx::Show() {
  if ((options_.flags & kFlagReadOnly) != 0) SetFlag(kFlagHideReadOnly, false);
  options_.fileName = choice_.fileName;
  options_.directory = choice_.directory;
  options_.defaultExtension = choice_.extension;
  options_.templateId.reset();
  SetFlag(kFlagEnableTemplate, !templateLibrary_.isEmpty());
  if (!templateLibrary_.isEmpty()) {
    if (TemplateExists(templateLibrary_, templateId_)) {
      options_.templateId = templateId_;
    } else {
      MsgBox(
          QStringLiteral("Template Library or Template ID not found.\r"
                         "Continuing without Template..."));
      SetFlag(kFlagEnableTemplate, false);
    }
  }

  // The dialog itself never moves the process's current folder: following the player's
  // choice would keep a removable medium busy. RestoreCurDir undoes whatever else moved it
  // meanwhile.
  const QString folderBefore = QDir::currentPath();
  std::optional<FileDialogChoice> choice = FileDialogs().Show(options_);
  if ((options_.flags & kFlagNoChangeDir) != 0) QDir::setCurrent(folderBefore);
  if (!choice) return false;
  if (choice->comments) options_.comments = *choice->comments;
  SetFlag(kFlagReadOnly, choice->readOnly);
  options_.filterIndex = choice->filterIndex;
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
  FileDialogChoice choice = ChoiceOf(step.files);
  if (options.templateId) choice.comments = step.comments.value_or(options.comments);
  choice.readOnly = (options.flags & kFlagReadOnly) != 0;
  choice.filterIndex = options.filterIndex;
  return choice;
}

void ScriptedFileDialogs::Choose(const QString& fileName, std::optional<QString> comments) {
  script_.push_back(Step{{fileName}, std::move(comments)});
}

void ScriptedFileDialogs::ChooseMany(const QStringList& files) {
  script_.push_back(Step{files, std::nullopt});
}

}  // namespace talvair::platform
