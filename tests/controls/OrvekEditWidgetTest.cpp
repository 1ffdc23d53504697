#include "controls/OrvekEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>
#include <string>
#include <vector>

namespace {

// A shown, active window with the field under test and a second field to move the
// focus to, recording the field's signals in the order they come.
class OrvekEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    field = new TOrvekEdit(&window);
    other = new TOrvekEdit(&window);
    layout->addWidget(field);
    layout->addWidget(other);
    QObject::connect(field, &TOrvekEdit::OnOutOfRange, [this](TOrvekEdit* s) {
      events.push_back("range:" + s->text().toStdString());
    });
    QObject::connect(field, &TOrvekEdit::OnError, [this](TOrvekEdit*) { events.push_back("error"); });
    QObject::connect(field, &TOrvekEdit::OnExit, [this](TOrvekEdit* s) {
      events.push_back("exit:" + s->text().toStdString());
    });
    QObject::connect(field, &TOrvekEdit::OnEnter, [this](TOrvekEdit*) { events.push_back("enter"); });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // The window gave the field the focus on activation; start outside it.
    other->setFocus(Qt::TabFocusReason);
    events.clear();
  }

  void Configure(double step, int digits, double minValue = -100, double maxValue = 100) {
    field->ConfigureNumeric(orvek::FieldSpec{"EditTest", digits, step, minValue, maxValue, -99.0, "Test", ""});
  }

  // Focus into the field, give it a text, and move the focus on as Tab does.
  void Leave(const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    field->setText(text);
    events.clear();
    other->setFocus(Qt::TabFocusReason);
  }

  QWidget window;
  TOrvekEdit* field = nullptr;
  TOrvekEdit* other = nullptr;
  std::vector<std::string> events;
};

TEST(OrvekEditDefaults, NewFieldStartsWithItsDocumentedValues) {
  TOrvekEdit e;
  EXPECT_EQ(e.Digits(), 0);
  EXPECT_EQ(e.Factor(), 1.0);
  EXPECT_EQ(e.RoundIt(), 1.0);
  EXPECT_FALSE(e.Signed());
  EXPECT_EQ(e.DataType(), deText);
  EXPECT_EQ(e.ActiveColor(), QColor(Qt::black));
  EXPECT_EQ(e.InActiveColor(), QApplication::palette(&e).color(QPalette::Base));
  EXPECT_EQ(e.StoredFloat(), -1.0);
  EXPECT_EQ(e.StoredInteger(), -1);
  EXPECT_EQ(e.DefaultValue(), -1.0);
  EXPECT_EQ(e.MaxValue(), 100.0);
  EXPECT_EQ(e.MinValue(), -100.0);
  EXPECT_FALSE(e.DoCheckRange());
  EXPECT_FALSE(e.DoFormatValue());
  EXPECT_EQ(e.MaxLength(), 10);
  EXPECT_TRUE(e.DATField().isEmpty());

  // MaxLength is only stored: a longer text is kept whole.
  e.setText(QStringLiteral("12345678901234567890"));
  EXPECT_EQ(e.text().size(), 20);

  e.SetRoundIt(0);
  EXPECT_EQ(e.RoundIt(), 1.0);
  e.SetRoundIt(0.25);
  EXPECT_EQ(e.RoundIt(), 0.25);

  // Writing ToFloat/ToInteger stores the number and leaves the text alone.
  e.SetToFloat(7.5);
  e.SetToInteger(3);
  EXPECT_EQ(e.StoredFloat(), 7.5);
  EXPECT_EQ(e.StoredInteger(), 3);
  EXPECT_EQ(e.text().size(), 20);
}

