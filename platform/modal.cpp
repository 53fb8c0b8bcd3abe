#include "platform/modal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace talvair::platform {

namespace {
ModalService* installed = nullptr;
}  // namespace

int RunModal(QDialog& form) {
  if (installed != nullptr) return installed->Run(form);
  return ExecModal(form);
}

int ExecModal(QDialog& dialog) {
  // Left to the window manager, the keyboard can land on a window already gone (a Save dialog
  // closes right after its replace question) and stay dead until a click.
  QPointer<QWidget> before = QApplication::activeWindow();
  if (before == nullptr && dialog.parentWidget() != nullptr)
    before = dialog.parentWidget()->window();
  const int result = dialog.exec();
  if (before != nullptr && before->isVisible()) before->activateWindow();
  return result;
}

void SetModalService(ModalService* service) { installed = service; }

int ScriptedModals::Run(QDialog& form) {
  shown_ << form.objectName();
  return QDialog::Rejected;
}

}  // namespace talvair::platform
