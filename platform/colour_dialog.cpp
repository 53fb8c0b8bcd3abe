#include "platform/colour_dialog.h"

#include <QColorDialog>

#include "platform/modal.h"

namespace talvair::platform {

namespace {

class RealColourDialog : public ColourDialogService {
 public:
  std::optional<QColor> Choose(const QColor& start, QWidget* parent) override {
    QColorDialog dialog(start, parent);
    if (ExecModal(dialog) != QDialog::Accepted || !dialog.selectedColor().isValid()) {
      return std::nullopt;
    }
    return dialog.selectedColor();
  }
};

ColourDialogService*& Installed() {
  static ColourDialogService* service = nullptr;
  return service;
}

}  // namespace

ColourDialogService& ColourDialogs() {
  static RealColourDialog real;
  ColourDialogService* service = Installed();
  return service != nullptr ? *service : real;
}

void SetColourDialogService(ColourDialogService* service) { Installed() = service; }

std::optional<QColor> ScriptedColourDialog::Choose(const QColor& start, QWidget* /*parent*/) {
  starts_.push_back(start);
  if (answers_.empty()) return std::nullopt;
  std::optional<QColor> answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace talvair::platform
