#pragma once
// Texts and helpers shared by every calculation page.

#include <string>

#include "controls/OrvekValue.h"

namespace pages {

// The maker's fitting-advice line, named in messages and on the contact page.
inline constexpr const char* kFittingAdviceTelephone = "06151 / 39 60 - 22";

// The message shown when a field is left with a value outside its range, with the
// bounds written with two decimals and the given decimal separator.
std::string OutOfRangeMessage(const orvek::FieldSpec& field, char separator);
std::string OutOfRangeMessage(std::string_view displayName, double minValue, double maxValue,
                              char separator);

}  // namespace pages
