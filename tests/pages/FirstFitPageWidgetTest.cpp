// The first-fit page driven as a practitioner drives it: typing into fields and leaving
// them with Enter, answering the program's questions from a script.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "app/MainForm.h"
#include "controls/ImageRadius.h"
#include "controls/OrvekEdit.h"
#include "tests/ScriptedMessages.h"

namespace {

using Kind = ScriptedMessages::Kind;

class FirstFitPage : public ::testing::Test {
 protected:
  void SetUp() override {
    TMainFormOptions options;
    options.messages = &messages;
    form = std::make_unique<TMainForm>(options);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->SetView(0);
  }

  TOrvekEdit* Field(const QString& name) {
    auto* f = form->FindControl<TOrvekEdit>(name);
    EXPECT_NE(f, nullptr) << name.toStdString();
    return f;
  }
  QString Text(const QString& name) { return Field(name)->text(); }
  bool Shown(const QString& name) {
    auto* w = form->FindControl<QWidget>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w && !w->isHidden();
  }

  // Types a value into a field and leaves it with Enter.
  void Type(const QString& name, const QString& text) {
    TOrvekEdit* f = Field(name);
    f->setFocus();
    QApplication::processEvents();
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Delete);
    QTest::keyClicks(f, text);
    QTest::keyClick(f, Qt::Key_Return);
    QApplication::processEvents();
  }

  void EnterEye(const QString& eye, const QStringList& hh, const QStringList& ref) {
    const char* hhFields[] = {"EditFitRfl", "EditFitRst", "EditFitAflm", "EditFitExz", "EditFitHHdia"};
    const char* refFields[] = {"EditFitSph", "EditFitCyl", "EditFitAxis", "EditFitHSA"};
    for (int i = 0; i < hh.size(); ++i) Type(eye + hhFields[i], hh[i]);
    for (int i = 0; i < ref.size(); ++i) Type(eye + refFields[i], ref[i]);
  }

  ScriptedMessages messages;
  std::unique_ptr<TMainForm> form;
};

TEST_F(FirstFitPage, RightEyeProposalAsTyped) {
  EXPECT_FALSE(Shown("RAGroupBoxFit"));
  EnterEye("RA", {"7,80", "7,60", "0", "0,45", "11,5"}, {"-3", "-1", "180", "12"});
  EXPECT_TRUE(messages.log.empty());
  ASSERT_TRUE(Shown("RAGroupBoxFit"));
  EXPECT_FALSE(Shown("LAGroupBoxFit"));
  EXPECT_EQ(Text("RAEditFitLensType"), "QUON ");
  EXPECT_EQ(Text("RAComboBoxFitMat"), "ZYQ");
  EXPECT_EQ(Text("RAEditFitR0fl"), "7,85");
  EXPECT_EQ(Text("RAEditFitDptfl"), "-2,50");
  EXPECT_EQ(Text("RAEditFitDg"), "9,6");
  EXPECT_EQ(Text("RAEditFitHHAstig"), "-1,27");
  EXPECT_EQ(Text("RAEditFitSph0"), "-2,90");
  EXPECT_EQ(Text("RAEditFitCyl0"), "-0,92");
  EXPECT_EQ(Text("RAEditFitA0"), "180");
  EXPECT_FALSE(Shown("RAEditFitR0st"));
  EXPECT_FALSE(Shown("RAEditFitDptst"));
  EXPECT_FALSE(Shown("RAEditFitPrs"));
  EXPECT_FALSE(Shown("RAEditFitA"));
  EXPECT_TRUE(Shown("RAImageRadFit"));
  EXPECT_FALSE(form->StartRA);
  EXPECT_TRUE(form->StartLA);
}

TEST_F(FirstFitPage, SwappedRadiiAreExchanged) {
  Type("RAEditFitRfl", "7.60");
  Type("RAEditFitRst", "7.80");
  EXPECT_EQ(Text("RAEditFitRfl"), "7,80");
  EXPECT_EQ(Text("RAEditFitRst"), "7,60");
  EXPECT_TRUE(Text("RAEditFitHHAstig").startsWith("-"));
  auto* img = form->FindControl<TImageRadius>("RAImageRadFit");
  EXPECT_EQ(img->Rfl(), 7.8);
  EXPECT_EQ(img->Rst(), 7.6);
}

