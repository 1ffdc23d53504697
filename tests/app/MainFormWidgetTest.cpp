#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>
#include <string>
#include <vector>

#include "app/Style.h"
#include "controls/OrvekEdit.h"
#include "tests/ScriptedMessages.h"

namespace {

// A main window started in an empty temporary working directory, with scripted messages.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    savedDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
  }
  void TearDown() override {
    form.reset();
    QDir::setCurrent(savedDir);
  }

  TMainForm& Start(TMainFormOptions options = {}) {
    options.messages = &messages;
    form = std::make_unique<TMainForm>(options);
    return *form;
  }
  TMainForm& StartShown(TMainFormOptions options = {}) {
    Start(options);
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return *form;
  }

  QWidget* Control(const char* name) const { return form->FindControl(QString::fromLatin1(name)); }
  bool Shown(const char* name) const {
    QWidget* w = Control(name);
    EXPECT_TRUE(w) << name;
    return w && !w->isHidden();
  }
  std::vector<bool> TabsShown() const {
    std::vector<bool> out;
    for (int i = 0; i < form->PageControl()->count(); ++i) out.push_back(form->PageControl()->isTabVisible(i));
    return out;
  }
  void Click(const char* name) {
    QWidget* w = Control(name);
    ASSERT_TRUE(w) << name;
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
  }
  QString WriteFile(const QString& name, const QByteArray& content) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return f.fileName();
  }
  // A numeric field on a page, configured like the vertex-distance field.
  TOrvekEdit* AddField(int page, const char* name, double minValue = 5, double maxValue = 25) {
    QWidget* p = form->Page(page);
    if (!p->layout()) new QVBoxLayout(p);
    auto* f = new TOrvekEdit(p);
    f->setObjectName(QString::fromLatin1(name));
    f->ConfigureNumeric(orvek::FieldSpec{name, 2, 0.01, minValue, maxValue, -1.0, "HSA", ""});
    p->layout()->addWidget(f);
    if (p->isVisible()) f->show();  // a layout shows late-added children only later
    form->ConnectOutOfRange(f);
    return f;
  }

  QTemporaryDir dir;
  QString savedDir;
  ScriptedMessages messages;
  std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, StartsOnTheInformationPageWithoutTheProgramVideo) {
  Start();
  QTabWidget* pages = form->PageControl();
  ASSERT_EQ(pages->count(), 9);
  const char* const names[] = {"TabSheetFirstFit",    "TabSheetRefit", "TabSheetTopographie",
                               "TabSheetHSA",         "TabSheetQWert", "TabSheetInformation",
                               "TabSheetPrg",         "TabSheetContact", "TabSheetVideo"};
  const char* const captions[] = {"Anpassvorschlag",
                                  "Formstabile Rezeptlinse",
                                  "HH-Topometrie",
                                  "HSA-Umrechnung",
                                  "Umrechnung Q-Wert auf Exzentrizität",
                                  "Information",
                                  "Informationen zum Programm",
                                  "Kontakte zu ORVEK",
                                  "Informationsmaterial"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(pages->widget(i)->objectName().toStdString(), names[i]);
    EXPECT_EQ(form->Page(i), pages->widget(i));
    EXPECT_EQ(pages->tabText(i).toStdString(), captions[i]);
  }
  EXPECT_EQ(TabsShown(), (std::vector<bool>{true, true, true, true, true, false, false, false, false}));
  EXPECT_EQ(pages->currentIndex(), kPageInformation);
  EXPECT_EQ(form->View(), kPageInformation);
  EXPECT_FALSE(Shown("SpeedBtnBack"));
  EXPECT_FALSE(Shown("BtnReset"));
  EXPECT_TRUE(Shown("BtnClose"));
  EXPECT_FALSE(Shown("BtnFilm"));
  EXPECT_FALSE(Shown("LabelFilm"));
  EXPECT_FALSE(form->FilmActive());

  form->show();
  EXPECT_EQ(pages->currentIndex(), kPageInformation);
  EXPECT_EQ(form->statusBar()->objectName(), QStringLiteral("StatusBar1"));
  EXPECT_EQ(form->centralWidget()->size(), QSize(907, 655 - form->statusBar()->height()));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(MainFormTest, TheProgramVideoInTheWorkingDirectoryOffersTheFilm) {
  WriteFile(QStringLiteral("QUON_Razerid.wmv"), "video");
  Start();
  EXPECT_TRUE(form->FilmActive());
  EXPECT_EQ(TabsShown(), (std::vector<bool>{true, true, true, true, true, false, false, false, true}));
  EXPECT_TRUE(Shown("BtnFilm"));
  EXPECT_TRUE(Shown("LabelFilm"));

  form->SetFilmActive(false);
  EXPECT_FALSE(form->PageControl()->isTabVisible(kPageVideo));
  EXPECT_FALSE(Shown("BtnFilm"));
  EXPECT_FALSE(Shown("LabelFilm"));
}

TEST_F(MainFormTest, AFolderNamedLikeTheVideoIsNoVideo) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("QUON_Razerid.wmv")));
  Start();
  EXPECT_FALSE(form->FilmActive());
}

