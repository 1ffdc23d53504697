#pragma once
// TOrvekEdit: the single-line field into which every value is typed. On top of
// QLineEdit it filters keystrokes by data type, highlights itself while focused,
// rounds, formats and range-checks a number when the focus leaves it, and reads its
// text back as a number (either decimal separator) or as its default value.
//
// Signals a page connects to, in the order they come when the focus leaves a field:
//   OnOutOfRange(field)  the value lies outside MinValue..MaxValue (range check on)
//   OnExit(field)        the ordinary leave event; the text is already formatted
// OnError(field) reports a failed conversion. Entering the field emits OnEnter.
// Connect leave handling to OnExit, not to QLineEdit::editingFinished, which Qt emits
// before the field has formatted its value.
//
// Leaving and entering follow the focus moving between controls of a window: a
// window losing activation or a popup opening does not count as leaving.

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <optional>

#include "controls/OrvekValue.h"

enum TDataEditType : std::uint8_t { deText = 0, deFloat = 1, deInteger = 2 };

// A font together with its colour, as the field's two looks carry them.
struct TOrvekFont {
  QFont Font;
  QColor Color;
};

class TOrvekEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TOrvekEdit(QWidget* parent = nullptr);

  int Digits() const { return FDigits; }
  void SetDigits(int value) { FDigits = value; }
  double Factor() const { return FFactor; }
  void SetFactor(double value) { FFactor = value; }
  double RoundIt() const { return FRoundIt; }
  void SetRoundIt(double value);
  bool Signed() const { return FSigned; }
  void SetSigned(bool value) { FSigned = value; }
  TDataEditType DataType() const { return FEditType; }
  void SetDataType(TDataEditType value) { FEditType = value; }

  const TOrvekFont& ActiveFont() const { return FActFont; }
  void SetActiveFont(const TOrvekFont& value) { FActFont = value; }
  QColor ActiveColor() const { return FActColor; }
  void SetActiveColor(const QColor& value) { FActColor = value; }
  const TOrvekFont& InActiveFont() const { return FInActFont; }
  void SetInActiveFont(const TOrvekFont& value) { FInActFont = value; }
  QColor InActiveColor() const { return FInActColor; }
  void SetInActiveColor(const QColor& value) { FInActColor = value; }

  // Reading converts the current text; writing stores the number and leaves the text alone.
  double ToFloat() const;
  void SetToFloat(double value) { FToFloat = value; }
  std::int32_t ToInteger();
  void SetToInteger(std::int32_t value) { FToInteger = value; }
  // The number stored by the last leave (or written through SetToFloat/SetToInteger).
  double StoredFloat() const { return FToFloat; }
  std::int32_t StoredInteger() const { return FToInteger; }

  double DefaultValue() const { return FDefaultValue; }
  void SetDefaultValue(double value) { FDefaultValue = value; }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double value) { FMaxValue = value; }
  double MinValue() const { return FMinValue; }
  void SetMinValue(double value) { FMinValue = value; }
  bool DoCheckRange() const { return FCheckRange; }
  void SetDoCheckRange(bool value) { FCheckRange = value; }
  bool DoFormatValue() const { return FFormatValue; }
  void SetDoFormatValue(bool value) { FFormatValue = value; }
  // Only stored: the text itself has no length limit.
  std::int32_t MaxLength() const { return FLength; }
  void SetMaxLength(std::int32_t value) { FLength = value; }
  QString DATField() const { return FDATField; }
  void SetDATField(const QString& value) { FDATField = value; }

  // Gives the field the configuration every numeric field of the program has: float,
  // range check and formatting on, factor 1, unsigned, 10 characters, the value rules
  // of `spec`, and the common look (StandardLook). The object name stays as it is.
  void ConfigureNumeric(const orvek::FieldSpec& spec);
  // Yellow while focused, the window colour otherwise, Tahoma 15 px in the text colour.
  void StandardLook();

 signals:
  void OnEnter(TOrvekEdit* sender);
  void OnExit(TOrvekEdit* sender);
  void OnError(TOrvekEdit* sender);
  void OnOutOfRange(TOrvekEdit* sender);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  virtual void DoEnter();
  virtual void DoExit();

 private:
  void ApplyLook(const QColor& background, const TOrvekFont& font);
  // Whether a typed character passes the filter of the data type.
  bool KeyAllowed(QChar c) const;

  std::int32_t FDigits = 0;
  double FFactor = 1.0;
  double FRoundIt = 1.0;
  bool FSigned = false;
  double FToFloat = -1.0;
  std::int32_t FToInteger = -1;
  double FDefaultValue = -1.0;
  double FMaxValue = 100.0;
  double FMinValue = -100.0;
  std::int32_t FLength = 10;
  TDataEditType FEditType = deText;
  bool FCheckRange = false;
  bool FFormatValue = false;
  QColor FActColor;
  TOrvekFont FActFont;
  TOrvekFont FInActFont;
  QColor FInActColor;
  QString FDATField;
  bool FEntered = false;  // between DoEnter and DoExit
};

// The decimal separator of the user's regional settings as one character ("," or ".";
// any other separator falls back to ".", which the numeric field reads as well).
char LocaleDecimalSeparator();

// A number in fixed-point notation with the user's decimal separator, as the pages and
// the diagram write numbers for display. Empty for a value that is not finite.
QString LocaleFixed(double value, int digits);

// A whole decimal number with optional sign, as the integer field reads it.
std::optional<std::int32_t> StringToInteger(const QString& text);
