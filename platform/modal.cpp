#include "platform/modal.h"

#include <QDialog>

namespace talvair::platform {

namespace {
ModalService* installed = nullptr;
}  // namespace

int RunModal(QDialog& form) {
  if (installed != nullptr) return installed->Run(form);
  return form.exec();
}

void SetModalService(ModalService* service) { installed = service; }

int ScriptedModals::Run(QDialog& form) {
  shown_ << form.objectName();
  return QDialog::Rejected;
}

}  // namespace talvair::platform