TEST_F(MainFormTest, EveryEntryOfTheInformationPageOpensItsPage) {
  StartShown();
  const struct {
    const char* control;
    int page;
  } entries[] = {
      {"SpeedBtnFit", 0}, {"Label71", 0}, {"SpeedBtnRefit", 1}, {"Label72", 1}, {"SpeedButton1", 2},
      {"Label82", 2},     {"SpeedButton2", 3}, {"Label85", 3}, {"SpeedButton3", 4}, {"Label88", 4},
      {"SpeedButton4", 7}, {"SpeedButton5", 6},
  };
  for (const auto& e : entries) {
    Click(e.control);
    EXPECT_EQ(form->PageControl()->currentIndex(), e.page) << e.control;
    EXPECT_EQ(form->View(), e.page) << e.control;
    EXPECT_TRUE(Shown("SpeedBtnBack")) << e.control;
    EXPECT_EQ(Shown("BtnReset"), e.page <= 2) << e.control;
    // Hidden tabs stay hidden while their page is in front.
    EXPECT_EQ(TabsShown(), (std::vector<bool>{true, true, true, true, true, false, false, false, false}));

    Click("SpeedBtnBack");
    EXPECT_EQ(form->PageControl()->currentIndex(), kPageInformation) << e.control;
    EXPECT_FALSE(Shown("SpeedBtnBack"));
    EXPECT_FALSE(Shown("BtnReset"));
  }
  // The texts beside the picture buttons carry the exact captions.
  EXPECT_EQ(form->FindControl<QLabel>(QStringLiteral("Label88"))->text(),
            QStringLiteral("Q-Werte in Exzentrizitäten umrechnen"));
  EXPECT_EQ(form->FindControl<QLabel>(QStringLiteral("Label71"))->text(),
            QStringLiteral("Einen Anpassvorschlag für eine formstabile Contactlinse berechnen"));
}

TEST_F(MainFormTest, ClickingATabShowsTheBarButtonsWithoutChangingTheView) {
  StartShown();
  QTabBar* bar = form->PageControl()->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(kPageTopographie).center());
  EXPECT_EQ(form->PageControl()->currentIndex(), kPageTopographie);
  EXPECT_EQ(form->View(), kPageInformation);
  EXPECT_TRUE(Shown("SpeedBtnBack"));
  EXPECT_TRUE(Shown("BtnReset"));

  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(kPageHSA).center());
  EXPECT_EQ(form->PageControl()->currentIndex(), kPageHSA);
  EXPECT_TRUE(Shown("SpeedBtnBack"));
  EXPECT_FALSE(Shown("BtnReset"));

  Click("SpeedBtnBack");
  EXPECT_EQ(form->PageControl()->currentIndex(), kPageInformation);
  EXPECT_FALSE(Shown("SpeedBtnBack"));
  EXPECT_FALSE(Shown("BtnReset"));
}

