#pragma once
// Value rules of the numeric field, free of any widget: reading a typed number with
// either decimal separator, rounding it to the field's step, writing it back in
// fixed-point notation and checking it against the field's range. The numeric field
// widget and the command-line calculator both use these, so a value typed in either
// place becomes the same number.

#include <optional>
#include <string>
#include <string_view>

namespace orvek {

// Configuration of one numeric field as the pages set it.
struct FieldSpec {
  std::string_view name;         // object name without the eye prefix, e.g. "EditFitRfl"
  int digits = 0;                // decimals written on leaving
  double step = 1.0;             // rounding step (RoundIt)
  double minValue = -100.0;      // inclusive lower bound
  double maxValue = 100.0;       // inclusive upper bound
  double defaultValue = -99.0;   // value of an empty or unreadable field
  std::string_view displayName;  // name used in messages (DATField)
  std::string_view resetText;    // text after the page's reset
};

// Removes every space character.
std::string DeleteSpace(std::string_view text);

// Reads a decimal number. A text containing a point is read as it stands; otherwise its
// first comma counts as the decimal point. Leading blanks, an optional sign, digits with
// at most one decimal point and an optional exponent are accepted; anything else fails.
std::optional<double> StringToFloat(std::string_view text);

// Nearest multiple of step, exact halves going up. A step of 0 counts as 1. Empty when
// the number of steps does not fit a 32-bit integer or the value is not finite.
std::optional<double> RoundToStep(double value, double step);

// Fixed-point text with the given number of decimals and decimal separator. Exact
// decimal halves are rounded away from zero; a value that rounds to zero gets no sign.
std::string FormatFixed(double value, int digits, char separator = '.');

// A value is out of range when it is above max or below min; the bounds belong to it.
bool IsOutOfRange(double value, double minValue, double maxValue);

// What leaving a float field with formatting on does to its text.
struct ExitResult {
  enum class Status {
    Empty,       // nothing typed: no formatting, no range check
    Unreadable,  // text stays as typed, reads as the default value
    TooLarge,    // too many steps to count: treated as out of range
    Formatted,   // text rewritten as the rounded value
  };
  Status status = Status::Empty;
  double value = 0.0;  // the rounded value when Formatted
  std::string text;    // the field's text afterwards (point as separator)
};
ExitResult FormatOnExit(std::string_view text, double step, int digits, bool forceSign = false);

// Reads a field's text back as the field does: the rounded value divided by factor, or
// the default value for an empty or unreadable text (inner blanks make it unreadable).
double ReadValue(std::string_view text, double step, double defaultValue, double factor = 1.0);

}  // namespace orvek