TEST_F(FirstFitPage, AxisBandsDecideTheHorizontalMeridian) {
  // 7.80 / 7.30 with the flat meridian horizontal is a MAC lens; vertical, a toric one.
  struct {
    const char* axis;
    bool flatHorizontal;
  } cases[] = {{"44", true}, {"45", false}, {"134", false}, {"135", true}};
  for (auto c : cases) {
    EnterEye("RA", {"7.80", "7.30", c.axis, "0.45", "11.5"}, {"-2", "-2.5", "180", "12"});
    EXPECT_EQ(form->RACalc.Cornea().Rh, c.flatHorizontal ? 7.8 : 7.3) << c.axis;
    EXPECT_EQ(Text("RAEditFitLensType") == "QUON MAC", c.flatHorizontal)
        << c.axis << ": " << Text("RAEditFitLensType").toStdString();
  }
}

TEST_F(FirstFitPage, SuitabilityBandOnAFreshAndOnAProposedEye) {
  for (const char* e : {"0.19", "0.65"}) {
    messages.Clear();
    EnterEye("RA", {"7.80", "7.60", "0", e, "11.5"}, {"-3", "-1", "180", "12"});
    EXPECT_FALSE(Shown("RAGroupBoxFit")) << e;
    ASSERT_FALSE(messages.Texts(Kind::Information).empty()) << e;
    EXPECT_TRUE(messages.Texts(Kind::Information).back().startsWith(
        "Für die von Ihnen angegebenen HH-Daten ist die Anpassung einer QUON nicht sinnvoll."));
    EXPECT_TRUE(form->StartRA);
  }
  for (const char* e : {"0.20", "0.64"}) {
    form->BtnResetClick();
    messages.Clear();
    EnterEye("RA", {"7.80", "7.60", "0", e, "11.5"}, {"-3", "-1", "180", "12"});
    EXPECT_TRUE(Shown("RAGroupBoxFit")) << e;
    EXPECT_TRUE(messages.log.empty()) << e;
  }
  // Proposed eye: 0.70 passes without a message, with the default design.
  messages.Clear();
  Type("RAEditFitExz", "0.70");
  EXPECT_TRUE(messages.log.empty());
  EXPECT_EQ(Text("RAEditFitLensType"), "QUON ");
}

TEST_F(FirstFitPage, UnsuitableRightEyeStopsTheLeftEyeToo) {
  EnterEye("LA", {"7.80", "7.60", "0", "0.45", "11.5"}, {"-3", "-1", "180", "12"});
  ASSERT_TRUE(Shown("LAGroupBoxFit"));
  EnterEye("RA", {"7.80", "7.60", "0", "0.70", "11.5"}, {"-3", "-1", "180", "12"});
  EXPECT_FALSE(Shown("RAGroupBoxFit"));
  // Each further leave of any field shows the message once, and the left eye, though
  // complete and fresh again, is not proposed in that handling.
  form->StartLA = true;
  messages.Clear();
  Type("LAEditFitHSA", "13");
  EXPECT_EQ(messages.Texts(Kind::Information).size(), 1u);
  EXPECT_TRUE(form->StartLA);
  messages.Clear();
  Type("RAEditFitHSA", "12");
  EXPECT_EQ(messages.Texts(Kind::Information).size(), 1u);
}

TEST_F(FirstFitPage, PrismQuestionYesAndNo) {
  struct {
    const char* hhd;
    bool yes;
    const char* type;
    const char* prism;
  } cases[] = {{"11.1", true, "QUON (VP-Classic)", "1,2"},
               {"11.5", true, "QUON (VP-Lenti)", "1,4"},
               {"12.2", true, "QUON (VP-Lenti)", "1,4"},
               {"11.5", false, "QUON ", nullptr}};
  for (auto c : cases) {
    form->BtnResetClick();
    form->RACalc.Lens.prs = 0;
    messages.Clear();
    messages.answers = {c.yes};
    EnterEye("RA", {"7.80", "7.60", "0", "0.45", c.hhd}, {"-3", "-2.25", "180", "12"});
    ASSERT_EQ(messages.Texts(Kind::Confirm).size(), 1u) << c.hhd;
    EXPECT_EQ(messages.Texts(Kind::Confirm)[0],
              "Restzylinder (-0,90dpt) erwartet. Stabilisierungs-Prisma gewünscht?");
    EXPECT_EQ(Text("RAEditFitLensType"), c.type);
    EXPECT_EQ(Shown("RAEditFitPrs"), c.yes);
    if (c.prism) {
      EXPECT_EQ(Text("RAEditFitPrs"), c.prism);
    }
    EXPECT_EQ(form->RAPrs, c.yes);
  }
}