struct LeaveCase {
  const char* text;
  double step;
  int digits;
  const char* after;
  double value;
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class OrvekEditLeaveTest : public OrvekEditTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(OrvekEditLeaveTest, LeavingRoundsToTheStepAndWritesPointNotation) {
  const LeaveCase& c = GetParam();
  Configure(c.step, c.digits);
  Leave(QString::fromUtf8(c.text));
  EXPECT_EQ(field->text().toStdString(), c.after);
  EXPECT_DOUBLE_EQ(field->ToFloat(), c.value);
  EXPECT_DOUBLE_EQ(field->StoredFloat(), c.value);
  EXPECT_EQ(events, (std::vector<std::string>{std::string("exit:") + c.after}));
}

INSTANTIATE_TEST_SUITE_P(
    Values, OrvekEditLeaveTest,
    ::testing::Values(LeaveCase{"1,13", 0.25, 2, "1.25", 1.25}, LeaveCase{"-1,13", 0.25, 2, "-1.25", -1.25},
                      LeaveCase{"-1.125", 0.25, 2, "-1.00", -1.0}, LeaveCase{"0", 0.25, 2, "0.00", 0.0},
                      LeaveCase{"12.6", 1, 0, "13", 13}, LeaveCase{"12,4", 1, 0, "12", 12},
                      LeaveCase{" 7 , 8 ", 0.01, 2, "7.80", 7.8}, LeaveCase{"11,55", 0.1, 1, "11.6", 11.6},
                      LeaveCase{"-0,001", 0.01, 2, "0.00", 0.0}, LeaveCase{"7.875", 0.05, 2, "7.90", 7.9}));

TEST_F(OrvekEditTest, UnreadableTextStaysAsTypedAndReadsAsDefault) {
  Configure(0.01, 2, 5, 20);
  for (const char* t : {"1.2.3", "+-", "7-", "1,5,3", "-"}) {
    // A good value first, so an older stored value could be range-checked by mistake.
    Leave(QStringLiteral("30"));
    Leave(QString::fromLatin1(t));
    EXPECT_EQ(field->text().toStdString(), t);
    EXPECT_EQ(field->ToFloat(), -99.0) << t;
    EXPECT_EQ(field->StoredFloat(), -99.0) << t;
    EXPECT_EQ(events, (std::vector<std::string>{"error", std::string("exit:") + t})) << t;
  }
}

TEST_F(OrvekEditTest, RangeIsCheckedBeforeTheLeaveEvent) {
  Configure(0.01, 2, 5, 20);
  struct {
    const char* text;
    std::vector<std::string> events;
  } const cases[] = {
      {"5", {"exit:5.00"}},
      {"20", {"exit:20.00"}},
      {"4,99", {"range:4.99", "exit:4.99"}},
      {"20.01", {"range:20.01", "exit:20.01"}},
      {"4,996", {"exit:5.00"}},  // rounded first, then checked
      {"", {"exit:"}},
      {"   ", {"exit:   "}},  // nothing typed: no stale value is checked
      // More hundredths than a 32-bit count holds: far outside the range.
      {"99999999999", {"range:99999999999", "exit:99999999999"}},
  };
  for (const auto& c : cases) {
    Leave(QString::fromLatin1(c.text));
    EXPECT_EQ(events, c.events) << c.text;
  }
  // Out of range, the text and stored value stay as formatted: the field resets nothing.
  Leave(QStringLiteral("25"));
  EXPECT_EQ(field->text(), QStringLiteral("25.00"));
  EXPECT_EQ(field->ToFloat(), 25.0);
  // Empty and too large texts read as the default value.
  Leave(QStringLiteral("99999999999"));
  EXPECT_EQ(field->ToFloat(), -99.0);
  Leave(QString());
  EXPECT_EQ(field->ToFloat(), -99.0);
}

TEST_F(OrvekEditTest, RangeCheckAndFormattingFollowTheirSwitches) {
  Configure(0.01, 2, 5, 20);
  field->SetDoCheckRange(false);
  Leave(QStringLiteral("30"));
  EXPECT_EQ(events, (std::vector<std::string>{"exit:30.00"}));

  // Without formatting the text stays and the range check uses the stored value.
  field->SetDoCheckRange(true);
  field->SetDoFormatValue(false);
  field->SetToFloat(7.0);
  Leave(QStringLiteral("30"));
  EXPECT_EQ(events, (std::vector<std::string>{"exit:30"}));
  field->SetToFloat(-99.0);
  Leave(QStringLiteral("30"));
  EXPECT_EQ(events, (std::vector<std::string>{"range:30", "exit:30"}));

  // A text field is never formatted nor checked.
  field->SetDoFormatValue(true);
  field->SetDataType(deText);
  Leave(QStringLiteral("30"));
  EXPECT_EQ(events, (std::vector<std::string>{"exit:30"}));
  EXPECT_EQ(field->ToFloat(), -99.0);
}

TEST_F(OrvekEditTest, SignedPutsPlusBeforePositiveValuesOnly) {
  Configure(0.25, 2);
  field->SetSigned(true);
  const std::pair<const char*, const char*> cases[] = {
      {"2", "+2.00"}, {"0,1", "0.00"}, {"0,13", "+0.25"}, {"0", "0.00"}, {"-0,1", "0.00"}, {"-2", "-2.00"}};
  for (const auto& [typed, after] : cases) {
    Leave(QString::fromLatin1(typed));
    EXPECT_EQ(field->text().toStdString(), after) << typed;
  }
  // The signed text reads back as its value.
  Leave(QStringLiteral("1,5"));
  EXPECT_EQ(field->ToFloat(), 1.5);
}

TEST_F(OrvekEditTest, ToFloatReadsEitherSeparatorThroughStepAndFactor) {
  Configure(0.1, 1);
  field->setText(QStringLiteral("12,46"));  // not left: read as it stands
  EXPECT_DOUBLE_EQ(field->ToFloat(), 12.5);
  field->setText(QStringLiteral("1 2"));  // inner blanks are unreadable here
  EXPECT_EQ(field->ToFloat(), -99.0);
  field->setText(QStringLiteral("12.5"));
  field->SetFactor(10);
  EXPECT_DOUBLE_EQ(field->ToFloat(), 1.25);
  Leave(QStringLiteral("12.5"));
  EXPECT_DOUBLE_EQ(field->StoredFloat(), 12.5);  // stored without the factor
  field->SetFactor(0);
  EXPECT_EQ(field->ToFloat(), -99.0);  // no division by zero
}

TEST_F(OrvekEditTest, IntegerFieldReadsWholeNumbersAndReportsFailures) {
  field->SetDataType(deInteger);
  field->SetDoFormatValue(true);
  field->SetDoCheckRange(true);
  field->SetMinValue(0);
  field->SetMaxValue(180);
  field->SetDefaultValue(-1.7);

  Leave(QStringLiteral("+42"));
  EXPECT_EQ(field->StoredInteger(), 42);
  EXPECT_EQ(field->ToInteger(), 42);
  EXPECT_EQ(field->text(), QStringLiteral("+42"));  // left as typed
  EXPECT_EQ(events, (std::vector<std::string>{"exit:+42"}));

  Leave(QStringLiteral("200"));
  EXPECT_EQ(events, (std::vector<std::string>{"range:200", "exit:200"}));

  for (const char* t : {"4.2", "+-1", "99999999999", "-"}) {
    Leave(QString::fromLatin1(t));
    EXPECT_EQ(field->StoredInteger(), -1) << t;  // default truncated towards zero
    EXPECT_EQ(events, (std::vector<std::string>{"error", std::string("exit:") + t})) << t;
    events.clear();
    EXPECT_EQ(field->ToInteger(), -1) << t;
    EXPECT_EQ(events, (std::vector<std::string>{"error"})) << t;
  }
  field->clear();
  events.clear();
  EXPECT_EQ(field->ToInteger(), -1);
  EXPECT_TRUE(events.empty());
  // Another data type reads as the default value.
  field->SetDataType(deFloat);
  field->setText(QStringLiteral("5"));
  EXPECT_EQ(field->ToInteger(), -1);
}

TEST_F(OrvekEditTest, KeysAreFilteredByDataType) {
  Configure(0.01, 2);
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(field, QStringLiteral("a1b,2 x-+.e"));
  EXPECT_EQ(field->text(), QStringLiteral("1,2-+."));
  QTest::keyClick(field, Qt::Key_Backspace);
  EXPECT_EQ(field->text(), QStringLiteral("1,2-+"));
  // The comma stays as typed until the field is left.
  field->clear();
  QTest::keyClicks(field, QStringLiteral("7,8"));
  EXPECT_EQ(field->text(), QStringLiteral("7,8"));
  other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(field->text(), QStringLiteral("7.80"));

  field->SetDataType(deInteger);
  field->setFocus(Qt::TabFocusReason);
  field->clear();
  QTest::keyClicks(field, QStringLiteral("1,2.3-a+"));
  EXPECT_EQ(field->text(), QStringLiteral("123-+"));

  field->SetDataType(deText);
  field->clear();
  QTest::keyClicks(field, QStringLiteral("QUON x,1"));
  EXPECT_EQ(field->text(), QStringLiteral("QUON x,1"));
}

TEST_F(OrvekEditTest, FocusSwitchesBetweenTheTwoLooks) {
  Configure(0.01, 2);
  QFont active(QStringLiteral("Tahoma"));
  active.setPixelSize(15);
  active.setBold(true);
  field->SetActiveFont(TOrvekFont{active, QColor(Qt::darkBlue)});
  const QColor inactive = field->InActiveColor();
  ASSERT_NE(inactive, QColor(Qt::yellow));

  field->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::yellow));
  EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::darkBlue));
  EXPECT_TRUE(field->font().bold());
  EXPECT_EQ(field->font().pixelSize(), 15);
  EXPECT_EQ(events, (std::vector<std::string>{"enter"}));

  // The highlight is painted, not only stored.
  const QImage shot = field->grab().toImage();
  EXPECT_EQ(shot.pixelColor(field->width() - 6, field->height() / 2), QColor(Qt::yellow));

  other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(field->palette().color(QPalette::Base), inactive);
  EXPECT_FALSE(field->font().bold());
  EXPECT_EQ(field->font().pixelSize(), 15);
}

