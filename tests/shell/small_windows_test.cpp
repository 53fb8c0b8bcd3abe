// The language selection, the splash window, the About box and the background window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <string>

#include "model/language.h"
#include "platform/twips.h"
#include "shell/about_window.h"
#include "shell/artwork.h"
#include "shell/background_window.h"
#include "shell/globals.h"
#include "shell/language_window.h"
#include "shell/splash_window.h"
#include "storage/globals.h"

namespace talvair::shell {
namespace {

using platform::TwipsToPixels;

// Restores the globals the windows read and write.
class SmallWindowsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    CurrentLanguage = language_;
    LanguageSaved = languageSaved_;
    InstitutionEdition = institution_;
  }

 private:
  std::string language_ = CurrentLanguage;
  bool languageSaved_ = LanguageSaved;
  bool institution_ = InstitutionEdition;
};

int Bottom(const QWidget* w) { return w->y() + w->height(); }

// ---- Language selection ----

TEST_F(SmallWindowsTest, LanguageWindowOpensWithEnglishSelectedAndNeutralCaptions) {
  frmLangSelect window;
  EXPECT_EQ(window.objectName(), "frmLangSelect");
  EXPECT_TRUE(window.Option1(0)->isChecked());
  EXPECT_EQ(window.fraLang()->title(), "Language");
  EXPECT_EQ(window.Check1()->text(), "Save / Guarde / Salvar");
  EXPECT_FALSE(window.Check1()->isChecked());
  EXPECT_EQ(window.cmdStart()->text(), "Continue / Continuar");
  EXPECT_EQ(window.Label1()->text(),
            QString::fromUtf8("Talvair may be run in English, Spanish or Portuguese: please "
                              "select your preferred language.\n\nEspañol: por favor seleccione "
                              "su idioma preferido.\n\nPortuguês: selecione seu idioma "
                              "preferido."));
  EXPECT_FALSE(window.picLogo()->Picture().isNull());
}