TEST_F(MainFormTest, SetViewComparesThePageUnsigned) {
  Start();
  form->SetView(-1);
  EXPECT_EQ(form->View(), -1);
  EXPECT_TRUE(Shown("SpeedBtnBack"));
  EXPECT_FALSE(Shown("BtnReset"));
  form->SetView(kPageTopographie);
  EXPECT_TRUE(Shown("BtnReset"));
  form->SetView(kPageInformation);
  EXPECT_FALSE(Shown("SpeedBtnBack"));
}

TEST_F(MainFormTest, ResetRunsOnlyThePageInFront) {
  Start();
  std::vector<int> resets;
  for (int page : {kPageFirstFit, kPageRefit, kPageTopographie})
    form->SetPageReset(page, [&resets, page] { resets.push_back(page); });

  for (int page = 0; page < kPageCount; ++page) {
    resets.clear();
    form->SetView(page);
    form->BtnResetClick();
    if (page <= 2)
      EXPECT_EQ(resets, std::vector<int>{page}) << page;
    else
      EXPECT_TRUE(resets.empty()) << page;
  }
  // The start resets the prescription-lens, first-fit and topography pages, in this order.
  resets.clear();
  form->FormCreate();
  EXPECT_EQ(resets, (std::vector<int>{kPageRefit, kPageFirstFit, kPageTopographie}));
  EXPECT_EQ(form->PageControl()->currentIndex(), kPageInformation);
}

TEST_F(MainFormTest, ValueOutOfRangeIsReportedEmptiedAndRefocused) {
  StartShown();
  form->SetView(kPageHSA);
  TOrvekEdit* hsa = AddField(kPageHSA, "EditHSAHSA");
  TOrvekEdit* next = AddField(kPageHSA, "EditHSANext");
  std::vector<std::string> seen;
  QObject::connect(hsa, &TOrvekEdit::OnExit, [&](TOrvekEdit* f) {
    seen.push_back("exit:" + f->text().toStdString() + ":" + std::to_string(f->ToFloat()));
  });
  messages.whileShown = [&](const ScriptedMessages::Entry& e) {
    if (e.kind == ScriptedMessages::Kind::Error) seen.push_back("box:" + hsa->text().toStdString());
  };

  hsa->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(hsa, QStringLiteral("30"));
  next->setFocus(Qt::TabFocusReason);

  ASSERT_EQ(messages.log.size(), 2u);
  EXPECT_EQ(messages.log[0].kind, ScriptedMessages::Kind::Beep);
  EXPECT_EQ(messages.log[1].kind, ScriptedMessages::Kind::Error);
  EXPECT_EQ(messages.log[1].text,
            QStringLiteral("Der angegebene Wert für [HSA] ist außerhalb des zulässigen Bereichs von 5,00 bis 25,00"));
  // The box shows while the value is still there; the page's leave handling comes after
  // the field was emptied.
  EXPECT_EQ(seen, (std::vector<std::string>{"box:30.00", "exit::" + std::to_string(-1.0)}));
  EXPECT_TRUE(hsa->text().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), hsa);

  // In range: no message.
  messages.Clear();
  QTest::keyClicks(hsa, QStringLiteral("12"));
  next->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(messages.log.empty());
  EXPECT_EQ(hsa->text(), QStringLiteral("12.00"));
  EXPECT_EQ(QApplication::focusWidget(), next);
}

