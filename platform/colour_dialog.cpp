#include "platform/colour_dialog.h"

#include <QColorDialog>

namespace talvair::platform {

namespace {

class RealColourDialog : public ColourDialogService {
 public:
  std::optional<QColor> Choose(const QColor& start, QWidget* parent) override {
    const QColor chosen = QColorDialog::getColor(start, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
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
