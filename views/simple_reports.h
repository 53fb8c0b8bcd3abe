// The four simple reports: Breakeven Analysis, Capacity and Load, Employees, and Stock Price
// and Earnings. Each is one two-column grid under a header with the quarter's label, built
// from a table of rows, and departs from the family only where noted.
#pragma once

#include <vector>

#include "views/report_window.h"

namespace talvair::views {

// One row of a simple report: its label in three languages (lines joined by CR LF), the
// variable it shows (0 for none) in its number pattern, and its height in twips.
struct ReportRow {
  const char* english;
  const char* spanish;
  const char* portuguese;
  int var;
  const char* pattern;
  int height;
};

struct SimpleReportLayout {
  const char* titles[3];
  // Set once when loaded, or on every refresh.
  bool titleInUpdate;
  int homeTop;
  int headerHeight;
  // Measuring texts of the label column: English (and any other code), Spanish, Portuguese.
  const char* measuring[3];
  int labelColumnExtra;
  // False leaves the value column at the grid's default width.
  bool valueColumnSet;
  std::vector<ReportRow> rows;
  // Breakeven: each refresh makes row 1 the current row.
  bool rowOneCurrent = false;
  // Employees: reported service quality reads 1 in the first quarter.
  bool firstQuarterQualityIsOne = false;
};

class SimpleReport : public ReportWindow {
  Q_OBJECT

 public:
  void Update() override;
  std::vector<platform::GridControl*> Grids() const override { return {FlxGrid_}; }

  platform::GridControl* FlxGrid() const { return FlxGrid_; }
  // The variables of the value rows in row order, and the grid row each goes to.
  const std::vector<int>& ReportVarNumbers() const { return reportVarNumbers_; }
  const std::vector<int>& ValueRows() const { return valueRows_; }

 protected:
  SimpleReport(game& model, const SimpleReportLayout& layout, QWidget* parent);
  int HomeTop() const override { return layout_.homeTop; }

 private:
  double ValueOf(int var) const;

  const SimpleReportLayout& layout_;
  platform::GridControl* FlxGrid_;
  std::vector<int> reportVarNumbers_;
  std::vector<int> valueRows_;
};

class frmRptBreakeven : public SimpleReport {
  Q_OBJECT

 public:
  explicit frmRptBreakeven(game& model, QWidget* parent = nullptr);
};

class frmRptCapacity : public SimpleReport {
  Q_OBJECT

 public:
  explicit frmRptCapacity(game& model, QWidget* parent = nullptr);

 protected:
  void Form_Activate() override;
  // Right button: the colour dialog, then the focus. A cancelled dialog keeps the colour.
  void Form_MouseDown(int button, int shift, int x, int y) override;
  void Form_MouseMove() override {}
};

class frmRptEmployees : public SimpleReport {
  Q_OBJECT

 public:
  explicit frmRptEmployees(game& model, QWidget* parent = nullptr);
};

class frmRptStock : public SimpleReport {
  Q_OBJECT

 public:
  explicit frmRptStock(game& model, QWidget* parent = nullptr);

 protected:
  void Form_MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) override {}
};

}  // namespace talvair::views
