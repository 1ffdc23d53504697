#include "pages/Common.h"

namespace pages {

std::string OutOfRangeMessage(std::string_view displayName, double minValue, double maxValue,
                              char separator) {
  return "Der angegebene Wert für [" + std::string(displayName) +
         "] ist außerhalb des zulässigen Bereichs von " +
         orvek::FormatFixed(minValue, 2, separator) + " bis " +
         orvek::FormatFixed(maxValue, 2, separator);
}

std::string OutOfRangeMessage(const orvek::FieldSpec& field, char separator) {
  return OutOfRangeMessage(field.displayName, field.minValue, field.maxValue, separator);
}

}  // namespace pages
