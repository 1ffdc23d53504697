#pragma once
// Shared plumbing of the command-line calculator: option parsing, reading values as the
// page's field for them would, German error exits and a small JSON writer.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/OrvekValue.h"

namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitInput = 2;  // missing, unreadable or out-of-range input, unknown option
constexpr int kExitCheck = 3;  // the page's own checks refused the data, or the calculation failed

// Where a subcommand writes, and the decimal separator of the user's locale for plain output.
struct Context {
  std::ostream& out;
  std::ostream& err;
  char separator = '.';
};

// Ends a subcommand with an exit status and a message for stderr.
struct Failure {
  int status;
  std::string message;
};

// Options of the form "--name value" and flags of the form "--name".
class Options {
 public:
  Options(const std::vector<std::string>& args, std::vector<std::string_view> valueOptions,
          std::vector<std::string_view> flags);

  bool Has(std::string_view name) const;
  std::optional<std::string> Value(std::string_view name) const;
  bool Flag(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> flags_;
};

// Reads a value through the rounding and range check of the field it would be typed into.
// Throws Failure (kExitInput) for a missing option, an unreadable number or a value out
// of range; the range message is the program's own.
double ReadField(const Options& options, std::string_view option, const orvek::FieldSpec& field,
                 char separator);
// Like ReadField, but an absent option gives an empty result. Without checkRange the
// value is only rounded, as on fields that report no range violation.
std::optional<double> ReadOptionalField(const Options& options, std::string_view option,
                                        const orvek::FieldSpec& field, char separator,
                                        bool checkRange = true);
// "yes" or "no" (also "ja"/"nein"); absent gives the default.
bool ReadYesNo(const Options& options, std::string_view option, bool defaultValue);

// Decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG).
char LocaleDecimalSeparator();

// Shortest text that reads back as the same double; "null" for a value that is not finite.
std::string JsonNumber(double value);
std::string JsonString(std::string_view text);

// One flat JSON object, keys in the order they are added.
class JsonObject {
 public:
  JsonObject& Number(std::string_view key, double value);
  JsonObject& Integer(std::string_view key, long long value);
  JsonObject& String(std::string_view key, std::string_view value);
  JsonObject& Bool(std::string_view key, bool value);
  JsonObject& Null(std::string_view key);
  JsonObject& Strings(std::string_view key, const std::vector<std::string>& values);
  JsonObject& Raw(std::string_view key, std::string_view json);
  std::string Text() const;  // pretty-printed, one key a line, ends with a line break

 private:
  std::vector<std::pair<std::string, std::string>> members_;
};

}  // namespace cli
