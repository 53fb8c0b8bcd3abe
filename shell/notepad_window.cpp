#include "shell/notepad_window.h"

#include <QFont>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <algorithm>

#include "platform/screen.h"
#include "platform/text_filter.h"
#include "platform/twips.h"
#include "shell/main_window.h"
#include "shell/text.h"
#include "storage/windows_1252.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

using platform::PixelsToTwips;
using platform::TwipsToPixels;

// Twips.
constexpr int kFormWidth = 4880;
constexpr int kFormHeight = 3700;
constexpr int kMinFormHeight = 3600;
constexpr int kTextWidth = 4350;
constexpr int kTextHeightMargin = 1850;
constexpr int kTextWidthMargin = 450;
constexpr int kLabelTop = 100;
constexpr int kLabelHeight = 850;
constexpr int kLongLabelHeight = 1000;  // Spanish and Portuguese say more
constexpr int kTextTop = 950;
constexpr int kLongTextTop = 1200;

int TextLeft(int formWidth, int textWidth) { return (formWidth - textWidth) / 2 - 50; }

bool LongLabel() { return CurrentLanguage == "Spanish" || CurrentLanguage == "Port"; }

}  // namespace

frmGameComments::frmGameComments(frmMDI& window, QWidget* parent)
    : QWidget(parent),
      window_(window),
      textLeft_(TextLeft(kFormWidth, kTextWidth)),
      textWidth_(kTextWidth),
      textHeight_(0) {
  setObjectName(QStringLiteral("frmGameComments"));
  setWindowTitle(Text("Game notepad", "Notas sobre la simulación", "Notas da simulação"));

  lblDescription_ = new QLabel(this);
  lblDescription_->setObjectName(QStringLiteral("lblDescription"));
  lblDescription_->setWordWrap(true);
  lblDescription_->setFont(QFont(QStringLiteral("Tahoma"), 7));
  lblDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDescription_->setText(Text(
      "Comments may be saved with games and displayed here on re-opening the game. "
      "Note that games may also be saved with the comment from the end of game report. "
      "To do this select the \"Save Game\" button on the end of game report.",
      "Los comentarios pueden guardarse con los juegos y mostrarse aquí al volver a abrir el "
      "juego. Tenga en cuenta que los juegos también pueden guardarse con el comentario del "
      "informe de fin de juego. Para ello seleccione el botón 'Guardar Juego' en el informe de "
      "fin de juego.",
      "Os comentários podem ser salvos com as simulações e mostrados aqui ao reabrir a "
      "simulação. Note que as simulações também podem ser salvas com o comentário do relatório "
      "de fim de simulação. Para isso selecione o botão \"Salvar Simulação\" no relatório de fim "
      "de simulação."));

  txtComments_ = new QPlainTextEdit(this);
  txtComments_->setObjectName(QStringLiteral("txtComments"));
  // Only what a saved game can hold.
  platform::RestrictCharacters(txtComments_,
                               [](char32_t c) { return storage::Windows1252Byte(c).has_value(); });
  txtComments_->setPlainText(window_.GameComments());
  txtComments_->moveCursor(QTextCursor::End);
  connect(txtComments_, &QPlainTextEdit::textChanged, this,
          [this] { window_.GameComments(txtComments_->toPlainText()); });

  const int labelHeight = LongLabel() ? kLongLabelHeight : kLabelHeight;
  lblDescription_->setGeometry(
      platform::PixelRect(TextLeft(kFormWidth, kTextWidth), kLabelTop, kTextWidth, labelHeight));
  FitTo(kFormWidth, kFormHeight);
  window_.Notepad(true);
}

void frmGameComments::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  open_ = false;
  window_.Notepad(false);
}

void frmGameComments::FitTo(int formWidth, int formHeight) {
  // Held at its least size, the window gets the box of that size, however far it was shrunk
  // in one drag.
  textHeight_ = std::max(formHeight, kMinFormHeight) - kTextHeightMargin;
  if (formWidth > kFormWidth) {
    textWidth_ = formWidth - kTextWidthMargin;
    textLeft_ = TextLeft(formWidth, textWidth_);
  } else {
    textWidth_ = kTextWidth;
    textLeft_ = TextLeft(kFormWidth, kTextWidth);
  }
  const int top = LongLabel() ? kLongTextTop : kTextTop;
  txtComments_->setGeometry(platform::PixelRect(textLeft_, top, textWidth_, textHeight_));
}

bool frmGameComments::eventFilter(QObject* watched, QEvent* event) {
  // A minimised window hides the box; it is fitted again when restored.
  if (watched == parentWidget() && event->type() == QEvent::Resize &&
      !parentWidget()->isMinimized()) {
    const QSize size = static_cast<QResizeEvent*>(event)->size();
    FitTo(PixelsToTwips(size.width()), PixelsToTwips(size.height()));
  }
  return QWidget::eventFilter(watched, event);
}

frmGameComments* OpenNotepad(const frmMDI& window) {
  // Asked on every load, so looked for among the windows rather than every widget within
  // them. A closed one lingers until its deferred deletion.
  for (const QMdiSubWindow* sub : window.MdiArea()->subWindowList()) {
    auto* notepad = qobject_cast<frmGameComments*>(sub->widget());
    if (notepad != nullptr && notepad->IsOpen()) return notepad;
  }
  return nullptr;
}

frmGameComments* ShowNotepad(frmMDI& window) {
  frmGameComments* notepad = OpenNotepad(window);
  if (notepad == nullptr) {
    notepad = new frmGameComments(window);
    QMdiSubWindow* sub = views::AddChildWindow(*window.MdiArea(), notepad);
    sub->installEventFilter(notepad);
    // The least size is a limit of the window rather than a snap back.
    sub->setMinimumSize(TwipsToPixels(kFormWidth), TwipsToPixels(kMinFormHeight));
    sub->resize(TwipsToPixels(kFormWidth), TwipsToPixels(kFormHeight));
  }
  QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(notepad->parentWidget());
  if (sub != nullptr) {
    const bool opening = !sub->isVisible();
    sub->show();
    // The area puts a new window where it overlaps the others least, which may be below the
    // client area's bottom with only the title in sight.
    if (opening) views::KeepInsideArea(*sub);
    platform::ActivateSubWindow(*window.MdiArea(), *sub);
  }
  notepad->txtComments()->setFocus(Qt::OtherFocusReason);
  return notepad;
}

void EmptyNotepad(frmMDI& window) {
  if (frmGameComments* notepad = OpenNotepad(window)) {
    notepad->txtComments()->clear();
  } else {
    window.GameComments(QString());
  }
}

}  // namespace talvair::shell
