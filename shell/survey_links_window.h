// frmSurveyLinks: the research edition's web-link set-up. Opened from the Help menu it
// shows only the folder of the survey-links file ("Save Location" checks, stores and
// loads it); loaded by a run's check it keeps its full layout, the 42 period rows on two
// tabs, and writes changed rows back to the file when it closes. All its texts are
// English only.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "storage/survey_links.h"

class QCheckBox;
class QCloseEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QTabBar;

namespace talvair::shell {

class frmMDI;

class frmSurveyLinks : public QWidget {
  Q_OBJECT

 public:
  // Builds and loads the window: the full layout when SurveyLinksDue is on, else the
  // location view.
  explicit frmSurveyLinks(QWidget* parent = nullptr);

  // "Save Location".
  void Command1_Click();
  // Shows the first tab's rows (index 0) or the second's.
  void TabStrip1_Click(int index);

  bool FullLayout() const { return fullLayout_; }
  // The window's size, frame included.
  QSize FormSize() const { return formSize_; }

  QLineEdit* txtPath() const { return txtPath_; }
  QPushButton* Command1() const { return command1_; }
  QTabBar* TabStrip1() const { return tabStrip1_; }
  QFrame* Frame1() const { return frame1_; }
  QFrame* Frame2() const { return frame2_; }
  QCheckBox* Check1(int row) const;
  QLineEdit* txtURL(int row) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void Load();
  void FillRows();
  storage::SurveyLinkTable RowsShown() const;
  // Writes the rows to the file they were read from when they changed since.
  void SaveChangedRows();
  void Unload();

  bool fullLayout_ = false;
  QSize formSize_;
  QLabel* lblPath_ = nullptr;
  QLineEdit* txtPath_ = nullptr;
  QPushButton* command1_ = nullptr;
  QTabBar* tabStrip1_ = nullptr;
  QFrame* frame1_ = nullptr;
  QFrame* frame2_ = nullptr;
  std::array<QLabel*, 2> label2_{};
  std::array<QCheckBox*, storage::kSurveyLinkRows> check1_{};
  std::array<QLineEdit*, storage::kSurveyLinkRows> txtURL_{};
  storage::SurveyLinkTable shownRows_;
};

// The survey-links window of the main window's MDI area, nullptr when none is loaded.
frmSurveyLinks* SurveyLinksWindow(const frmMDI& window);
// Loads the window into a new sub-window of `area`, shown or not.
frmSurveyLinks* CreateSurveyLinksWindow(QMdiArea& area, bool show);

// After a run: opens the web address of the period reached when its row is checked and the
// address is longer than one character (http and https only). The row being due loads the
// window, unshown, in its full layout.
void CheckSurveyLinks(frmMDI& window, int16_t period);

// Program start: reads the file from the stored folder. A missing file is told ("Links
// file not found") and leaves the survey links off.
void LoadStoredSurveyLinks();

// The file in `folder`, a separator put between them when the folder lacks one.
QString SurveyLinksFileIn(const QString& folder);

}  // namespace talvair::shell
