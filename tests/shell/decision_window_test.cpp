#include "shell/decision_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <ostream>
#include <string>

#include "model/game.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/message_box.h"
#include "shell/globals.h"

namespace talvair::shell {
namespace {

using Texts5 = std::array<QString, 5>;
const numtext::NumberLocale kEnglish{".", ","};
const numtext::NumberLocale kBrazil{",", "."};
const QString kNotNumbers = "The following items are not valid numbers. Please check and re-input";

class DecisionWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Load("English", kEnglish); }
  void TearDown() override {
    CurrentLanguage.clear();
    numtext::SetCurrentNumberLocale({});
  }
  void Load(const std::string& language, const numtext::NumberLocale& locale) {
    CurrentLanguage = language;
    numtext::SetCurrentNumberLocale(locale);
    window = std::make_unique<frmDecision>(model);
  }
  void Type(const Texts5& texts) {
    for (int box = 1; box <= 5; ++box) window->SetDecisionText(box, texts[box - 1]);
  }
  Texts5 Texts() const {
    Texts5 texts;
    for (int box = 1; box <= 5; ++box) texts[box - 1] = window->DecisionText(box);
    return texts;
  }
  QLabel* Label(const char* name) const { return window->findChild<QLabel*>(name); }
  const platform::ScriptedMessages::Shown& Last() const { return messages.ShownMessages().back(); }

  game model;
  platform::ScopedScriptedMessages messages;
  std::unique_ptr<frmDecision> window;
};

TEST_F(DecisionWindowTest, LoadsCaptionsAndPeriodZeroInLanguageAndLocale) {
  EXPECT_EQ(Texts(), (Texts5{"0", "0.09", "0.10", "9", "0.60"}));
  EXPECT_FALSE(Label("Image2")->isVisibleTo(window.get()));
  struct Row {
    std::string language;
    QString label1, label2, tip4;
  };
  const Row rows[] = {
      {"English", "Aircraft Purchases per Qtr", "Cockpit", " Hire or lay off staff"},
      {"Spanish", "Compra de aeronaves por trimestre", "Panel de Control",
       " Contrate o despida al personal "},
      {"Port", "Compra de Aeronaves (un./trim.)", "Painel de Controle",
       " Empregue ou despeça a equipe de funcionários "}};
  for (const Row& row : rows) {
    Load(row.language, kBrazil);
    EXPECT_EQ(Label("Label1_1")->text(), row.label1);
    EXPECT_EQ(Label("Label2")->text(), row.label2);
    EXPECT_EQ(Label("Label1_4")->toolTip(), row.tip4);
    EXPECT_EQ(Texts(), (Texts5{"0", "0,09", "0,10", "9", "0,60"}));
  }
}

TEST_F(DecisionWindowTest, KeyFiltersPassOnlyTheirCharacters) {
  const QString kept[] = {"12-", "12.,â", "12.,â", "12-â", "12.,"};
  for (int box = 1; box <= 5; ++box) {
    window->SetDecisionText(box, "");
    for (const QChar c : QString("12-.,aâ")) {  // Qt's code of a Latin-1 key is its capital
      const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
      QTest::sendKeyEvent(QTest::Click, window->Box(box), key, QString(c), {});
    }
    EXPECT_EQ(window->DecisionText(box), kept[box - 1]) << box;
  }
  // Ctrl+V (code 22) and Enter (13) are refused, Backspace passes, keys that type nothing
  // are never filtered.
  QApplication::clipboard()->setText("7");
  QTest::sendKeyEvent(QTest::Click, window->Box(1), Qt::Key_V, "\x16", Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, window->Box(1), Qt::Key_Left, "", {});
  QTest::sendKeyEvent(QTest::Click, window->Box(1), Qt::Key_Backspace, "\b", {});
  QTest::sendKeyEvent(QTest::Click, window->Box(5), Qt::Key_Return, "\r", {});
  EXPECT_EQ(window->DecisionText(1), "1-");
  EXPECT_EQ(window->DecisionText(5), "12.,");
}