TEST_F(MainFormTest, FieldOutOfSightIsEmptiedWithoutTakingTheFocus) {
  StartShown();
  form->SetView(kPageHSA);
  TOrvekEdit* shown = AddField(kPageHSA, "EditHSASph");
  TOrvekEdit* hidden = AddField(kPageQWert, "EditQ", -25, 25);
  hidden->setText(QStringLiteral("40.00"));
  shown->setFocus(Qt::TabFocusReason);
  form->EditOutOfRange(hidden);
  EXPECT_TRUE(hidden->text().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), shown);
  ASSERT_EQ(messages.Texts(ScriptedMessages::Kind::Error).size(), 1u);
  EXPECT_EQ(messages.Texts(ScriptedMessages::Kind::Error)[0],
            QStringLiteral("Der angegebene Wert für [HSA] ist außerhalb des zulässigen Bereichs von -25,00 bis 25,00"));
}

TEST_F(MainFormTest, EnterMovesTheFocusOnLikeTab) {
  StartShown();
  form->SetView(kPageHSA);
  TOrvekEdit* first = AddField(kPageHSA, "EditHSASph");
  TOrvekEdit* second = AddField(kPageHSA, "EditHSACyl");
  int returnPressed = 0;
  QObject::connect(first, &QLineEdit::returnPressed, [&] { ++returnPressed; });

  first->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(first, QStringLiteral("12,3"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), second);
  EXPECT_EQ(first->text(), QStringLiteral("12.30"));
  EXPECT_EQ(returnPressed, 1);  // the key still reached the field

  // Keypad Enter too; out of range the message comes and the focus goes back.
  QTest::keyClicks(second, QStringLiteral("3"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  EXPECT_EQ(QApplication::focusWidget(), second);
  EXPECT_TRUE(second->text().isEmpty());
  EXPECT_EQ(messages.Texts(ScriptedMessages::Kind::Error).size(), 1u);
}

TEST_F(MainFormTest, CaptionAndVersionLabelShowVersionAndFileDate) {
  const QString program = WriteFile(QStringLiteral("quon"), "program");
  {
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2015, 3, 5), QTime(10, 0)), QFileDevice::FileModificationTime));
  }
  const QString record =
      WriteFile(QStringLiteral("version.json"), R"({"major":1,"minor":0,"release":0,"build":0,"debug":false})");
  Start(TMainFormOptions{nullptr, record, program});
  EXPECT_EQ(form->Version(), QStringLiteral("1.0.0.0"));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("QUON®-Zavurov     ") + TMainForm::CopyrightNotice() +
                                     QStringLiteral("         Ver 1.0.0.0          Build 05.03.15"));
  EXPECT_EQ(form->FindControl<QLabel>(QStringLiteral("LabelVersion"))->text(),
            QStringLiteral("Ver 1.0.0.0  vom 05.03.15"));
}

TEST_F(MainFormTest, VersionComesFromTheRecordOrReadsNoVersionInfo) {
  Start();  // the record compiled into the program
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^1\\.0\\.0\\.0( Debug)?$")).match(form->Version()).hasMatch())
      << form->Version().toStdString();

  const struct {
    const char* record;  // nullptr: no record at all
    const char* version;
  } cases[] = {
      {nullptr, "NoVersionInfo"},
      {R"({"major":2,"minor":5,"release":0,"build":17,"debug":true,"prerelease":true,"private":true,"special":true})",
       "2.5.0.17 Debug BETA Private Special"},
      {R"({"major":3,"minor":1,"release":4,"build":1,"private":true})", "3.1.4.1 Private"},
      {R"({"major":1,"minor":0,"release":0})", "NoVersionInfo"},
      {R"({"major":1,"minor":0,"release":0,"build":"x"})", "NoVersionInfo"},
      {R"({"major":-1,"minor":0,"release":0,"build":0})", "NoVersionInfo"},
      {"not a record", "NoVersionInfo"},
  };
  for (const auto& c : cases) {
    const QString path = c.record ? WriteFile(QStringLiteral("v.json"), c.record) : dir.filePath(QStringLiteral("none.json"));
    form.reset();
    Start(TMainFormOptions{nullptr, path, {}});
    EXPECT_EQ(form->Version().toStdString(), c.version) << (c.record ? c.record : "none");
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("Ver ") + QString::fromLatin1(c.version) +
                                             QStringLiteral("          Build ")));
    EXPECT_TRUE(form->FindControl<QLabel>(QStringLiteral("LabelVersion"))
                    ->text()
                    .startsWith(QStringLiteral("Ver ") + QString::fromLatin1(c.version) + QStringLiteral("  vom ")));
  }
}