TEST_F(OrvekEditTest, AnotherWindowTakingTheFocusIsNoLeave) {
  Configure(0.01, 2, 5, 20);
  field->setFocus(Qt::TabFocusReason);
  field->setText(QStringLiteral("30"));
  events.clear();

  QWidget popup;
  auto* box = new QVBoxLayout(&popup);
  box->addWidget(new TOrvekEdit(&popup));
  popup.show();
  QApplication::setActiveWindow(&popup);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&popup));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(field->text(), QStringLiteral("30"));
  popup.close();

  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(QApplication::focusWidget(), field);
  EXPECT_TRUE(events.empty());  // no second enter either
  EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::yellow));

  other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(events, (std::vector<std::string>{"range:30.00", "exit:30.00"}));
}

TEST(OrvekEditLocale, LocaleFixedUsesTheUsersSeparator) {
  EXPECT_EQ(LocaleFixed(7.8, 2), QStringLiteral("7,80"));  // German default of the tests
  EXPECT_EQ(LocaleFixed(-0.004, 2), QStringLiteral("0,00"));
  EXPECT_EQ(LocaleFixed(12.5, 0), QStringLiteral("13"));
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(LocaleFixed(7.8, 2), QStringLiteral("7.80"));
  EXPECT_EQ(LocaleDecimalSeparator(), '.');
  QLocale::setDefault(saved);
  EXPECT_EQ(LocaleDecimalSeparator(), ',');
}

}  // namespace