// The boxes with fractions take the locale's own decimal sign, and what it types reads back.
TEST_F(DecisionWindowTest, EveryLocalesDecimalSignCanBeTyped) {
  const struct {
    const char* name;
    numtext::NumberLocale locale;
  } cases[] = {
      {"English", kEnglish},
      {"Brazil", kBrazil},
      {"Arabic and Persian", {"\u066B", "\u066C"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load("English", c.locale);
    const QString sign = QString::fromStdString(c.locale.decimalPoint);
    const double typed[] = {0.0, 0.2, 0.5, 0.0, 1.5};
    for (const int box : {2, 3, 5}) {
      window->SetDecisionText(box, "");
      QString keys = QString::number(typed[box - 1]);
      keys.replace('.', sign);
      for (const QChar key : keys) {
        QTest::sendKeyEvent(QTest::Click, window->Box(box), static_cast<Qt::Key>(key.unicode()),
                            QString(key), {});
      }
      EXPECT_EQ(numtext::ParseDecision(window->DecisionText(box).toStdString()), typed[box - 1])
          << box;
    }
    // Boxes of whole numbers still refuse it.
    QTest::sendKeyEvent(QTest::Click, window->Box(1), static_cast<Qt::Key>(sign.front().unicode()),
                        sign, {});
    EXPECT_EQ(window->DecisionText(1), "0");
    EXPECT_TRUE(window->DecisionsValid());
    EXPECT_TRUE(messages.ShownMessages().empty());
  }
}

TEST_F(DecisionWindowTest, NonNumbersAreListedAllAtOnceAndNothingChanges) {
  const Texts5 typed = {"abc", "0.5", "", "1,000", "1e3"};
  Type(typed);
  EXPECT_FALSE(window->DecisionsValid());
  EXPECT_EQ(Last().text,
            kNotNumbers + "\r\nAircraft Purchases\r\nMarketing\r\nHiring\r\nTarget Service Scope");
  EXPECT_EQ(Last().style, 0);
  EXPECT_TRUE(Last().title.isEmpty());
  EXPECT_EQ(Texts(), typed);

  Load("Spanish", kEnglish);
  Type({"1" + QString(400, '0'), "", "0.1", "-", "1"});
  EXPECT_FALSE(window->DecisionsValid());
  EXPECT_EQ(Last().text,
            "Los siguientes ítems contienen valores incorrectos, por favor revíselos y vuelva a "
            "ingresarlos\r\nCompra de aeronaves\r\nTarifa\r\nContrataciones");
  EXPECT_EQ(messages.ShownMessages().size(), 2u);
}

struct RangeRow {
  std::string language;
  bool brazil;  // "," the decimal sign, "." the group sign
  int box;
  QString typed, correction, text, title;
};

void PrintTo(const RangeRow& row, std::ostream* os) {
  *os << row.language << (row.brazil ? " in Brazil" : "") << ", box " << row.box << ": "
      << row.typed.left(12).toStdString();
}

class DecisionRangeTest : public DecisionWindowTest,
                          public ::testing::WithParamInterface<RangeRow> {};

TEST_P(DecisionRangeTest, FirstBoxOutOfRangeIsReportedAndCorrected) {
  const RangeRow& row = GetParam();
  Load(row.language, row.brazil ? kBrazil : kEnglish);
  Texts5 typed = Texts();
  typed[row.box - 1] = row.typed;
  Type(typed);
  EXPECT_FALSE(window->DecisionsValid());
  ASSERT_EQ(messages.ShownMessages().size(), 1u);
  EXPECT_EQ(Last().style, 48);
  EXPECT_EQ(Last().text, row.text);
  EXPECT_EQ(Last().title, row.title);
  typed[row.box - 1] = row.correction;
  EXPECT_EQ(Texts(), typed);
  EXPECT_TRUE(window->DecisionsValid());  // the correction reads back in the locale
}

const QString kAir = "Aircraft Purchases must be in the range -3 to 1000";
const QString kFare = "Talvair Fare must be in the range 0.01 to 1";
const QString kMkt = "Fraction of Marketing must be in the range 0 to 1";
const QString kHire = "Hiring must be in the range -165 to 10,000";
const QString kScope = "Target Service Scope must be between 0.1 and 2";
INSTANTIATE_TEST_SUITE_P(
    Bounds, DecisionRangeTest,
    ::testing::Values(
        RangeRow{"English", false, 1, "-3.4", "-3", kAir, "Aircraft Purchases"},
        RangeRow{"English", false, 1, "40000", "1000", kAir, "Aircraft Purchases"},
        RangeRow{"English", false, 1, "1" + QString(300, '0'), "1000", kAir, "Aircraft Purchases"},
        RangeRow{"English", false, 2, "0.005", "0.01", kFare, "Talvair fare"},
        RangeRow{"English", false, 2, "1.004", "1.00", kFare, "Talvair fare"},
        RangeRow{"English", false, 3, "1.5", "1", kMkt, "Fraction of Marketing"},
        RangeRow{"English", false, 3, "-0.2", "0", kMkt, "Fraction of Marketing"},
        RangeRow{"English", false, 4, "10001", "10000", kHire, "Hiring"},
        RangeRow{"English", false, 4, "-166", "-165", kHire, "Hiring"},
        RangeRow{"English", false, 5, "2.5", "2.0", kScope, "Target Service Scope"},
        RangeRow{"English", true, 2, "1,004", "1,00", kFare, "Talvair fare"},
        RangeRow{"Spanish", false, 2, "2", "1.00",
                 "El valor de la tarifa de Talvair debe estar entre 0,01 y 1", "Tarifa"},
        RangeRow{"Spanish", false, 4, "20000", "10000",
                 "La contratación debe asumir un valor entre -165  y 10.000", "Contrataciones"},
        RangeRow{"Port", true, 4, "10001", "10000",
                 "Contratações deve ser um número entre -165 e 10,000", "Contratações"},
        RangeRow{"Port", true, 5, "3", "2,0",
                 "Escopo de Serviço (meta) deve ser um número entre 0.1 e 2",
                 "Escopo de Serviço (meta)"}),
    [](const ::testing::TestParamInfo<RangeRow>& info) {
      return info.param.language + (info.param.brazil ? "Brazil" : "") + "Box" +
             std::to_string(info.param.box) + "Case" + std::to_string(info.index);
    });

TEST_F(DecisionWindowTest, EntriesWithinTheBoundsAreValidAsTyped) {
  const Texts5 valid[] = {{"-3", "0.01", "0", "-165", "0.1"},
                          {"1000", "1", "1", "10000", "2"},
                          {"2.5", "0.015", "0.5", "-2.5", "1.99"}};
  for (const Texts5& typed : valid) {
    Type(typed);
    EXPECT_TRUE(window->DecisionsValid());
    EXPECT_EQ(Texts(), typed);
  }
  Load("English", kBrazil);
  Type({"-2", "0,5", "0,25", "-165", "1,5"});
  EXPECT_TRUE(window->DecisionsValid());
  window->SetDecisionText(2, "0.5");
  EXPECT_FALSE(window->DecisionsValid());
  EXPECT_EQ(Last().text, kNotNumbers + "\r\nTalvair Fare");
}

TEST_F(DecisionWindowTest, HiringBoundIsTheRoundedCurrentWorkforce) {
  model.GoForward();  // the workforce is now 163.15 (another employee count reads 164.75)
  Type({"0", "0.09", "0.1", "-164", "0.6"});
  EXPECT_FALSE(window->DecisionsValid());
  EXPECT_EQ(Last().text, "Hiring must be in the range -163 to 10,000");
  EXPECT_EQ(window->DecisionText(4), "-163");
  EXPECT_TRUE(window->DecisionsValid());

  model.SetVarValue(285, -1, 0, 50000.0);  // beyond a 16-bit whole number
  window->SetDecisionText(4, "-50000");
  EXPECT_TRUE(window->DecisionsValid());
  window->SetDecisionText(4, "-50001");
  EXPECT_FALSE(window->DecisionsValid());
  EXPECT_EQ(Last().text, "Hiring must be in the range -50000 to 10,000");
}

TEST_F(DecisionWindowTest, OnlyTheFirstOfTwoBoxesOutOfRangeIsReported) {
  Type({"2000", "0.09", "3", "9", "0.6"});
  EXPECT_FALSE(window->DecisionsValid());
  EXPECT_EQ(Texts(), (Texts5{"1000", "0.09", "3", "9", "0.6"}));
  EXPECT_FALSE(window->DecisionsValid());
  EXPECT_EQ(Last().title, "Fraction of Marketing");
  EXPECT_EQ(window->DecisionText(3), "1");
}

TEST_F(DecisionWindowTest, FillsWriteTheLocaleFormWithoutGrouping) {
  Load("English", kBrazil);
  window->FillDecisions({1000, 0.5, 0.256, 10000, 1});
  EXPECT_EQ(Texts(), (Texts5{"1000", "0,5", "0,26", "10000", "1,00"}));
  model.SetVarValue(204, -1, 0, 0.125);
  model.GoForward();
  window->FillFromModel(frmDecision::FillSource::Displayed, model.TValue());  // Go Back
  EXPECT_EQ(window->DecisionText(2), "0,125");
  model.Restart();
  window->FillFromModel(frmDecision::FillSource::Computed, InitialTimeIndex);
  EXPECT_EQ(Texts(), (Texts5{"0", "0,09", "0,10", "9", "0,60"}));
}

class HostedDecisionWindowTest : public DecisionWindowTest {
 protected:
  void SetUp() override {
    DecisionWindowTest::SetUp();
    area.resize(800, 600);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    window.reset();
    hosted = CreateDecisionWindow(area, model, "1 Time Step");
    sub = hosted->SubWindow();
  }
  QLabel* Hosted(const char* name) const { return hosted->findChild<QLabel*>(name); }
  QMdiArea area;
  frmDecision* hosted = nullptr;
  QMdiSubWindow* sub = nullptr;
};

TEST_F(HostedDecisionWindowTest, CollapseAndExpandRestoreTheLoadedHeight) {
  const int full = sub->height();
  EXPECT_EQ(Hosted("lblTimeStep2")->text(), "1 Time Step");
  QTest::mouseClick(Hosted("Image1"), Qt::LeftButton);
  EXPECT_EQ(sub->height(), 800 / 15);
  EXPECT_TRUE(Hosted("lblMinMax_1")->isVisible());
  EXPECT_FALSE(Hosted("Image1")->isVisible());
  QTest::mouseClick(Hosted("Image2"), Qt::LeftButton);
  EXPECT_EQ(sub->height(), full);
  EXPECT_TRUE(Hosted("Image1")->isVisible());
}

TEST_F(HostedDecisionWindowTest, PlayerCannotCloseItAndViewBringsItHome) {
  EXPECT_EQ(sub->systemMenu(), nullptr);
  EXPECT_FALSE(sub->close());
  hosted->Box(5)->setFocus();
  QTest::keyClick(hosted->Box(5), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), hosted->Box(5));
  hosted->Box(2)->setFocus();
  QTest::keyClick(hosted->Box(2), Qt::Key_F4, Qt::ControlModifier);
  area.closeAllSubWindows();
  EXPECT_TRUE(sub->isVisible());

  QSignalSpy reset(hosted, &frmDecision::ResetCopyMenu);
  QSignalSpy enable(hosted, &frmDecision::EnableCopyMenu);
  QMdiSubWindow* other = area.addSubWindow(new QLineEdit);
  other->show();
  sub->move(120, 90);
  area.setActiveSubWindow(other);
  EXPECT_EQ(reset.count(), 1);
  hosted->BringToFront();
  EXPECT_EQ(sub->pos(), QPoint(0, 0));
  EXPECT_EQ(area.activeSubWindow(), sub);
  EXPECT_EQ(QApplication::focusWidget(), hosted->Box(2));
  EXPECT_EQ(enable.count(), 1);

  // Over a maximised window it comes back in its normal state, with Copy offered.
  other->showMaximized();
  area.setActiveSubWindow(other);
  hosted->BringToFront();
  EXPECT_EQ(area.activeSubWindow(), sub);
  EXPECT_FALSE(sub->isMaximized());
  EXPECT_EQ(enable.count(), 2);

  hosted->SetDecisionText(1, "7");
  hosted->Unload();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(area.subWindowList(), QList<QMdiSubWindow*>{other});
  EXPECT_EQ(DecisionTexts[0], "7");
}

TEST_F(HostedDecisionWindowTest, MenuShortcutsComeBeforeTheBoxes) {
  // Ctrl+A (About) and Ctrl+C (Copy) reach their menu items; the key of a disabled item
  // reaches the box, which refuses it.
  struct Row {
    Qt::Key key;
    bool shortcut;
  };
  const Row rows[] = {{Qt::Key_A, true}, {Qt::Key_C, true}, {Qt::Key_Z, false}};
  for (const Row& row : rows) {
    int fired = 0;
    QAction action(&area);
    action.setShortcut(QKeySequence(Qt::CTRL | row.key));
    action.setShortcutContext(Qt::ApplicationShortcut);
    action.setEnabled(row.shortcut);
    QObject::connect(&action, &QAction::triggered, [&fired] { ++fired; });
    area.addAction(&action);
    for (int box = 1; box <= kDecisionBoxCount; ++box) {
      hosted->SetDecisionText(box, "12");
      hosted->Box(box)->setFocus();
      hosted->Box(box)->setCursorPosition(1);
      QTest::keyClick(hosted->Box(box), row.key, Qt::ControlModifier);
      QTest::keyClick(hosted->Box(box), Qt::Key_Backspace);
      EXPECT_EQ(hosted->DecisionText(box), "2") << box;
    }
    EXPECT_EQ(fired, row.shortcut ? kDecisionBoxCount : 0) << row.key;
  }
}

}  // namespace
}  // namespace talvair::shell
