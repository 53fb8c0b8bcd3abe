// Modal forms (the About box and the like) run through one replaceable service, so tests
// can see which form came up and never block on it.
#pragma once

#include <QString>
#include <QStringList>

class QDialog;

namespace talvair::platform {

class ModalService {
 public:
  virtual ~ModalService() = default;
  // Shows the form modally; the dialog's result.
  virtual int Run(QDialog& form) = 0;
};

// Shows the form through the current service: ExecModal() unless a test installed another.
int RunModal(QDialog& form);
// Every modal dialog and message box of the program runs here: exec(), then the window that
// was active before it (else its owner's window) is activated again.
int ExecModal(QDialog& dialog);
// Installs a service (not owned); nullptr restores the real one.
void SetModalService(ModalService* service);

// For tests: records each form's object name and closes it at once as rejected.
class ScriptedModals : public ModalService {
 public:
  ScriptedModals() { SetModalService(this); }
  ~ScriptedModals() override { SetModalService(nullptr); }
  ScriptedModals(const ScriptedModals&) = delete;
  ScriptedModals& operator=(const ScriptedModals&) = delete;

  int Run(QDialog& form) override;
  const QStringList& Shown() const { return shown_; }

 private:
  QStringList shown_;
};

}  // namespace talvair::platform
