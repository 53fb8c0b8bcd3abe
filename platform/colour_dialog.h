// The colour dialog, through one replaceable service so tests can script the player's choice
// and never block on a modal window.
#pragma once

#include <QColor>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace talvair::platform {

class ColourDialogService {
 public:
  virtual ~ColourDialogService() = default;
  // Shows the dialog modally, starting from `start`; the chosen colour, or nullopt when the
  // player cancelled.
  virtual std::optional<QColor> Choose(const QColor& start, QWidget* parent) = 0;
};

// The service in use: the real dialog unless a test installed another.
ColourDialogService& ColourDialogs();
// Installs a service (not owned); nullptr restores the real one.
void SetColourDialogService(ColourDialogService* service);

inline std::optional<QColor> ChooseColour(const QColor& start, QWidget* parent) {
  return ColourDialogs().Choose(start, parent);
}

// For tests: answers from a queue (a cancel when empty) and records each start colour.
class ScriptedColourDialog : public ColourDialogService {
 public:
  ScriptedColourDialog() { SetColourDialogService(this); }
  ~ScriptedColourDialog() override { SetColourDialogService(nullptr); }
  ScriptedColourDialog(const ScriptedColourDialog&) = delete;
  ScriptedColourDialog& operator=(const ScriptedColourDialog&) = delete;

  std::optional<QColor> Choose(const QColor& start, QWidget* parent) override;
  void Answer(std::optional<QColor> answer) { answers_.push_back(answer); }
  const std::vector<QColor>& Starts() const { return starts_; }

 private:
  std::deque<std::optional<QColor>> answers_;
  std::vector<QColor> starts_;
};

}  // namespace talvair::platform