TEST_F(FirstFitPage, DiameterChangeUpdatesTheVpText) {
  messages.answers = {true};
  EnterEye("RA", {"7.80", "7.60", "0", "0.45", "11.1"}, {"-3", "-2.25", "180", "12"});
  ASSERT_EQ(Text("RAEditFitLensType"), "QUON (VP-Classic)");
  Type("RAEditFitDg", "9.4");
  EXPECT_EQ(Text("RAEditFitLensType"), "QUON (VP-Lenti)");
  Type("RAEditFitDg", "9.3");
  EXPECT_EQ(Text("RAEditFitLensType"), "QUON (VP-Classic)");
}

TEST_F(FirstFitPage, EmptiedFieldHidesTheResultBox) {
  EnterEye("RA", {"7.80", "7.60", "0", "0.45", "11.5"}, {"-3", "-1", "180", "12"});
  ASSERT_TRUE(Shown("RAGroupBoxFit"));
  Type("RAEditFitHSA", "");
  EXPECT_FALSE(Shown("RAGroupBoxFit"));
  EXPECT_EQ(Text("RAEditFitSph0"), "-2,90");  // keeps its last values

  Type("RAEditFitHSA", "12");
  ASSERT_TRUE(Shown("RAGroupBoxFit"));
  Type("RAEditFitHSA", "30");  // out of range: reported and emptied, then the box hides
  EXPECT_EQ(Text("RAEditFitHSA"), "");
  EXPECT_FALSE(Shown("RAGroupBoxFit"));
}

TEST_F(FirstFitPage, ResetRestoresTheStartState) {
  EnterEye("RA", {"7.80", "7.60", "0", "0.45", "11.5"}, {"-3", "-1", "180", "12"});
  form->BtnResetClick();
  EXPECT_FALSE(Shown("RAGroupBoxFit"));
  EXPECT_FALSE(Shown("RAImageRadFit"));
  EXPECT_EQ(Text("RAEditFitRfl"), "");
  EXPECT_EQ(Text("RAEditFitAflm"), "0");
  EXPECT_EQ(Text("RAEditFitHHdia"), "11.5");
  EXPECT_EQ(Text("RAEditFitCyl"), "0");
  EXPECT_EQ(Text("RAEditFitAxis"), "0");
  EXPECT_EQ(Text("RAEditFitHSA"), "");
  EXPECT_EQ(Text("RAEditFitSph0"), "");
  EXPECT_TRUE(form->StartRA);
  EXPECT_FALSE(form->RAPrs);
  EXPECT_EQ(form->FindControl<TImageRadius>("RAImageRadFit")->LangIndex(), 2);
}

TEST_F(FirstFitPage, CopyPutsTheOrderLinesOnTheClipboard) {
  messages.answers = {true};
  EnterEye("RA", {"7.80", "7.60", "0", "0.45", "11.1"}, {"-3", "-2.25", "180", "12"});
  EnterEye("LA", {"8.00", "7.30", "0", "0.45", "11.5"}, {"-2", "-3.5", "180", "12"});
  EnterEye("RA", {}, {});

  form->FindControl<QPushButton>("RABtnfitToClipboard")->click();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "RA:\r\nQUON (VP-Classic)\r\nMat=ZYQ\r\nR0=7,85\r\nF´=-2,50\r\nP=1,2\r\nDg=9,2\r\nOhne Rückgabe");
  EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasHtml());

  form->FindControl<QPushButton>("LABtnfitToClipboard")->click();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "LA:\r\nQUON BTC\r\nMat=ZYQ\r\nR0=8,05\r\nR0st=7,45\r\nF´=-1,75\r\nF´ st=-5,00\r\nDg=9,6\r\n"
            "Ohne Rückgabe");

  // A radius typed into the result box is copied as typed.
  Type("LAEditFitR0fl", "8.1");
  form->FindControl<QPushButton>("LABtnfitToClipboard")->click();
  EXPECT_TRUE(QApplication::clipboard()->text().contains("R0=8.10\r\n"));
}

TEST_F(FirstFitPage, InfoButtonShowsTheHint) {
  form->FindControl<QPushButton>("BtnInfoR")->click();
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, Kind::Information);
  EXPECT_EQ(messages.log[0].text, "Wenn kein Wert vorliegt, sollten Sie hier 0,46 eintragen!");
}

}  // namespace