TEST_F(SmallWindowsTest, EachChoiceSetsTheLanguageAndTheSaveCaption) {
  struct Case {
    int index;
    bool tick;
    const char* code;
    const char* saveCaption;
  };
  const Case cases[] = {
      {0, true, "English", "Save your selection"},
      {1, false, "Spanish", "Guarde la selección"},
      {2, true, "Port", "Salvar seleçaõ"},
      {2, false, "Port", "Salvar seleçaõ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    CurrentLanguage = "none";
    LanguageSaved = false;
    frmLangSelect window;
    if (c.tick) QTest::mouseClick(window.Check1(), Qt::LeftButton);
    window.Option1(c.index)->click();
    EXPECT_EQ(CurrentLanguage, c.code);
    EXPECT_EQ(window.Check1()->text(), QString::fromUtf8(c.saveCaption));
    window.cmdStart()->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(CurrentLanguage, c.code);
    EXPECT_EQ(LanguageSaved, c.tick);
  }
}

TEST_F(SmallWindowsTest, ContinueWithoutChoosingLeavesTheLanguageAlone) {
  CurrentLanguage = "Port";
  LanguageSaved = false;
  frmLangSelect window;
  window.show();
  window.cmdStart()->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(CurrentLanguage, "Port");
  EXPECT_FALSE(LanguageSaved);
}

TEST_F(SmallWindowsTest, SaveBoxFollowsTicksAcrossLanguageChanges) {
  LanguageSaved = false;
  frmLangSelect window;
  window.Check1()->click();
  EXPECT_TRUE(LanguageSaved);
  window.Option1(1)->click();
  window.Option1(2)->click();
  EXPECT_TRUE(LanguageSaved);
  window.Check1()->click();
  EXPECT_FALSE(LanguageSaved);
}

TEST_F(SmallWindowsTest, UnknownOptionIndexChangesNothing) {
  CurrentLanguage = "Spanish";
  frmLangSelect window;
  for (int index : {-1, 3}) {
    window.Option1_Click(index);
    EXPECT_EQ(CurrentLanguage, "Spanish");
    EXPECT_EQ(window.Check1()->text(), "Save / Guarde / Salvar");
  }
  EXPECT_EQ(window.Option1(3), nullptr);
}

// ---- Splash window ----

TEST_F(SmallWindowsTest, SplashButtonCaptionFollowsTheLanguage) {
  const std::pair<const char*, const char*> cases[] = {
      {"English", "Click here to start"},
      {"Spanish", "Haga clic para aquí comenzar"},
      {"Port", "Clique aqui para começar"},
      {"spanish", "Click here to start"},
  };
  for (const auto& [code, caption] : cases) {
    CurrentLanguage = code;
    frmSplash splash;
    EXPECT_EQ(splash.Command1()->text(), QString::fromUtf8(caption)) << code;
  }
}

TEST_F(SmallWindowsTest, SplashShowsTheApplicationVersion) {
  const QString saved = QCoreApplication::applicationVersion();
  QCoreApplication::setApplicationVersion(QStringLiteral("3.3.3"));
  {
    frmSplash splash;
    EXPECT_EQ(splash.lblVersion()->text(), "Version 3.3.3");
  }
  QCoreApplication::setApplicationVersion(saved);
  EXPECT_EQ(VersionCaption(QStringLiteral("1.2")), "Version 1.2.0");
  EXPECT_EQ(VersionCaption(QString()), "Version 0.0.0");
}

TEST_F(SmallWindowsTest, SplashLayoutInEachEdition) {
  for (bool institution : {false, true}) {
    SCOPED_TRACE(institution);
    InstitutionEdition = institution;
    frmSplash splash;
    const QWidget* logo = splash.imgLogo();
    const QWidget* button = splash.Command1();
    const QWidget* xqb = splash.imgXqbLogo();

    EXPECT_FALSE(logo->isHidden());
    EXPECT_NEAR(splash.imgTitle()->x(), (splash.width() - splash.imgTitle()->width()) / 2, 1);
    EXPECT_GT(logo->y(), Bottom(splash.Frame1()) - 1);
    EXPECT_EQ(Bottom(button), Bottom(logo));
    EXPECT_NEAR(splash.height(), logo->y() + 1.3 * logo->height(), 2);

    EXPECT_EQ(xqb->isHidden(), !institution);
    if (institution) {
      EXPECT_EQ(Bottom(xqb), Bottom(logo));
      EXPECT_NEAR(xqb->x() + xqb->width() / 2.0, splash.width() / 2.0, 1);
      EXPECT_EQ(button->width(), logo->width());
      EXPECT_NEAR(splash.width() - (button->x() + button->width()), logo->x(), 1);
    } else {
      EXPECT_NE(button->width(), logo->width());
    }
  }
}

TEST_F(SmallWindowsTest, SplashClosesOnItsStartButtonOnly) {
  frmSplash splash;
  splash.show();
  QTest::mouseClick(&splash, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(splash.imgLogo(), Qt::LeftButton);
  EXPECT_TRUE(splash.isVisible());
  QTest::mouseClick(splash.Command1(), Qt::LeftButton);
  EXPECT_FALSE(splash.isVisible());
  EXPECT_EQ(splash.result(), QDialog::Accepted);
}

// ---- About box ----

TEST_F(SmallWindowsTest, AboutBoxTextsAndHeightByLanguage) {
  struct Case {
    const char* code;
    int twipsBelowButton;
    const char* descriptionStart;
  };
  const Case cases[] = {
      {"English", 950, "The Talvair Management Flight Simulator"},
      {"Spanish", 1200, "El Simulador de Vuelo Gerencial Talvair"},
      {"Port", 1380, "O Simulador de Voo Gerencial Talvair"},
      {"Deutsch", 950, "The Talvair Management Flight Simulator"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    CurrentLanguage = c.code;
    Aboutform about;
    EXPECT_EQ(about.windowTitle(), "About the Talvair Management Flight Simulator");
    EXPECT_EQ(about.Label2()->text(), "Talvair");
    EXPECT_TRUE(about.Label5()->text().startsWith(QString::fromUtf8(c.descriptionStart)));
    EXPECT_EQ(about.Command1()->text(), "OK");
    EXPECT_NEAR(about.height() - about.Command1()->y(), TwipsToPixels(c.twipsBelowButton), 1);
    EXPECT_TRUE(about.Image3()->isHidden());
    EXPECT_FALSE(about.Image1()->isHidden());
  }
}

TEST_F(SmallWindowsTest, AboutBoxDedicationOnlyInTheInstitutionEdition) {
  for (bool institution : {false, true}) {
    SCOPED_TRACE(institution);
    InstitutionEdition = institution;
    Aboutform about;
    EXPECT_EQ(about.LblXqb()->isHidden(), !institution);
    const QLabel* lowest = institution ? about.LblXqb() : about.Label5();
    EXPECT_NEAR(about.Command1()->y(), Bottom(lowest) + TwipsToPixels(125), 1);
    // The wrapped description is never cut off by the label below it.
    EXPECT_GE(about.Label5()->height(), about.Label5()->heightForWidth(about.Label5()->width()));
  }
}

// ---- Background window ----

class BackgroundWindowTest : public ::testing::Test {
 protected:
  BackgroundWindowTest() {
    area_.resize(800, 600);
    area_.show();
    background_ = qobject_cast<frmBackground*>(CreateBackgroundWindow(&area_));
  }

  QMdiSubWindow* AddChild(const QRect& geometry) {
    QMdiSubWindow* child = area_.addSubWindow(new QLabel(QStringLiteral("report")));
    child->setGeometry(geometry);
    child->show();
    return child;
  }

  void ExpectFillsClientArea() const {
    EXPECT_EQ(background_->geometry(), area_.viewport()->rect());
    EXPECT_EQ(background_->PicBackground()->size(), background_->size());
    EXPECT_EQ(background_->imgBackgroundFull()->geometry(), background_->PicBackground()->rect());
    EXPECT_FALSE(background_->imgBackgroundFull()->isHidden());
  }

  void ExpectAtTheBack() const {
    EXPECT_EQ(area_.subWindowList(QMdiArea::StackingOrder).first(), background_);
  }

  QMdiArea area_;
  frmBackground* background_ = nullptr;
};

TEST_F(BackgroundWindowTest, FillsTheClientAreaWithThePicture) {
  ASSERT_NE(background_, nullptr);
  EXPECT_EQ(background_->objectName(), "frmBackground");
  EXPECT_FALSE(background_->isEnabled());
  EXPECT_EQ(background_->PicBackground()->palette().color(QPalette::Window), QColor(90, 107, 197));
  EXPECT_FALSE(background_->imgBackgroundFull()->Picture().isNull());
  ExpectFillsClientArea();

  area_.resize(640, 700);
  QCoreApplication::processEvents();
  ExpectFillsClientArea();
}

TEST_F(BackgroundWindowTest, StaysBehindTheOtherChildren) {
  QMdiSubWindow* report = AddChild({40, 40, 200, 150});
  QMdiSubWindow* table = AddChild({100, 100, 200, 150});
  ExpectAtTheBack();

  area_.setActiveSubWindow(background_);
  EXPECT_NE(area_.activeSubWindow(), background_);
  background_->raise();
  ExpectAtTheBack();
  const QWidget* hit = area_.viewport()->childAt(QPoint(50, 50));
  EXPECT_TRUE(hit == report || report->isAncestorOf(hit));

  table->close();
  area_.tileSubWindows();
  ExpectAtTheBack();
  ExpectFillsClientArea();
}

}  // namespace
}  // namespace talvair::shell