TEST_F(MainFormTest, TrademarkLabelsAndClipboardBoxAreInPlace) {
  Start();
  for (int i = 1; i <= 6; ++i) {
    auto* label = form->FindControl<QLabel>(QStringLiteral("LabelTM%1").arg(i));
    ASSERT_TRUE(label) << i;
    EXPECT_EQ(label->text(), QStringLiteral("®")) << i;
  }
  auto* clip = form->FindControl<QTextEdit>(QStringLiteral("EditClipBoard"));
  ASSERT_TRUE(clip);
  EXPECT_TRUE(clip->isHidden());
  EXPECT_TRUE(form->Page(kPageContact)->isAncestorOf(clip));
  auto* heading = form->FindControl<QLabel>(QStringLiteral("LabelWelcome"));
  ASSERT_TRUE(heading);
  EXPECT_EQ(heading->text(), QStringLiteral("Willkommen beim QUON -Zavurov"));
  EXPECT_TRUE(heading->isAncestorOf(form->FindControl(QStringLiteral("LabelTM1"))));
}

TEST_F(MainFormTest, InformationMaterialEntriesCallTheirHandlers) {
  WriteFile(QStringLiteral("QUON_Razerid.wmv"), "video");
  StartShown();
  std::vector<std::string> calls;
  form->SetMediaHooks({[&] { calls.push_back("film"); },
                       [&](int tag) { calls.push_back("video " + std::to_string(tag)); },
                       [&](int tag) { calls.push_back("pdf " + std::to_string(tag)); }});
  Click("BtnFilm");
  form->SetView(kPageVideo);
  for (const char* name : {"ImageIntro", "ImageQUON", "ImagePDF1", "Image14", "Image15", "Image16", "Image17",
                           "Image18", "Image19"})
    Click(name);
  EXPECT_EQ(calls, (std::vector<std::string>{"film", "video 0", "video 1", "pdf 0", "pdf 1", "pdf 2", "pdf 3",
                                             "pdf 4", "pdf 5", "pdf 6"}));
}

TEST_F(MainFormTest, BeendenClosesTheWindow) {
  StartShown();
  Click("BtnClose");
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(MainFormTest, StyleIsAppliedByNameAndAnUnknownNameIsReported) {
  ASSERT_TRUE(qApp->styleSheet().isEmpty());
  ScriptedMessages msgs;
  EXPECT_FALSE(ApplyStyle(*qApp, QStringLiteral("Gibt es nicht"), msgs));
  ASSERT_EQ(msgs.log.size(), 1u);
  EXPECT_EQ(msgs.log[0].kind, ScriptedMessages::Kind::Error);
  EXPECT_EQ(msgs.log[0].text, QStringLiteral("Stil 'Gibt es nicht' nicht gefunden"));
  EXPECT_TRUE(qApp->styleSheet().isEmpty());  // default look

  msgs.Clear();
  ASSERT_TRUE(ApplyStyle(*qApp, kProgramStyle, msgs));
  EXPECT_TRUE(msgs.log.empty());
  EXPECT_FALSE(qApp->styleSheet().isEmpty());

  // Under the style a focused numeric field still shows its own highlight.
  StartShown();
  form->SetView(kPageHSA);
  TOrvekEdit* field = AddField(kPageHSA, "EditHSASph");
  AddField(kPageHSA, "EditHSACyl");
  field->setFocus(Qt::TabFocusReason);
  const QImage shot = field->grab().toImage();
  EXPECT_EQ(shot.pixelColor(field->width() - 6, field->height() / 2), QColor(Qt::yellow));
  qApp->setStyleSheet(QString());
}

}  // namespace
