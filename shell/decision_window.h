// frmDecision: the always-open child window in which the player types the five decisions
// of the next quarter. Run asks it to validate them; the model then reads the boxes'
// texts; Restart, Go Back and Open Game write the boxes back from the model.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;

namespace talvair {
class game;
}

namespace talvair::shell {

// Decision boxes in their fixed order, 1 to 5: aircraft purchases, fare, marketing
// fraction, hiring, target service scope.
inline constexpr int kDecisionBoxCount = 5;

class frmDecision : public QWidget {
  Q_OBJECT

 public:
  // Which of the model's two value tables a refill reads.
  enum class FillSource {
    Computed,   // GetVarValue: Restart, Open Game
    Displayed,  // GetDisplayValue: Go Back
  };

  // Builds and loads the window: captions and tool tips in the current language, boxes
  // filled from period 0 of `model` (which must outlive the window), lblTimeStep2 showing
  // `timeStepCaption` (the checked Time Step item's caption).
  explicit frmDecision(game& model, const QString& timeStepCaption = QString(),
                       QWidget* parent = nullptr);
  // Keeps the boxes' texts in DecisionTexts.
  ~frmDecision() override;

  // True when all five entries are numbers within their bounds. Otherwise shows one
  // message and returns False: non-numeric entries are listed all at once; else the first
  // box out of range is reported and set to the bound it crossed.
  //
  // Every entry is read with numtext::ParseDecision, the reading the model's
  // ApplyDecisions uses, so what passes here is exactly what the model gets. Bounds are
  // tested on that value in double precision: a whole-number decision (aircraft, hiring)
  // with a fraction passes when the value lies within the bounds, and the model receives
  // it as typed.
  bool DecisionsValid();

  // The text of box 1..5, for the model's ApplyDecisions; empty for any other number.
  QString DecisionText(int box) const;
  void SetDecisionText(int box, const QString& text);
  QLineEdit* Box(int box) const;

  // Writes the five values in each box's own form (whole numbers for aircraft and hiring,
  // hundredths for marketing and service scope, the fare's general text of up to 15
  // significant digits), always in the current number locale without grouping. Every
  // refill (load, Go Back, Restart, Open Game) comes here.
  void FillDecisions(const std::array<double, kDecisionBoxCount>& values);
  // The same from the model: the five decision variables at `period` (-1 the current one).
  void FillFromModel(FillSource source, int16_t period);
  // The text a fill writes into `box` for `value`.
  static QString FillText(int box, double value);

  // lblTimeStep2: the chosen time step.
  void SetTimeStepCaption(const QString& caption);

  // The sub-window that hosts the window, nullptr before it is hosted.
  QMdiSubWindow* SubWindow() const;
  // View > Decision Window: home to the client area's top-left corner, shown, in front
  // and focused. A collapsed window stays collapsed.
  void BringToFront();
  // Lets the window close (at the program's end); the player can never close it.
  void Unload();

  bool IsCollapsed() const { return collapsed_; }
  int FullHeight() const { return fullHeight_; }

  QSize sizeHint() const override;

 signals:
  // The window got the focus in its normal state: Edit > Copy becomes available with its
  // caption unchanged.
  void EnableCopyMenu();
  // The window lost the focus: Edit > Copy goes back to its reset state.
  void ResetCopyMenu();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ApplyCaptions();
  void HostedIn(QMdiSubWindow* subWindow);
  void Collapse();
  void Expand();
  void FocusChanged(QWidget* old, QWidget* now);
  int BoxOf(const QObject* object) const;
  bool KeyDiscarded(int box, const QKeyEvent& event) const;
  void ReportOutOfRange(int box, bool below, double hiringLowerBound);

  friend frmDecision* CreateDecisionWindow(QMdiArea& area, game& model,
                                           const QString& timeStepCaption);

  game& model_;
  std::array<QLineEdit*, kDecisionBoxCount> boxes_{};
  std::array<QLabel*, kDecisionBoxCount> label1_{};
  QLabel* label2_ = nullptr;
  QLabel* lblTimeStep1_ = nullptr;
  QLabel* lblTimeStep2_ = nullptr;
  QLabel* image1_ = nullptr;
  QLabel* image2_ = nullptr;
  std::array<QLabel*, 2> lblMinMax_{};
  QGroupBox* frame1_ = nullptr;
  QMdiSubWindow* subWindow_ = nullptr;
  int fullHeight_ = 0;
  bool collapsed_ = false;
  bool closing_ = false;
};

// Loads the decision window into a new sub-window of `area`, at the top-left corner of
// the client area, and shows it.
frmDecision* CreateDecisionWindow(QMdiArea& area, game& model,
                                  const QString& timeStepCaption = QString());

}  // namespace talvair::shell
