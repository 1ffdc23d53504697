#include "controls/OrvekEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPalette>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Default value truncated towards zero; saturates instead of overflowing.
std::int32_t TruncToInt32(double value) {
  if (!std::isfinite(value)) return 0;
  const double t = std::trunc(value);
  if (t >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (t <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(t);
}

// Focus moves caused by another window becoming active or by a popup do not leave
// or enter a field: the field stays the window's focused control.
bool IsWindowSwitch(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

std::optional<std::int32_t> StringToInteger(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  const char* first = bytes.constData();
  const char* last = first + bytes.size();
  // One optional sign: from_chars takes a '-' itself, so a '+' must not be followed by
  // another sign.
  if (first != last && *first == '+') {
    ++first;
    if (first != last && (*first == '+' || *first == '-')) return std::nullopt;
  }
  std::int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value, 10);
  if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
  return value;
}

char LocaleDecimalSeparator() {
  return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

QString LocaleFixed(double value, int digits) {
  return QString::fromStdString(orvek::FormatFixed(value, digits, LocaleDecimalSeparator()));
}

TOrvekEdit::TOrvekEdit(QWidget* parent) : QLineEdit(parent) {
  FActColor = QColor(Qt::black);
  FActFont = TOrvekFont{QFont(), palette().color(QPalette::WindowText)};
  FInActFont = TOrvekFont{font(), palette().color(QPalette::Text)};
  FInActColor = palette().color(QPalette::Base);
}

void TOrvekEdit::SetRoundIt(double value) { FRoundIt = value == 0.0 ? 1.0 : value; }

void TOrvekEdit::ConfigureNumeric(const orvek::FieldSpec& spec) {
  SetDataType(deFloat);
  SetDoCheckRange(true);
  SetDoFormatValue(true);
  SetFactor(1.0);
  SetSigned(false);
  SetMaxLength(10);
  SetDigits(spec.digits);
  SetRoundIt(spec.step);
  SetMinValue(spec.minValue);
  SetMaxValue(spec.maxValue);
  SetDefaultValue(spec.defaultValue);
  SetToFloat(spec.defaultValue);
  SetDATField(QString::fromUtf8(spec.displayName.data(), static_cast<qsizetype>(spec.displayName.size())));
  StandardLook();
}

void TOrvekEdit::StandardLook() {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(15);
  f.setWeight(QFont::Normal);
  f.setItalic(false);
  // The class palette, not the widget's own: that one carries the current look.
  const QPalette standard = QApplication::palette(this);
  const QColor text = standard.color(QPalette::WindowText);
  FActColor = QColor(Qt::yellow);
  FInActColor = standard.color(QPalette::Base);
  FActFont = TOrvekFont{f, text};
  FInActFont = TOrvekFont{f, text};
  ApplyLook(hasFocus() ? FActColor : FInActColor, hasFocus() ? FActFont : FInActFont);
}

void TOrvekEdit::ApplyLook(const QColor& background, const TOrvekFont& look) {
  QPalette p = palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Base, background);
    p.setColor(group, QPalette::Text, look.Color);
  }
  setPalette(p);
  setFont(look.Font);
}

double TOrvekEdit::ToFloat() const {
  if (FEditType != deFloat || text().isEmpty()) return FDefaultValue;
  const double v = orvek::ReadValue(text().toStdString(), FRoundIt, FDefaultValue, FFactor);
  // A factor of 0 would divide by zero: such a reading counts as unreadable.
  return std::isfinite(v) ? v : FDefaultValue;
}

std::int32_t TOrvekEdit::ToInteger() {
  if (FEditType != deInteger || text().isEmpty()) return TruncToInt32(FDefaultValue);
  if (const auto v = StringToInteger(text())) return *v;
  emit OnError(this);
  return TruncToInt32(FDefaultValue);
}

bool TOrvekEdit::KeyAllowed(QChar c) const {
  const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
  const bool sign = c == QLatin1Char('+') || c == QLatin1Char('-');
  switch (FEditType) {
    case deFloat:
      return digit || sign || c == QLatin1Char(',') || c == QLatin1Char('.');
    case deInteger:
      return digit || sign;
    case deText:
      break;
  }
  return true;
}

void TOrvekEdit::keyPressEvent(QKeyEvent* event) {
  // The filter looks at typed characters only. Backspace, Enter, navigation and
  // shortcuts (copy, paste, undo) produce no printable text and pass unchanged.
  const QString typed = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  if (!shortcut && FEditType != deText) {
    for (QChar c : typed) {
      if (c.isPrint() && !KeyAllowed(c)) {
        event->accept();  // dropped
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TOrvekEdit::focusInEvent(QFocusEvent* event) {
  if (!FEntered) {
    FEntered = true;
    DoEnter();
  }
  QLineEdit::focusInEvent(event);
}

void TOrvekEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (IsWindowSwitch(event->reason()) || !FEntered) return;
  FEntered = false;
  DoExit();
}

void TOrvekEdit::DoEnter() {
  ApplyLook(FActColor, FActFont);
  emit OnEnter(this);
}

void TOrvekEdit::DoExit() {
  ApplyLook(FInActColor, FInActFont);

  bool ok = true;
  bool tooLarge = false;
  const std::string typed = text().toStdString();
  const bool blank = orvek::DeleteSpace(typed).empty();
  if (FFormatValue && !blank && FEditType != deText) {
    if (FEditType == deInteger) {
      if (const auto v = StringToInteger(QString::fromStdString(orvek::DeleteSpace(typed)))) {
        FToInteger = *v;
      } else {
        FToInteger = TruncToInt32(FDefaultValue);
        emit OnError(this);
        ok = false;
      }
    } else {
      const auto r = orvek::FormatOnExit(typed, FRoundIt, FDigits, FSigned);
      switch (r.status) {
        case orvek::ExitResult::Status::Formatted:
          FToFloat = r.value;
          setText(QString::fromStdString(r.text));
          break;
        case orvek::ExitResult::Status::Unreadable:
          // Handled like a failed integer conversion: the text stays as typed and
          // reads as the default value; no range check on an older stored value.
          FToFloat = FDefaultValue;
          emit OnError(this);
          ok = false;
          break;
        case orvek::ExitResult::Status::TooLarge:
          // More rounding steps than a 32-bit count holds: far outside every range.
          FToFloat = FDefaultValue;
          tooLarge = true;
          break;
        case orvek::ExitResult::Status::Empty:
          break;
      }
    }
  }

  // A text of blanks only holds no value, so it is not range-checked either.
  const bool hasText = !orvek::DeleteSpace(text().toStdString()).empty();
  if (FCheckRange && FEditType != deText && hasText && ok) {
    const double value = FEditType == deInteger ? static_cast<double>(FToInteger) : FToFloat;
    if (tooLarge || orvek::IsOutOfRange(value, FMinValue, FMaxValue)) emit OnOutOfRange(this);
  }

  emit OnExit(this);
}
